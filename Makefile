# Two entry points: `make run` and `make test`. Both install what is missing first,
# as do `make install` and `make package`.
BUILD ?= build
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo Ninja || echo "Unix Makefiles")
JOBS ?= $(shell nproc)
# Developers and CI stop on any warning; packagers building with CMake alone do not.
WERROR ?= ON
LAUNCHER := $(shell command -v ccache >/dev/null 2>&1 && echo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

# make install [PREFIX=/usr/local] [DESTDIR=staging folder]
PREFIX ?= /usr/local

.PHONY: run test deps configure build program installables install package check-package bench screenshots clean

deps:
	@scripts/install-deps

# The benchmarks (and Google Benchmark) come in only with the tests or on demand.
CONFIG_BENCH :=
test build bench: CONFIG_BENCH := -DKVIS_BENCH=ON

configure: deps
	@cmake -S . -B $(BUILD) -G "$(GENERATOR)" -DKVIS_WERROR=$(WERROR) $(CONFIG_BENCH) $(LAUNCHER) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

program: configure
	@cmake --build $(BUILD) -j $(JOBS) --target kvis kvis-batch

run: program
	@scripts/run-kvis $(BUILD)

# What `cmake --install` puts in place: the programs, icons, manual pages.
installables: configure
	@cmake --build $(BUILD) -j $(JOBS) --target installables

install: installables
	@DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

# The Debian package, written into $(BUILD).
package: installables
	@cmake --build $(BUILD) --target package

# The package as CI checks it: launcher, metainfo and file type validated,
# both programs run from the unpacked tree.
check-package: package
	@scripts/check-package $(BUILD)

# Headless from the build on: test discovery runs the test programs too.
# Then the Qt-free core again with Clang under ASan and UBSan, and each fuzz
# harness for FUZZ_SECONDS (scripts/sanitizer-tests; skipped without Clang).
test: export QT_QPA_PLATFORM = offscreen
test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	@$(MAKE) --no-print-directory check-package
	@JOBS=$(JOBS) WERROR=$(WERROR) scripts/sanitizer-tests

bench: configure
	@cmake --build $(BUILD) -j $(JOBS) --target benchmarks

# At 96 dpi, then every window again at 192 dpi (two pixels to a unit).
screenshots: configure
	@cmake --build $(BUILD) -j $(JOBS) --target kvis-screenshots
	@QT_QPA_PLATFORM=offscreen $(BUILD)/kvis-screenshots $(BUILD)/screenshots
	@QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=2 $(BUILD)/kvis-screenshots $(BUILD)/screenshots/192dpi
	@pdftoppm -r 75 -png $(BUILD)/screenshots/printout.pdf $(BUILD)/screenshots/printout
	@echo "wrote $(BUILD)/screenshots/printout-*.png"

clean:
	rm -rf $(BUILD) build-sanitize
