# Thin wrapper over CMake: configure once into build/, then build and forward.
#   make run    install what is missing, build, start Orvanta
#   make test   install what is missing, build, run every test
#   make bench  build and run the benchmarks
#   make fuzz   build and run the cycle-file reader fuzzer for a bounded time
#   make format format the sources with clang-format

BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
PACKAGES := cmake g++ make qt6-base-dev qt6-serialport-dev libgl-dev libbenchmark-dev fonts-dejavu-core

.PHONY: run test bench fuzz format deps build clean

deps:
	@sh tools/install-deps.sh $(PACKAGES)

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/src/orvanta

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DORVANTA_BENCH=ON
	cmake --build build-bench -j $(JOBS) --target benchmarks
	cmake --build build-bench --target run-benchmarks

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) build-asan build-bench build-fuzz
