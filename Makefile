# Two commands do everything on a fresh Debian 12 machine: `make test` and `make run`.
# Missing packages are installed with apt-get (through sudo when not root).

DEB_PACKAGES := cmake g++ make pkg-config libgtest-dev libgmock-dev libbenchmark-dev \
                libcli11-dev nlohmann-json3-dev qt6-base-dev
# What only the tests need: pdftotext reads printed pages back.
TEST_PACKAGES := poppler-utils
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
JOBS := $(shell nproc 2>/dev/null || echo 2)
DEBUG_DIR := build/debug
RELEASE_DIR := build/release

.PHONY: deps test-deps fuzz-deps test tsan run build bench screenshots install fuzz fuzz-smoke \
        fuzz-build format clean windows-deps windows windows-test-deps test-windows \
        test-windows-clone

# $(call install-missing,PACKAGES): apt-get install those of PACKAGES not installed yet.
define install-missing
	@missing=""; \
	for p in $(1); do \
	  dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi
endef

deps:
	$(call install-missing,$(DEB_PACKAGES))

test-deps: deps
	$(call install-missing,$(TEST_PACKAGES))

$(DEBUG_DIR)/CMakeCache.txt:
	cmake -S . -B $(DEBUG_DIR) -DCMAKE_BUILD_TYPE=Debug -DTOLVAR_SANITIZE=ON

test: test-deps $(DEBUG_DIR)/CMakeCache.txt
	cmake --build $(DEBUG_DIR) -j$(JOBS)
	cd $(DEBUG_DIR) && ctest --output-on-failure -j$(JOBS)
	$(MAKE) --no-print-directory fuzz-smoke

# The threaded tests under ThreadSanitizer.
TSAN_DIR := build/tsan
tsan: deps
	cmake -S . -B $(TSAN_DIR) -DCMAKE_BUILD_TYPE=Debug -DTOLVAR_TSAN=ON
	cmake --build $(TSAN_DIR) -j$(JOBS) --target tolvar_thread_tests
	TSAN_OPTIONS=halt_on_error=1 $(TSAN_DIR)/tests/tolvar_thread_tests

build: deps
	cmake -S . -B $(RELEASE_DIR) -DCMAKE_BUILD_TYPE=Release -DTOLVAR_TESTS=OFF
	cmake --build $(RELEASE_DIR) -j$(JOBS)

# The desktop program; on a machine without a display, a repeater read from the
# built-in simulator with tolvar instead.
run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "No display (DISPLAY and WAYLAND_DISPLAY are unset): showing a repeater read with tolvar instead."; \
	  tmp=$$(mktemp -d) && \
	  $(RELEASE_DIR)/tolvar info -p SIM && \
	  $(RELEASE_DIR)/tolvar read -p SIM --no-backup -o $$tmp/repeater.zcf && \
	  $(RELEASE_DIR)/tolvar show $$tmp/repeater.zcf; \
	else \
	  $(RELEASE_DIR)/cs-tolvar; \
	fi

# Windows: the core, tolvar.exe and the test programs cross-built with MinGW-w64 into
# build/windows/bin (static runtime: they run on a Windows machine with nothing else
# installed); test-windows runs them under Wine (prefix build/windows/wine, no display)
# and compares tolvar.exe's clone commands on COM5 with the Linux build's, both against
# the Linux build's `tolvar simulate`; test-windows-clone runs only that comparison.
WINDOWS_PACKAGES := cmake make g++-mingw-w64-x86-64-posix googletest libcli11-dev \
                    nlohmann-json3-dev
WINDOWS_TEST_PACKAGES := wine64 socat bc
WINDOWS_DIR := build/windows

windows-deps:
	$(call install-missing,$(WINDOWS_PACKAGES))

$(WINDOWS_DIR)/CMakeCache.txt:
	cmake -S . -B $(WINDOWS_DIR) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DTOLVAR_GUI=OFF

windows: windows-deps $(WINDOWS_DIR)/CMakeCache.txt
	cmake --build $(WINDOWS_DIR) -j$(JOBS)

# The Linux tolvar that serves the simulator (the Debug build's).
windows-test-deps: deps $(DEBUG_DIR)/CMakeCache.txt
	$(call install-missing,$(WINDOWS_TEST_PACKAGES))
	cmake --build $(DEBUG_DIR) -j$(JOBS) --target tolvar

test-windows: windows windows-test-deps
	tests/windows/test-windows.sh $(WINDOWS_DIR) $(DEBUG_DIR)/tolvar

test-windows-clone: windows-test-deps windows-deps $(WINDOWS_DIR)/CMakeCache.txt
	cmake --build $(WINDOWS_DIR) -j$(JOBS) --target tolvar
	tests/windows/test-windows.sh $(WINDOWS_DIR) $(DEBUG_DIR)/tolvar clone

# Every view of both variants and every dialog as PNG files, without a display.
SCREENSHOT_DIR := build/screenshots
screenshots: deps $(DEBUG_DIR)/CMakeCache.txt
	cmake --build $(DEBUG_DIR) -j$(JOBS) --target tolvar_screenshots
	QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 $(DEBUG_DIR)/tolvar_screenshots $(SCREENSHOT_DIR)

bench: deps
	cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DTOLVAR_TESTS=OFF -DTOLVAR_BENCH=ON
	cmake --build build/bench -j$(JOBS)
	@for b in build/bench/bench/tolvar_bench*; do [ -x "$$b" ] && "$$b"; done; true

