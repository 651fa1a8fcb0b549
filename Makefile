# Two commands for a fresh Debian 12 machine:
#   make demo    run the command on the bundled sample drawing
#   make check   install what is missing, build everything, run every test
# Other targets: deps, build, gui-demo, bench, format.

JOBS ?= $(shell nproc)
BUILD := build

.PHONY: all deps build native asan mingw check check-native check-asan check-mingw check-gui \
        demo gui-demo bench format clean

all: build

deps:
	@bash tools/install-deps.sh

build: native

native: deps
	cmake --preset native >/dev/null
	cmake --build $(BUILD)/native -j$(JOBS)

asan: deps
	cmake --preset native-asan >/dev/null
	cmake --build $(BUILD)/native-asan -j$(JOBS)

mingw: deps
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

check: check-native check-asan check-mingw check-gui
	@echo "make check: all test suites passed"

demo: deps
	cmake --preset native >/dev/null
	cmake --build $(BUILD)/native --target crossrect-cli -j$(JOBS)
	@bash tools/demo.sh $(BUILD)/native/crossrect-cli

gui-demo: mingw
	@bash tools/gui-demo.sh $(BUILD)/mingw64/crossrect.exe

bench: deps
	cmake --preset bench >/dev/null
	cmake --build $(BUILD)/bench -j$(JOBS)
	@bash bench/run.sh $(BUILD)/bench

format:
	clang-format -i $$(git ls-files 'src/*.cpp' 'src/*.hpp' 'tests/*.cpp' 'tests/*.hpp' 'bench/*.cpp')

clean:
	rm -rf $(BUILD)
