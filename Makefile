# The two commands of the README, plus the benchmarks.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: run test bench deps configure build clean test-sanitize

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@$(BUILD)/bin/lanebeam

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	@for b in $(BUILD)/bench/*; do [ -x "$$b" ] && "$$b" || exit 1; done

test-sanitize:
	@$(MAKE) --no-print-directory test BUILD=build-sanitize CMAKE_FLAGS="-DLANEBEAM_SANITIZE=ON -DLANEBEAM_BENCH=OFF"

clean:
	rm -rf $(BUILD) build-sanitize
