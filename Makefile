# Two commands for a fresh Debian 12 machine:
#   make demo    run the command on the bundled sample drawing
#   make check   install what is missing, build everything, run every test
# Other targets: release (dist/crossrect-<version>-win64.zip), deps,
# deps-release, deps-check, build, fuzz, gui-demo, bench, example, format.

JOBS ?= $(shell nproc)
BUILD := build

.PHONY: all deps deps-release deps-check build native asan mingw check check-native check-asan \
        check-mingw check-gui check-release check-fuzz fuzz-build fuzz demo gui-demo release example bench format clean

all: build

# Only what building and running crossrect-cli needs; the Windows build
# and the tests add their own lists.
deps:
	@bash tools/install-deps.sh build

deps-release:
	@bash tools/install-deps.sh build release

deps-check:
	@bash tools/install-deps.sh build release check

build: native

native: deps-check
	cmake --preset native >/dev/null
	cmake --build $(BUILD)/native -j$(JOBS)

asan: deps-check
	cmake --preset native-asan >/dev/null
	cmake --build $(BUILD)/native-asan -j$(JOBS)

mingw: deps-check
	cmake --preset mingw64 >/dev/null
	cmake --build $(BUILD)/mingw64 -j$(JOBS)

check-native: native
	ctest --preset native -j$(JOBS)

check-asan: asan
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --preset native-asan -j$(JOBS)

check-mingw: mingw
	bash tools/check-imports.sh $(wildcard $(BUILD)/mingw64/*.exe)
	@# Create the Wine prefix once, before the tests start in parallel.
	tools/wine-run $(BUILD)/mingw64/crossrect-cli.exe --help >/dev/null
	ctest --preset mingw64 -j$(JOBS)

check-gui: mingw
	@if [ -f $(BUILD)/mingw64/crossrect.exe ]; then \
	  bash tests/gui/run_gui_tests.sh $(BUILD)/mingw64/crossrect.exe $(BUILD)/gui-tests; \
	else echo "check-gui: crossrect.exe not built"; exit 1; fi

check-release: release native
	bash tests/release/run_release_tests.sh dist $(BUILD)/native/crossrect-cli $(BUILD)/release-tests

# The fuzz targets (clang, libFuzzer with the sanitizers): make check runs
# every corpus file once; make fuzz runs each target FUZZ_SECONDS (60).
fuzz-build: deps-check
	cmake --preset fuzz >/dev/null
	cmake --build $(BUILD)/fuzz -j$(JOBS)

check-fuzz: fuzz-build
	bash tools/fuzz.sh $(BUILD)/fuzz regression

fuzz: fuzz-build
	bash tools/fuzz.sh $(BUILD)/fuzz campaign

check: check-native check-asan check-fuzz check-mingw check-gui check-release
	@echo "make check: all test suites passed"

demo: deps
	cmake --preset tool >/dev/null
	cmake --build $(BUILD)/tool --target crossrect-cli -j$(JOBS)
	@bash tools/demo.sh $(BUILD)/tool/crossrect-cli

# The Windows package; its version is the CMake project version.
release: deps-release
	cmake --preset mingw64 >/dev/null
	cmake --build $(BUILD)/mingw64 --target release -j$(JOBS)

example: native
	bash tools/make-example.sh $(BUILD)/native/crossrect-cli

gui-demo: mingw
	@bash tools/gui-demo.sh $(BUILD)/mingw64/crossrect.exe

bench: deps
	cmake --preset bench >/dev/null
	cmake --build $(BUILD)/bench -j$(JOBS)
	@bash bench/run.sh $(BUILD)/bench

format:
	clang-format -i $$(git ls-files 'src/*.cpp' 'src/*.hpp' 'tests/*.cpp' 'tests/*.hpp' 'bench/*.cpp')

clean:
	rm -rf $(BUILD) dist
