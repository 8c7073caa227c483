# Two commands do everything on a fresh Debian 12 machine: `make test` and `make run`.
# Missing packages are installed with apt-get (through sudo when not root).

DEB_PACKAGES := cmake g++ make pkg-config libgtest-dev libgmock-dev libbenchmark-dev \
                libcli11-dev nlohmann-json3-dev qt6-base-dev
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
JOBS := $(shell nproc 2>/dev/null || echo 2)
DEBUG_DIR := build/debug
RELEASE_DIR := build/release

.PHONY: deps test tsan run build bench screenshots install format clean

deps:
	@missing=""; \
	for p in $(DEB_PACKAGES); do \
	  dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi

$(DEBUG_DIR)/CMakeCache.txt:
	cmake -S . -B $(DEBUG_DIR) -DCMAKE_BUILD_TYPE=Debug -DTOLVAR_SANITIZE=ON

test: deps $(DEBUG_DIR)/CMakeCache.txt
	cmake --build $(DEBUG_DIR) -j$(JOBS)
	cd $(DEBUG_DIR) && ctest --output-on-failure -j$(JOBS)

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
	  $(RELEASE_DIR)/tolvar read -p SIM -o $$tmp/repeater.zcf && \
	  $(RELEASE_DIR)/tolvar show $$tmp/repeater.zcf; \
	else \
	  $(RELEASE_DIR)/cs-tolvar; \
	fi

# Every view of both variants and every dialog as PNG files, without a display.
SCREENSHOT_DIR := build/screenshots
screenshots: deps $(DEBUG_DIR)/CMakeCache.txt
	cmake --build $(DEBUG_DIR) -j$(JOBS) --target tolvar_screenshots
	QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 $(DEBUG_DIR)/tests/tolvar_screenshots $(SCREENSHOT_DIR)

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

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build
