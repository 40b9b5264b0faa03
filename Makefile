# SPDX-License-Identifier: GPL-3.0-or-later
# The two commands of the README, plus the benchmarks, installing and the package.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
PROBE_SECONDS ?= 30
FUZZ_SECONDS ?= 30

# make install / make uninstall: per user by default; PREFIX may contain spaces.
PREFIX ?= $(HOME)/.local

.PHONY: run test unit bench deps configure build build-game clean test-sanitize fuzz install uninstall package

# make run needs only what building and running need; the targets that test
# or measure add their own tools.
DEPS = run
test unit bench test-sanitize fuzz package: DEPS = test

deps:
	@scripts/install-deps $(DEPS)

configure: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null

# Everything: the game, the tests and the benchmarks.
build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# Only what a player runs: the launcher, the game, its two libraries and files.
build-game: configure
	@cmake --build $(BUILD) -j $(JOBS) --target lanebeam dist_files

run: build-game
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

install: build-game
	@scripts/install-prefix $(BUILD) "$(PREFIX)"

# Exactly the installed files: the player's vnbeam.ini beside them stays.
uninstall:
	@scripts/uninstall "$(PREFIX)/share/lanebeam/installed-files.txt"

# The Debian package, from a Release build of its own (build-package/).
package: deps
	@scripts/build-package build-package $(JOBS)

clean:
	rm -rf $(BUILD) build-sanitize build-fuzz build-package
