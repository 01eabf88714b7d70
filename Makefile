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

# The fuzzer needs clang; FUZZ_SECONDS bounds the run. New inputs collect in
# build-fuzz/corpus, any crash lands in build-fuzz/ as crash-<hash>.
FUZZ_SECONDS ?= 60
fuzz: deps
	@sh tools/install-deps.sh clang libclang-rt-14-dev
	CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANTA_FUZZ=ON -DORVANTA_SANITIZE=ON
	cmake --build build-fuzz -j $(JOBS) --target fuzz_cyclefile
	mkdir -p build-fuzz/corpus
	build-fuzz/tests/fuzz/fuzz_cyclefile -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	  -dict=tests/fuzz/cyclefile.dict -artifact_prefix=build-fuzz/ build-fuzz/corpus tests/fuzz/seeds

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) build-asan build-bench build-fuzz
