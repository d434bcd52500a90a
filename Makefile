# Two commands for a newcomer: `make run` and `make test`.
# Both install what is missing (Debian packages), configure and build first.

BUILD   ?= build
JOBS    ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all deps configure build run test bench fuzz format clean

all: build

deps:
	@./.ci/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@./app/run.sh $(BUILD)

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: deps
	@cmake -S . -B $(BUILD)-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DZV_BUILD_GUI=OFF >/dev/null
	@cmake --build $(BUILD)-bench -j $(JOBS) --target zerovane-bench
	@$(BUILD)-bench/bench/zerovane-bench $(BENCH_ARGS)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	@rm -rf $(BUILD) $(BUILD)-bench

fuzz:
	@./fuzz/run.sh $(FUZZ_SECONDS)
