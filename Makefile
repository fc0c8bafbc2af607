# One entry point: `make run` starts the program, `make test` runs every test.
# Both install missing Debian packages first (scripts/install-deps).

BUILD_DIR ?= build
FUZZ_DIR ?= build-fuzz
SANITIZE_DIR ?= build-sanitize
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)
FUZZ_RUNS ?= 300000

CMAKE_FLAGS = -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DKORVEL_WERROR=ON \
              -DCMAKE_EXPORT_COMPILE_COMMANDS=ON
ifneq ($(shell command -v ccache 2>/dev/null),)
CMAKE_FLAGS += -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
endif

.PHONY: all deps configure build run test test-fuzz test-sanitize bench clean format \
        package package-test

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS)

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@$(BUILD_DIR)/bin/KORVEL25

test: build
	@cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
	@$(MAKE) --no-print-directory test-fuzz
	@$(MAKE) --no-print-directory test-sanitize

# Every test again, built with AddressSanitizer and UndefinedBehaviorSanitizer;
# any finding stops the test that made it.
test-sanitize: deps
	@cmake -S . -B $(SANITIZE_DIR) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Debug -DKORVEL_SANITIZE=ON
	@cmake --build $(SANITIZE_DIR) -j $(JOBS)
	@cd $(SANITIZE_DIR) && QT_QPA_PLATFORM=offscreen \
	    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	    LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	    ctest --output-on-failure -j $(JOBS)

# The Qt-free core built with clang and libFuzzer; each fuzz target runs a fixed
# number of inputs from its seed corpus, as a CTest test.
test-fuzz: deps
	@cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKORVEL_WERROR=ON \
	    -DCMAKE_CXX_COMPILER=clang++ -DKORVEL_WITH_QT=OFF -DKORVEL_FUZZ=ON \
	    -DKORVEL_FUZZ_RUNS=$(FUZZ_RUNS)
	@cmake --build $(FUZZ_DIR) -j $(JOBS)
	@cd $(FUZZ_DIR) && ctest --output-on-failure -j $(JOBS)

# The Debian package (in $(BUILD_DIR)), then installed with apt-get and its
# programs tried from /usr/bin.
package: build
	@cd $(BUILD_DIR) && rm -f korvel-config_*.deb && cpack -G DEB
	@ls $(BUILD_DIR)/korvel-config_*.deb

package-test: package
	@packaging/smoke-test $(BUILD_DIR)

bench: build
	@for b in $(BUILD_DIR)/bin/bench-*; do echo "== $$b"; $$b; done

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR) $(FUZZ_DIR) $(SANITIZE_DIR)
