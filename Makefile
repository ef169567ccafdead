# The two commands of this project: `make run` and `make test`.
# Both install what is missing, configure and build first.

BUILD_DIR := build/dev
JOBS      := $(shell nproc 2>/dev/null || echo 2)

# Debian 12 packages the build, the tests and the program need.
PACKAGES := cmake g++ make pkg-config \
            qt6-base-dev qt6-qpa-plugins libgl-dev qt6-translations-l10n \
            fonts-liberation fonts-dejavu-core fontconfig \
            libgtest-dev libgmock-dev libbenchmark-dev \
            poppler-utils clang libclang-rt-14-dev

.PHONY: run test setup configure build

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "Kein Bildschirm gefunden (DISPLAY ist leer). Bitte in einer grafischen Sitzung starten."; exit 1; fi
	$(BUILD_DIR)/src/app/hkberech

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

setup:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  if [ "$$(id -u)" = "0" ]; then \
	    echo "Installing:$$missing"; \
	    apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $$missing || exit 1; \
	  else \
	    echo "Missing packages. Please run:"; \
	    echo "  sudo apt-get install -y$$missing"; exit 1; \
	  fi; \
	fi

configure: setup
	@test -f $(BUILD_DIR)/CMakeCache.txt || cmake --preset dev

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)
