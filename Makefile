# The two commands a newcomer needs: `make demo` builds the program and runs
# it in a demo folder, `make test` builds everything and runs every test
# (the Windows build under wine too, when MinGW-w64 and wine are at hand).
# Both install missing packages first when run as root. `make package`
# builds the Windows zip.
BUILD := build
RELEASE := build-release
FUZZ := build-fuzz
VALGRIND := build-valgrind
FUZZ_SECONDS ?= 60
FUZZ_TARGETS := key_decoder screen_print answer script_writer input_read
WIN_BUILD := build-win
WIN_RELEASE := build-win-release

.PHONY: all deps build test demo bench fuzz valgrind package clean

all: build

deps:
	@scripts/ensure-deps.sh

build: deps
	@cmake -S . -B $(BUILD) -G Ninja -DQB_SANITIZE=ON >/dev/null
	@cmake --build $(BUILD)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j2 -LE wine
	@scripts/test-windows.sh $(WIN_BUILD) $(BUILD)
	@$(MAKE) --no-print-directory valgrind

# Whole sessions under valgrind's memcheck, from a plain build (valgrind
# cannot run the sanitizers' build): two sessions in under ten seconds once
# built, so `make test` runs it too.
valgrind: deps
	@scripts/ensure-deps.sh valgrind
	@cmake -S . -B $(VALGRIND) -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build $(VALGRIND) --target valgrind_e2e_tests
	$(VALGRIND)/tests/e2e/valgrind_e2e_tests

# The demo folder holds a sample source, two icons drawn by make_icons and
# the stand-in tools as GORC.EXE and FBC.EXE; every run refreshes them.
# The demo's stand-in tools make a real Windows executable with llvm, clang and lld.
demo: build
	@scripts/ensure-deps.sh llvm clang lld
	@mkdir -p $(BUILD)/demo
	@cp -f demo/hello.bas $(BUILD)/demo/hello.bas
	@$(BUILD)/tools/make_icons $(BUILD)/demo
	@cp -f $(BUILD)/tools/gorc_standin $(BUILD)/demo/GORC.EXE
	@cp -f $(BUILD)/tools/fbc_standin $(BUILD)/demo/FBC.EXE
	cd $(BUILD)/demo && ../quillbarrow

# The figures of README's Performance section, from a release build; the
# ncurses program beside it is built where libncurses-dev is installed.
bench: deps
	@scripts/ensure-deps.sh libncurses-dev
	@cmake -S . -B $(RELEASE) -G Ninja -DCMAKE_BUILD_TYPE=Release -DQB_TESTS=OFF >/dev/null
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

package:
	@scripts/ensure-deps.sh --windows
	@cmake -S . -B $(WIN_RELEASE) -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DQB_TESTS=OFF >/dev/null
	@cmake --build $(WIN_RELEASE) --target windows_zip

clean:
	rm -rf $(BUILD) $(RELEASE) $(FUZZ) $(VALGRIND) $(WIN_BUILD) $(WIN_RELEASE)
