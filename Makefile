# The two commands a newcomer needs: `make demo` builds the program and runs
# it in a demo folder, `make test` builds everything and runs every test.
# Both install missing packages first when run as root.
BUILD := build
RELEASE := build-release

.PHONY: all deps build test demo bench clean

all: build

deps:
	@scripts/ensure-deps.sh

build: deps
	@cmake -S . -B $(BUILD) -G Ninja -DQB_SANITIZE=ON >/dev/null
	@cmake --build $(BUILD)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j2

demo: build
	@mkdir -p $(BUILD)/demo
	cd $(BUILD)/demo && ../quillbarrow

bench: deps
	@cmake -S . -B $(RELEASE) -G Ninja -DCMAKE_BUILD_TYPE=Release -DQB_TESTS=OFF >/dev/null
	@cmake --build $(RELEASE)
	$(RELEASE)/bench/quillbarrow_bench $(RELEASE)/quillbarrow

clean:
	rm -rf $(BUILD) $(RELEASE)
