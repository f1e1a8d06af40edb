' hello.bas: the demo's sample program.
Print "Hello from Quillbarrowmintstamperwright!"
Sleep
