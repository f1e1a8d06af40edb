# The commands a newcomer needs: `make demo` builds the program and runs it
# in a demo folder, `make test` builds everything and runs every test (the
# Windows build under wine too, when MinGW-w64 and wine are at hand), then
# `make lint`; `make check` runs only the unit and end-to-end tests of the
# sanitizer build, the quick loop while working, `make dist` makes the
# Linux packages and `make package` the Windows zip. Run as root, each
# installs the packages it is missing first.
#
# Warnings are errors in the builds of `make test` (QB_WERROR), which builds
# the whole tree three ways: with the sanitizers (build), as a release with
# debug information for valgrind (build-valgrind) and as a Windows release
# (build-win). The program's own builds (demo, dist, bench) are releases
# without the tests and need nothing but a compiler.
BUILD := build
RELEASE := build-release
FUZZ := build-fuzz
VALGRIND := build-valgrind
FUZZ_SECONDS ?= 60
FUZZ_TARGETS := key_decoder screen_print answer script_writer input_read
WIN_BUILD := build-win
WIN_RELEASE := build-win-release
RELEASE_CONFIG := -G Ninja -DCMAKE_BUILD_TYPE=Release -DQB_TESTS=OFF

.PHONY: all deps build check test demo dist bench fuzz valgrind package reproducible lint mutate clean

all: build

deps:
	@scripts/ensure-deps.sh

build: deps
	@cmake -S . -B $(BUILD) -G Ninja -DQB_SANITIZE=ON -DQB_WERROR=ON >/dev/null
	@cmake --build $(BUILD)

# The tests of the sanitizer build alone, without wine and valgrind. The
# end-to-end tests spend most of their time waiting on the program (the
# splash alone is 1.5 s), so CHECK_JOBS of them run at once, six to a core
# by default; each unit test program is one test.
CHECK_JOBS ?= $(shell echo $$(( $$(nproc) * 6 )))
check: build
	ctest --test-dir $(BUILD) --output-on-failure -j$(CHECK_JOBS) -LE wine

# The static analysis comes last, so that a finding does not hide the
# tests' results.
test: check
	@scripts/test-windows.sh $(WIN_BUILD) $(BUILD)
	@$(MAKE) --no-print-directory valgrind
	@$(MAKE) --no-print-directory lint

# Whole sessions under valgrind's memcheck, from a build without the
# sanitizers (valgrind cannot run theirs): two sessions in under ten seconds
# once built, so `make test` runs it too, and builds the whole tree there.
# Line tables (-g1) are all valgrind's reports need, and quicker to build.
# This tree is made with CMake's Makefiles generator, the one distributions
# and a plain `cmake -S . -B out` use, so that a fault only it shows fails
# `make test` too; a tree made before keeps the generator it was made with.
VALGRIND_GENERATOR = $(if $(wildcard $(VALGRIND)/CMakeCache.txt),,-G "Unix Makefiles")
valgrind: deps
	@scripts/ensure-deps.sh valgrind
	@cmake -S . -B $(VALGRIND) $(VALGRIND_GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG" -DQB_WERROR=ON >/dev/null
	@cmake --build $(VALGRIND) --parallel $$(nproc)
	$(VALGRIND)/tests/e2e/valgrind_e2e_tests

# The demo folder holds a sample source, two icons drawn by make_icons and
# the stand-in tools as GORC.EXE and FBC.EXE; every run refreshes them.
# The demo's stand-in tools make a real Windows executable with llvm and lld.
demo:
	@scripts/ensure-deps.sh --program llvm lld
	@cmake -S . -B $(RELEASE) $(RELEASE_CONFIG) -DQB_BENCH=OFF >/dev/null
	@cmake --build $(RELEASE) --target quillbarrow gorc_standin fbc_standin make_icons
	@mkdir -p $(RELEASE)/demo
	@cp -f demo/hello.bas $(RELEASE)/demo/hello.bas
	@$(RELEASE)/tools/make_icons $(RELEASE)/demo
	@cp -f $(RELEASE)/tools/gorc_standin $(RELEASE)/demo/GORC.EXE
	@cp -f $(RELEASE)/tools/fbc_standin $(RELEASE)/demo/FBC.EXE
	cd $(RELEASE)/demo && ../quillbarrow

# The Linux packages, a Debian package and a .tar.gz, with SHA256SUMS, in
# build-release; then lintian's check of the Debian package, where lintian
# is at hand (errors and warnings fail). CPack gives the members of the
# Debian package the modes its umask leaves, so the umask is set for it.
dist:
	@scripts/ensure-deps.sh --program dpkg-dev file
	@cmake -S . -B $(RELEASE) $(RELEASE_CONFIG) -DQB_BENCH=OFF >/dev/null
	@cmake --build $(RELEASE)
	cd $(RELEASE) && umask 022 && cpack
	@scripts/check-deb.sh $(RELEASE)

# The figures of README's Performance section, from a release build; the
# ncurses program beside it is built where libncurses-dev is installed.
bench: deps
	@scripts/ensure-deps.sh libncurses-dev
	@cmake -S . -B $(RELEASE) $(RELEASE_CONFIG) -DQB_BENCH=ON >/dev/null
	@cmake --build $(RELEASE)
	$(RELEASE)/bench/quillbarrow_bench $(RELEASE)/quillbarrow \
	  $$(test -x $(RELEASE)/bench/ncurses_echo && echo $(RELEASE)/bench/ncurses_echo)

# Each fuzz target for FUZZ_SECONDS (default 60) under libFuzzer; `make test`
# only replays the seed corpus.
fuzz:
	@scripts/ensure-deps.sh clang libclang-rt-14-dev
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ) -G Ninja -DQB_FUZZ=ON -DQB_SANITIZE=ON -DQB_TESTS=OFF >/dev/null
	@cmake --build $(FUZZ) --target $(addprefix fuzz_,$(FUZZ_TARGETS))
	@scripts/run-fuzz.sh $(FUZZ) $(FUZZ_SECONDS) $(FUZZ_TARGETS)

# The Windows zip, with SHA256SUMS, in build-win-release.
package:
	@scripts/ensure-deps.sh --windows zip
	@cmake -S . -B $(WIN_RELEASE) -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DQB_TESTS=OFF >/dev/null
	@cmake --build $(WIN_RELEASE) --target windows_zip

# The packages of two clean clones of the current commit, built apart in
# time, folder, time zone and umask, compared byte for byte (some minutes).
reproducible:
	@scripts/check-reproducible.sh

# clang-tidy with .clang-tidy's checks over the program's sources, not the
# tests: the POSIX build's and the Windows build's own files, in one pool
# (about two minutes on two cores).
lint:
	@scripts/lint.sh $(BUILD) $(WIN_RELEASE)

# The mutation check: one-line mutants of what a change touched (since
# BASE, by default the branch point from main), each built in the
# sanitizer tree and run against the tests of `make check`; the survivors
# are listed. MUTATE_SAMPLE=N draws N of them; BASE=--sample draws N from
# all of src/ and tools/ instead. Not part of `make test`: run it on a
# change before handing it in.
mutate: build
	@scripts/mutate.sh $(BASE)

clean:
	rm -rf $(BUILD) $(RELEASE) $(FUZZ) $(VALGRIND) $(WIN_BUILD) $(WIN_RELEASE)
