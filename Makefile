# SPDX-License-Identifier: GPL-3.0-or-later
# Entry points: `make run` and `make test` work from a fresh clone.
BUILD ?= build
JOBS ?= $(shell nproc)
TOOL = $(BUILD)/tools/kavo-catalog
PAGE = app/resources/bundled_content.md

.PHONY: all deps configure build run test package asan fuzz fuzz-build bench clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# Builds and starts the application window.
run: build
	$(BUILD)/app/kavo

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# The Debian package, $(BUILD)/kavo_<version>_<arch>.deb (CPack, from the install rules).
package: build
	@cmake --build $(BUILD) --target package

# The catalogue tests once more under AddressSanitizer and UndefinedBehaviorSanitizer.
asan: deps
	@cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKAVO_SANITIZE=address,undefined -DKAVO_WITH_QT=OFF >/dev/null
	@cmake --build build-asan -j $(JOBS)
	ctest --test-dir build-asan --output-on-failure -j $(JOBS)

fuzz-build: deps
	@cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	  -DKAVO_BUILD_FUZZERS=ON -DKAVO_BUILD_TESTS=OFF -DKAVO_WITH_QT=OFF >/dev/null
	@cmake --build build-fuzz -j $(JOBS) --target fuzz_parse fuzz_decode fuzz_links

# Longer fuzzing runs; FUZZ_SECONDS per target (default 300). New inputs go to fuzz/corpus-work/.
FUZZ_SECONDS ?= 300
fuzz: fuzz-build
	@scripts/fuzz $(FUZZ_SECONDS)

bench: build
	@bench/run

clean:
	rm -rf $(BUILD) build-asan build-fuzz