# Installs the programs, the desktop entry, the MIME type, the icons and the manual
# under PREFIX; DESTDIR stages the tree elsewhere (for packaging).
PREFIX ?= /usr/local
install: deps
	cmake -S . -B $(RELEASE_DIR) -DCMAKE_BUILD_TYPE=Release -DTOLVAR_TESTS=OFF -DCMAKE_INSTALL_PREFIX=$(PREFIX)
	cmake --build $(RELEASE_DIR) -j$(JOBS)
	DESTDIR="$(DESTDIR)" cmake --install $(RELEASE_DIR)
	@if [ -z "$(DESTDIR)" ]; then \
	  update-mime-database $(PREFIX)/share/mime 2>/dev/null || true; \
	  update-desktop-database $(PREFIX)/share/applications 2>/dev/null || true; \
	  gtk-update-icon-cache -q -t $(PREFIX)/share/icons/hicolor 2>/dev/null || true; \
	fi

# The libFuzzer harnesses of tests/fuzz (clang only). Each runs over a copy of its seed
# corpus under build/fuzz/corpus/ (new inputs are kept there, not in the source tree)
# and replays every file of tests/fuzz/regressions/<harness>/; a crash, leak or broken
# rule stops the target, and its input is written to build/fuzz/artifacts/.
#   make fuzz-smoke                        a few seconds each (part of `make test`)
#   make fuzz [FUZZ_SECONDS=600]           longer runs, with each run's statistics
#   make fuzz FUZZ_RUNS=10000000           until that many inputs (or FUZZ_SECONDS)
#   make fuzz FUZZ_HARNESSES="fields frame" only these
#   make fuzz FUZZ_OPTIONS=-max_len=512     more libFuzzer options (short inputs run faster)
FUZZ_PACKAGES := clang libclang-rt-14-dev
FUZZ_DIR ?= build/fuzz
FUZZ_HARNESSES ?= datafile frame simulator fields
FUZZ_SECONDS ?= 600
FUZZ_RUNS ?= -1
FUZZ_SMOKE_SECONDS ?= 5
# More libFuzzer options for every harness of a run, e.g. FUZZ_OPTIONS=-max_len=512
FUZZ_OPTIONS ?=

fuzz-deps: deps
	$(call install-missing,$(FUZZ_PACKAGES))

$(FUZZ_DIR)/CMakeCache.txt:
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=Debug -DTOLVAR_FUZZ=ON

fuzz-build: fuzz-deps $(FUZZ_DIR)/CMakeCache.txt
	cmake --build $(FUZZ_DIR) -j$(JOBS)

# $(call fuzz-run,SECONDS,CORPUS,RUNS): each harness of FUZZ_HARNESSES replays its
# regressions, then fuzzes for SECONDS (or RUNS inputs, -1: no limit) over CORPUS/<harness>,
# which is filled from the seed corpus first; one line of statistics per harness. A run
# stopped by SIGINT (libFuzzer exits with 72) is reported as interrupted, not as a finding.
define fuzz-run
	@mkdir -p $(FUZZ_DIR)/artifacts $(FUZZ_DIR)/logs
	@for h in $(FUZZ_HARNESSES); do \
	  bin=$(FUZZ_DIR)/tests/fuzz/fuzz_$$h; log=$(FUZZ_DIR)/logs/$$h.log; : > $$log; \
	  start=$$(date +%s); \
	  regressions=$$(ls -d tests/fuzz/regressions/$$h/* 2>/dev/null); \
	  if [ -n "$$regressions" ]; then \
	    $$bin -artifact_prefix=$(FUZZ_DIR)/artifacts/ $$regressions >> $$log 2>&1 || \
	      { tail -n 60 $$log; echo "fuzz_$$h: a regression FAILED (log: $$log)"; exit 1; }; \
	  fi; \
	  corpus=$(2)/$$h; mkdir -p $$corpus; cp -n tests/fuzz/corpus/$$h/* $$corpus/; \
	  $$bin -max_total_time=$(1) -runs=$(3) -timeout=30 -print_final_stats=1 $(FUZZ_OPTIONS) \
	    -artifact_prefix=$(FUZZ_DIR)/artifacts/ $$corpus >> $$log 2>&1; status=$$?; \
	  if [ $$status = 72 ]; then \
	    echo "fuzz_$$h: interrupted after $$(sed -n 's/^stat::number_of_executed_units: *//p' $$log) runs, nothing found (log: $$log)"; \
	    exit 1; \
	  elif [ $$status != 0 ]; then \
	    tail -n 60 $$log; echo "fuzz_$$h: FAILED (log: $$log, input in $(FUZZ_DIR)/artifacts/)"; exit 1; \
	  fi; \
	  printf 'fuzz_%-10s %11s runs %7s/s %6ss, corpus %5s, %s regressions passed\n' $$h \
	    "$$(sed -n 's/^stat::number_of_executed_units: *//p' $$log)" \
	    "$$(sed -n 's/^stat::average_exec_per_sec: *//p' $$log)" \
	    $$(( $$(date +%s) - start )) $$(ls $$corpus | wc -l) $$(echo $$regressions | wc -w); \
	done
endef

# A fresh copy of the seed corpus each time, so the smoke run does not depend on earlier runs.
fuzz-smoke: fuzz-build
	@rm -rf $(FUZZ_DIR)/smoke
	$(call fuzz-run,$(FUZZ_SMOKE_SECONDS),$(FUZZ_DIR)/smoke,-1)

# The corpus under build/fuzz/corpus/ grows from run to run.
fuzz: fuzz-build
	$(call fuzz-run,$(FUZZ_SECONDS),$(FUZZ_DIR)/corpus,$(FUZZ_RUNS))

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build
