# SPDX-License-Identifier: GPL-3.0-or-later
# The two entry points of the README: `make run` and `make test`. Each builds in the folder of
# its preset (CMakePresets.json), so that alternating them rebuilds nothing: run in build-run,
# test in build, the sanitizers in build-asan and build-tsan, the package in build-release.
RELEASE ?= build-release
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
CTEST_FLAGS ?=

.PHONY: run test quick lint package-test build package deps test-deps asan tsan fuzz clean

run: deps build
	build-run/bin/brevanto

# Only what `make run` starts: the program with its movie and help page, and the board process.
build:
	cmake --preset run $(CMAKE_FLAGS)
	cmake --build --preset run -j $(JOBS)

# Configures and builds the configure preset $(1), then runs the test preset $(2) (by default
# the one of the same name).
define suite
	cmake --preset $(1) $(CMAKE_FLAGS)
	cmake --build --preset $(1) -j $(JOBS)
	ctest --preset $(or $(2),$(1)) -j $(JOBS) $(CTEST_FLAGS)
endef

# The whole behaviour: unit, integration and end-to-end tests, the hostile boards and the
# gallery's previews; not the checks of the sources (lint) nor the package's install test.
test: test-deps
	$(call suite,testing)

# The suite without its long runs (the soak, huge entries, hostile boards) and without the
# end-to-end runs.
quick: test-deps
	$(MAKE) test CTEST_FLAGS="-LE 'long|e2e|package|lint' $(CTEST_FLAGS)"

# The checks of the sources: licence lines, format, qmllint, shellcheck, and clang-tidy over the
# files a change touches (ALL=1: over every file, as CI does).
lint: export BREVANTO_LINT_ALL = $(if $(ALL),1,0)
lint: test-deps
	$(call suite,testing,lint)

# The Debian package built from its own tree, installed with apt-get, started and removed: as root.
package-test: test-deps
	$(call suite,testing,package)

# The Debian package brevanto_<version>_amd64.deb, from the preset `release` in $(RELEASE).
package: deps
	JOBS=$(JOBS) scripts/make-package $(RELEASE) $(CMAKE_FLAGS)

deps:
	scripts/install-deps

test-deps:
	scripts/install-deps --test

# The suite once more under AddressSanitizer and UBSan.
asan: test-deps
	$(call suite,asan)

# The suite once more under ThreadSanitizer, with the options its test preset sets.
tsan: test-deps
	$(call suite,tsan)

# The text and number rules under libFuzzer: ten million inputs per target (a while).
fuzz: test-deps
	fuzz/run --runs 10000000

clean:
	rm -rf build build-run build-asan build-tsan build-bench build-release build-windows

# Brevanto for Windows, cross-built in build-windows/: the runnable folder brevanto/, the installer
# brevanto-<version>-win64.exe and the same folder as a zip (scripts/windows/build).
.PHONY: windows
windows:
	CMAKE_FLAGS="$(CMAKE_FLAGS)" scripts/windows/build
