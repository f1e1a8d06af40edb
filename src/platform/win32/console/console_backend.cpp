// The Windows console backend's shell: the modes, the renderer and the
// input composed, and the rest of what the system gives: plain output, the
// console's code pages and the text's way to the system's, the timer, pauses, the beep, the command
// runner's hand-over (the line read in the page the form's text is shown in) and the end of the
// process, with its line on standard error.
#include "platform/win32/console/console_backend.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>

#include "platform/win32/commands/cmd_exe.h"
#include "platform/win32/console/console_text.h"

namespace qb {

namespace {

// Writes `line` and CR LF to standard error; on a console whose cursor
// stands inside a line (a form still shown), on a fresh line below it.
void write_error_line(std::string_view line) {
  const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
  CONSOLE_SCREEN_BUFFER_INFO info{};
  const bool inside_a_line =
      GetConsoleScreenBufferInfo(error, &info) != FALSE && info.dwCursorPosition.X != 0;
  const std::string text = (inside_a_line ? "\r\n" : "") + std::string(line) + "\r\n";
  DWORD written = 0;
  WriteFile(error, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace

Win32Console::Win32Console(HANDLE input, HANDLE output)
    : output_(output), modes_(input, output), input_(input, modes_.keyboard()), renderer_(output) {
  LARGE_INTEGER frequency{};
  if (QueryPerformanceFrequency(&frequency) != FALSE && frequency.QuadPart > 0) {
    counter_period_ = 1.0 / static_cast<double>(frequency.QuadPart);
  }
  modes_.enter();
  load_code_page();
}

Win32Console::~Win32Console() {
  input_.remove_close_handler();
  modes_.leave();
}

// Reads the console's output and input code pages (without a console, the
// OEM page serves for both); a change of the output page redraws all.
void Win32Console::load_code_page() {
  const UINT input_page = GetConsoleCP();
  input_page_ = input_page != 0 ? input_page : GetOEMCP();
  const UINT code_page = GetConsoleOutputCP();
  const unsigned wanted = code_page != 0 ? code_page : GetOEMCP();
  if (wanted == glyphs_.code_page) return;
  glyphs_ = glyphs_for_code_page(wanted);
  command_page_ = glyphs_.table_page;
  renderer_.invalidate();
}

void Win32Console::present(const Screen& screen) {
  if (modes_.screen()) renderer_.present(screen, glyphs_);
}

void Win32Console::write_stream(std::string_view bytes, Glyphs /*glyphs*/) {
  while (!bytes.empty()) {
    DWORD written = 0;
    const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1U << 20));
    if (WriteFile(output_, bytes.data(), chunk, &written, nullptr) == FALSE || written == 0) return;
    bytes.remove_prefix(written);
  }
}

void Win32Console::resize(int columns, int rows) {
  if (modes_.screen()) renderer_.resize(columns, rows);
}

double Win32Console::timer_seconds() {
  LARGE_INTEGER count{};
  if (counter_period_ > 0.0 && QueryPerformanceCounter(&count) != FALSE) {
    return static_cast<double>(count.QuadPart) * counter_period_;
  }
  return static_cast<double>(GetTickCount()) * 0.001;
}

void Win32Console::sleep_ms(int milliseconds) {
  Sleep(static_cast<DWORD>(std::max(milliseconds, 0)));
}

void Win32Console::sleep_until(double reading) {
  double now = timer_seconds();
  while (now < reading) {
    Sleep(static_cast<DWORD>(std::ceil(std::min(reading - now, 3600.0) * 1000.0)));
    now = timer_seconds();
  }
}

void Win32Console::beep() {
  Beep(1000, 250);
}

// The command gets the console as the program found it; afterwards the
// program's modes come back, and the code page, the window and every cell
// are read anew, since the command may have changed or printed over them.
int Win32Console::run_command(std::string_view command_line) {
  modes_.leave();
  const int status = run_command_line_in_page(command_line, command_page_);
  modes_.enter();
  load_code_page();
  renderer_.find_origin();
  renderer_.invalidate();
  return status;
}

void Win32Console::end_program(int exit_code, std::string_view error_line) {
  input_.remove_close_handler();
  modes_.leave();
  modes_.restore_cursor();
  if (!error_line.empty()) write_error_line(error_line);
  std::exit(exit_code);
}

const CodePage& Win32Console::script_page() const {
  return script_page_of(system_pages(command_page_));
}

void Win32Console::to_script_page(std::string& text) const {
  convert_to_script_page(system_pages(command_page_), text);
}

std::string Win32Console::oem_from_program_text(std::string_view text) const {
  return console_text_of_log(system_pages(command_page_), text);
}

std::unique_ptr<Backend> make_system_backend() {
  return std::make_unique<Win32Console>(GetStdHandle(STD_INPUT_HANDLE),
                                        GetStdHandle(STD_OUTPUT_HANDLE));
}

}  // namespace qb
