# Two commands for a newcomer: `make run` and `make test`.
# Both install what is missing (Debian packages), configure and build first.

BUILD   ?= build
JOBS    ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

SAN_BUILD ?= $(BUILD)-asan
# GCC's maybe-uninitialized analysis gives false alarms inside libstdc++ under the sanitizers.
SAN_FLAGS := -O1 -g -fno-omit-frame-pointer -fsanitize=address,undefined -fno-sanitize-recover=undefined \
	-Wno-maybe-uninitialized

.PHONY: all deps configure build run test sanitize package bench fuzz format clean

all: build

deps:
	@./.ci/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@./app/run.sh $(BUILD)

# The suite, then the suite once more under the sanitizers.
test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
	@$(MAKE) --no-print-directory sanitize

# The whole suite once more under AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize: deps
	@cmake -S . -B $(SAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS="$(SAN_FLAGS)" \
		-DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
	@cmake --build $(SAN_BUILD) -j $(JOBS)
	@cd $(SAN_BUILD) && QT_QPA_PLATFORM=offscreen \
		ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 \
		LSAN_OPTIONS=suppressions=$(CURDIR)/.ci/lsan.supp:print_suppressions=0 \
		UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		ctest --output-on-failure -j $(JOBS)

# A Debian package of the build in $(BUILD)/package/, which lintian must pass without an error or
# a warning.
package: build
	@./.ci/install-package-deps
	@rm -rf $(BUILD)/package
	@cd $(BUILD) && cpack -B package
	@lintian --fail-on error,warning $(BUILD)/package/*.deb
	@echo "Package: $$(ls $(BUILD)/package/*.deb)"

# Measures everything BENCHMARKS.md shows and writes it anew (a Release build in build-bench;
# bench/README.md says what each figure is). Takes several minutes.
bench: deps
	@./.ci/install-bench-deps
	@cmake -S . -B $(BUILD)-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DZV_BUILD_GUI=ON \
		-DZV_BUILD_TESTS=OFF >/dev/null
	@cmake --build $(BUILD)-bench -j $(JOBS) --target zerovane-bench zerovane-methodsbench \
		zerovane-plotbench zerovane-qtbaseline zerovane zv_help
	@./bench/run.sh $(BUILD)-bench BENCHMARKS.md

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	@rm -rf $(BUILD) $(BUILD)-bench $(SAN_BUILD)

fuzz:
	@./fuzz/run.sh $(FUZZ_SECONDS)
