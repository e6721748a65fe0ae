# SPDX-License-Identifier: GPL-3.0-or-later
# The two entry points of the README: `make run` and `make test`.
BUILD ?= build
RELEASE ?= build-release
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
CTEST_FLAGS ?=

.PHONY: run test quick build package deps test-deps asan tsan fuzz clean

run: deps build
	$(BUILD)/bin/brevanto

test: test-deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Debug $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) $(CTEST_FLAGS)

# The suite without its long runs (the soak, huge entries, hostile movies).
quick:
	$(MAKE) test CTEST_FLAGS="-LE long"

build:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)

# The Debian package brevanto_<version>_amd64.deb, from a Release build in $(RELEASE).
package: deps
	JOBS=$(JOBS) scripts/make-package $(RELEASE) $(CMAKE_FLAGS)

deps:
	scripts/install-deps

test-deps:
	scripts/install-deps --test

# The suite once more under AddressSanitizer and UBSan.
asan: test-deps
	$(MAKE) test BUILD=build-asan CMAKE_FLAGS="$(CMAKE_FLAGS) -DBREVANTO_SANITIZE=ON"

# The suite once more under ThreadSanitizer. Qt itself is not built with it: the suppressions
# name what it cannot see inside Qt's own locking. Qt starts the board's process with a clone
# that shares the parent's memory until the exec: the sanitizer takes it for a fork and would
# then refuse the parent any new thread.
tsan: test-deps
	TSAN_OPTIONS="suppressions=$(CURDIR)/tests/tsan.supp die_after_fork=0 $(TSAN_OPTIONS)" \
	$(MAKE) test BUILD=build-tsan CMAKE_FLAGS="$(CMAKE_FLAGS) -DBREVANTO_TSAN=ON"

# The text and number rules under libFuzzer: ten million inputs per target (a while).
fuzz: test-deps
	fuzz/run --runs 10000000

clean:
	rm -rf build build-asan build-tsan build-release

# Brevanto for Windows, cross-built in build-windows/: the runnable folder brevanto/, the installer
# brevanto-<version>-win64.exe and the same folder as a zip (scripts/windows/build).
.PHONY: windows
windows:
	CMAKE_FLAGS="$(CMAKE_FLAGS)" scripts/windows/build
