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

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

screenshots: build
	@QT_QPA_PLATFORM=offscreen $(BUILD)/kvis-screenshots $(BUILD)/screenshots

clean:
	rm -rf $(BUILD)
