# The two entry points of the README: `make run` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: run test build deps test-deps asan fuzz clean

run: deps build
	$(BUILD)/bin/brevanto

test: test-deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Debug $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

build:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)

deps:
	scripts/install-deps

test-deps:
	scripts/install-deps --test

# The suite once more under AddressSanitizer and UBSan.
asan: test-deps
	$(MAKE) test BUILD=build-asan CMAKE_FLAGS="$(CMAKE_FLAGS) -DBREVANTO_SANITIZE=ON"

# The text and number rules under libFuzzer: ten million inputs per target (a while).
fuzz: test-deps
	fuzz/run --runs 10000000

clean:
	rm -rf build build-asan
