# One entry point: `make run` starts the program, `make test` runs every test.
# Both install missing Debian packages first (scripts/install-deps).

BUILD_DIR ?= build
RUN_DIR ?= build-run
FUZZ_DIR ?= build-fuzz
SANITIZE_DIR ?= build-sanitize
PACKAGE_DIR ?= build-package
WINDOWS_DIR ?= build-windows
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)
# FUZZ_RUNS (inputs) and FUZZ_SECONDS (time) bound each fuzz target's run;
# unset, the build's defaults hold (KORVEL_FUZZ_RUNS, KORVEL_FUZZ_SECONDS).
FUZZ_SETTINGS = $(if $(FUZZ_RUNS),-DKORVEL_FUZZ_RUNS=$(FUZZ_RUNS),-UKORVEL_FUZZ_RUNS) \
                $(if $(FUZZ_SECONDS),-DKORVEL_FUZZ_SECONDS=$(FUZZ_SECONDS),-UKORVEL_FUZZ_SECONDS)

# Compiles go through ccache, which scripts/install-deps installs. Whether it
# is there is asked when a recipe runs, not when make reads this file: on a
# fresh machine it arrives with the packages the first recipe installs.
CCACHE_LAUNCHER = $$(command -v ccache >/dev/null && echo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
CMAKE_FLAGS = -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DKORVEL_WERROR=ON $(CCACHE_LAUNCHER)
# Lets ccache keep the compiles that use the tests' precompiled Qt headers.
export CCACHE_SLOPPINESS ?= pch_defines,time_macros
PROGRAMS_ONLY = -DKORVEL_BUILD_TESTS=OFF -DKORVEL_BUILD_BENCHMARKS=OFF
TESTS_ONLY = -DKORVEL_BUILD_TESTS=ON -DKORVEL_BUILD_BENCHMARKS=OFF
EVERYTHING = -DKORVEL_BUILD_TESTS=ON -DKORVEL_BUILD_BENCHMARKS=ON

# Debian's hardening flags for the package: fortified functions, stack
# protector, read-only relocations bound at start (PIE is the compiler's default).
DEB_BUILDFLAGS = DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get

.PHONY: all deps deps-test deps-package deps-windows programs build run test test-fuzz \
        test-sanitize test-windows-core bench reliability clean format package package-test

all: build

deps:
	@scripts/install-deps

deps-test:
	@scripts/install-deps --test

deps-package:
	@scripts/install-deps --package

deps-windows:
	@scripts/install-deps --windows

# The three programs only: no tests, no benchmarks, no GoogleTest. In a folder
# of their own, so that the tests built in $(BUILD_DIR) stay whole.
programs: deps
	@cmake -S . -B $(RUN_DIR) $(CMAKE_FLAGS) $(PROGRAMS_ONLY)
	@cmake --build $(RUN_DIR) -j $(JOBS)

run: programs
	@$(RUN_DIR)/bin/KORVEL25

# The programs, the tests and the benchmarks.
build: deps-test
	@cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS) $(EVERYTHING)
	@cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	@cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
	@$(MAKE) --no-print-directory test-fuzz
	@$(MAKE) --no-print-directory test-sanitize

# Every test again, built with AddressSanitizer and UndefinedBehaviorSanitizer;
# any finding stops the test that made it. The tests only: no benchmarks.
test-sanitize: deps-test
	@cmake -S . -B $(SANITIZE_DIR) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Debug -DKORVEL_SANITIZE=ON \
	    $(TESTS_ONLY)
	@cmake --build $(SANITIZE_DIR) -j $(JOBS)
	@cd $(SANITIZE_DIR) && QT_QPA_PLATFORM=offscreen \
	    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	    LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	    ctest --output-on-failure -j $(JOBS)

# The Qt-free core built with clang and libFuzzer; each fuzz target runs inputs
# from its seed corpus, as a CTest test, for a bounded number and time. A target
# whose program, seeds and bounds are those of its last passing run is not run
# again (scripts/run-fuzzers; FUZZ_AGAIN=1 runs every target).
test-fuzz: deps-test
	@cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKORVEL_WERROR=ON $(CCACHE_LAUNCHER) \
	    -DCMAKE_CXX_COMPILER=clang++ -DKORVEL_WITH_QT=OFF -DKORVEL_BUILD_TESTS=OFF \
	    -DKORVEL_BUILD_BENCHMARKS=OFF -DKORVEL_BUILD_FUZZERS=ON $(FUZZ_SETTINGS)
	@cmake --build $(FUZZ_DIR) -j $(JOBS)
	@scripts/run-fuzzers $(FUZZ_DIR) $(JOBS)

# The Qt-free core and its tests cross-built for 64-bit Windows with mingw-w64
# (GoogleTest from Debian's sources), and the tests run under Wine.
test-windows-core: deps-windows
	@cmake -S . -B $(WINDOWS_DIR) $(CMAKE_FLAGS) --toolchain cmake/mingw-w64.cmake \
	    -DKORVEL_WITH_QT=OFF $(TESTS_ONLY) -DKORVEL_GTEST_SOURCE_DIR=/usr/src/googletest
	@cmake --build $(WINDOWS_DIR) -j $(JOBS)
	@cd $(WINDOWS_DIR) && ctest --output-on-failure -j $(JOBS)

# The Debian package, built in a folder of its own for the prefix /usr (so the
# data folder compiled into the programs is the one the package fills), with
# Debian's hardening flags; then checked with lintian, which fails the
# package on any error or warning.
package: deps-package
	@cmake -S . -B $(PACKAGE_DIR) $(CMAKE_FLAGS) $(PROGRAMS_ONLY) -DCMAKE_INSTALL_PREFIX=/usr \
	    -DCMAKE_CXX_FLAGS="$$($(DEB_BUILDFLAGS) CPPFLAGS) $$($(DEB_BUILDFLAGS) CXXFLAGS)" \
	    -DCMAKE_EXE_LINKER_FLAGS="$$($(DEB_BUILDFLAGS) LDFLAGS)"
	@cmake --build $(PACKAGE_DIR) -j $(JOBS)
	@cd $(PACKAGE_DIR) && rm -f korvel-config_*.deb && cpack -G DEB
	@lintian --fail-on error,warning $(PACKAGE_DIR)/korvel-config_*.deb
	@ls $(PACKAGE_DIR)/korvel-config_*.deb

# The package installed with apt-get, its programs tried from /usr/bin, and
# the package removed again.
package-test: package
	@packaging/smoke-test $(PACKAGE_DIR)

bench: build
	@for b in $(BUILD_DIR)/bin/bench-*; do echo "== $$b"; $$b; done

# docs/RELIABILITY.md from a clean tree: every test, fuzzing, fault tests, soak
# and sanitizers, with the commit they ran at.
reliability: deps-test
	@BUILD_DIR=$(BUILD_DIR) FUZZ_DIR=$(FUZZ_DIR) SANITIZE_DIR=$(SANITIZE_DIR) bench/reliability.sh

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR) $(RUN_DIR) $(FUZZ_DIR) $(SANITIZE_DIR) $(PACKAGE_DIR) $(WINDOWS_DIR)
