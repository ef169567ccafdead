# The commands of this project:
#   make run    builds the program alone (build/app: no tests, no benchmarks)
#               and starts it
#   make test   the format check, the Debug build and the whole suite (core
#               and offscreen GUI tests): what a developer runs after a change
#   make ci     what CI runs (.ci/run), in this order, stopping at the first
#               failure:
#     0. format check: every C++ file as clang-format-14 writes it
#     1. dev build (Debug) and the whole test suite
#     2. asan build (AddressSanitizer + UndefinedBehaviorSanitizer) and the
#        whole test suite again
#     3. fuzz build (clang, core libraries only) and a bounded run of every
#        libFuzzer target
#     3b. Windows build of the core libraries and their tests (mingw-w64),
#        run under wine in a private prefix
#     4. release build (tests and benchmarks, -O2, warnings as errors) and the
#        whole test suite once more
#     5. package build (Release): benchmark smoke run, .deb, staged install
#        and a start of the installed program on the offscreen platform
# Each command first installs the packages it needs and nothing more. The
# other targets are the steps of these three and need not be called by hand.

BUILD_DIR := build/dev
APP_DIR   := build/app
# The machine is shared: two compile jobs at most unless told otherwise.
JOBS      ?= 2
# Seconds each fuzz target runs in `make ci`.
FUZZ_SECONDS ?= 40

# Debian 12 packages, each list a superset of the one before.
# What the program needs to be built and to run.
RUN_PACKAGES := cmake g++ make pkg-config \
                qt6-base-dev qt6-qpa-plugins libgl-dev qt6-translations-l10n \
                qt6-charts-dev libqt6opengl6-dev nlohmann-json3-dev \
                fonts-liberation fonts-dejavu-core fontconfig
# What the format check and the test suite need besides (the PDF tests read
# their files back with poppler's tools).
TEST_PACKAGES := $(RUN_PACKAGES) \
                 libgtest-dev libgmock-dev clang-format-14 poppler-utils git
# What CI's further steps need: benchmarks, the fuzzing clang, the Windows
# cross build and wine, the package tools.
CI_PACKAGES := $(TEST_PACKAGES) \
               libbenchmark-dev clang clang-14 libclang-rt-14-dev \
               g++-mingw-w64-x86-64-posix wine64 \
               dpkg-dev desktop-file-utils file

.PHONY: run test ci setup-run setup-test setup-ci app configure build \
        test-format test-dev test-asan test-fuzz test-windows test-release test-package
.NOTPARALLEL:

run: app
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "Kein Bildschirm gefunden (DISPLAY ist leer). Bitte in einer grafischen Sitzung starten."; exit 1; fi
	$(APP_DIR)/src/app/hkberech

# The program alone, in a build folder of its own without tests.
app: setup-run
	@test -f $(APP_DIR)/Makefile || cmake --preset app
	cmake --build $(APP_DIR) -j $(JOBS) --target hkberech

test: setup-test
	@start=$$(date +%s); \
	step() { s=$$(date +%s); echo "=== make $$1"; $(MAKE) --no-print-directory $$1 || { echo "=== $$1 FEHLGESCHLAGEN"; exit 1; }; \
	         echo "=== $$1: $$(( $$(date +%s) - s )) s"; }; \
	step test-format && step test-dev && \
	echo "=== make test: alles bestanden in $$(( $$(date +%s) - start )) s"

ci: setup-ci
	@start=$$(date +%s); \
	step() { s=$$(date +%s); echo "=== make $$1"; $(MAKE) --no-print-directory $$1 || { echo "=== $$1 FEHLGESCHLAGEN"; exit 1; }; \
	         echo "=== $$1: $$(( $$(date +%s) - s )) s"; }; \
	step test-format && step test-dev && step test-asan && step test-fuzz && step test-windows && step test-release && step test-package && \
	echo "=== make ci: alles bestanden in $$(( $$(date +%s) - start )) s"

# Installs the missing ones of the packages in $(1) (apt-get as root,
# otherwise the exact line to run).
define install_missing
	@missing=""; for p in $(1); do \
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
endef

setup-run:
	$(call install_missing,$(RUN_PACKAGES))

setup-test:
	$(call install_missing,$(TEST_PACKAGES))

setup-ci:
	$(call install_missing,$(CI_PACKAGES))

# A build folder is configured again when an earlier configure failed and
# left a cache without a build system.
configure: setup-test
	@test -f $(BUILD_DIR)/Makefile || cmake --preset dev

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

# 0. The one code style: .clang-format, applied by the clang-format of the
#    same major version as the clang used for fuzzing.
test-format: setup-test
	git ls-files '*.cpp' '*.h' | xargs clang-format-14 --dry-run -Werror

# 1. The whole suite in the Debug build.
test-dev: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# 2. The whole suite once more with the sanitizers; the first report ends the
#    test program. Leak suppressions name single functions, never a library
#    (scripts/sanitizers/lsan.supp); lsan_sees_own_leaks checks that a leak
#    in a slot of the program's own is still reported.
test-asan: setup-ci
	@test -f build/asan/Makefile || cmake --preset asan
	cmake --build build/asan -j $(JOBS)
	QT_QPA_PLATFORM=offscreen ctest --preset asan -j $(JOBS)

# 3. Every libFuzzer target for FUZZ_SECONDS from its committed seeds.
test-fuzz: setup-ci
	@test -f build/fuzz/Makefile || cmake --preset fuzz
	cmake --build build/fuzz -j $(JOBS)
	bash scripts/run-fuzz.sh build/fuzz $(FUZZ_SECONDS)

# 3b. The core libraries and their tests cross-built for 64-bit Windows and
#     run under wine (build/windows/wineprefix, one wineserver for the run).
test-windows: setup-ci
	@test -f build/windows/Makefile || cmake --preset windows
	cmake --build build/windows -j $(JOBS)
	bash scripts/run-windows-tests.sh build/windows

# 4. The release preset built whole (tests and benchmarks at -O2, where GCC
#    warns about other things than at -O0) and its test suite.
test-release: setup-ci
	@test -f build/release/Makefile || cmake --preset release
	cmake --build build/release -j $(JOBS)
	cd build/release && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# 5. The Debian package and the installed program.
test-package: setup-ci
	@test -f build/package/Makefile || cmake --preset package
	cmake --build build/package -j $(JOBS)
	bash scripts/check-package.sh build/package
