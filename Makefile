# The two commands of the README, plus the benchmarks.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
PROBE_SECONDS ?= 30
FUZZ_SECONDS ?= 30

PREFIX ?= $(HOME)/.local/share/lanebeam
BINDIR ?= $(HOME)/.local/bin
APPDIR ?= $(HOME)/.local/share/applications
ICONDIR ?= $(HOME)/.local/share/icons/hicolor/128x128/apps

.PHONY: run test unit bench deps configure build clean test-sanitize fuzz install uninstall

# make run needs only what building and running need; the targets that test
# or measure add their own tools.
DEPS = run
test unit bench test-sanitize fuzz: DEPS = test

deps:
	@scripts/install-deps $(DEPS)

configure: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@$(BUILD)/bin/lanebeam

test: build
	@scripts/run-tests $(BUILD) build-sanitize $(JOBS)

# Only the suite of the normal build, for a quick check while working.
unit: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	@for b in $(BUILD)/bench/*_bench; do \
	  "$$b" --benchmark_repetitions=5 --benchmark_min_time=0.2 --benchmark_display_aggregates_only=true || exit 1; done
	@bench/run_pacing_probe.sh $(BUILD) $(PROBE_SECONDS)

test-sanitize: deps
	@cmake -S . -B build-sanitize -DLANEBEAM_SANITIZE=ON -DLANEBEAM_BENCH=OFF >/dev/null
	@cmake --build build-sanitize -j $(JOBS)
	@cd build-sanitize && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) -E '^scenario\.'

fuzz: deps
	@scripts/run-fuzzers $(FUZZ_SECONDS)

install: build
	@scripts/install-desktop install $(BUILD) $(PREFIX) $(BINDIR) $(APPDIR) $(ICONDIR)

uninstall:
	@scripts/install-desktop uninstall $(PREFIX)

clean:
	rm -rf $(BUILD) build-sanitize build-fuzz
