# Two entry points: `make run` and `make test`. Both install what is missing first.
BUILD ?= build
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo Ninja || echo "Unix Makefiles")
JOBS ?= $(shell nproc)

.PHONY: run test deps configure build screenshots clean

deps:
	@scripts/install-deps

configure: deps
	@test -f $(BUILD)/CMakeCache.txt || cmake -S . -B $(BUILD) -G "$(GENERATOR)"

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@scripts/run-kvis $(BUILD)

# Headless from the build on: test discovery runs the test programs too.
test: export QT_QPA_PLATFORM = offscreen
test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

screenshots: build
	@QT_QPA_PLATFORM=offscreen $(BUILD)/kvis-screenshots $(BUILD)/screenshots

clean:
	rm -rf $(BUILD)
