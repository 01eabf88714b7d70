# Thin wrapper over CMake: configure once into build/, then build and forward.
#   make run    install what is missing, build, start Orvanta
#   make test   install what is missing, build, run every test
#   make demo   build, start a virtual board on a pseudo-terminal and Orvanta against it
#   make bench  build and run the benchmarks
#   make fuzz   build and run the fuzzers (cycle-file reader, board jobs, pasted rows) for a bounded time
#   make format format the sources with clang-format
#   make lint   build, then run clang-tidy (checks in .clang-tidy) over the sources; any finding fails
#   make install    build and install under PREFIX (default /usr/local; DESTDIR is honoured)
#   make uninstall  remove the files the last `make install` installed
#   make package    build the Debian package orvanta_<version>_<arch>.deb here

BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
PACKAGES := cmake g++ make qt6-base-dev qt6-serialport-dev libgl-dev libbenchmark-dev fonts-dejavu-core \
            desktop-file-utils appstream qt6-translations-l10n libnova-dev
PREFIX ?= /usr/local
PKG_BUILD ?= build-pkg

.PHONY: run test demo bench fuzz format lint deps build clean install uninstall package

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

# The virtual board serves demo cycles on a pseudo-terminal linked as
# COM1 in a temporary folder; it is stopped, and the folder removed, when
# Orvanta ends.
demo: build
	@dir=$$(mktemp -d "$${TMPDIR:-/tmp}/orvanta-demo-XXXXXX") || exit 1; \
	$(BUILD)/tools/virtual-board/orvanta-virtual-board --demo --dir "$$dir" & board=$$!; \
	trap 'kill $$board 2>/dev/null; wait $$board 2>/dev/null; rm -rf "$$dir"' EXIT; \
	trap 'exit 130' INT TERM; \
	n=0; while [ ! -e "$$dir/COM1" ] && [ $$n -lt 50 ]; do sleep 0.1; n=$$((n + 1)); done; \
	[ -e "$$dir/COM1" ] || { echo "the virtual board did not start" >&2; exit 1; }; \
	ORVANTA_PORT_DIR="$$dir" $(BUILD)/src/orvanta

bench: deps
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DORVANTA_BENCH=ON
	cmake --build build-bench -j $(JOBS) --target benchmarks
	cmake --build build-bench --target run-benchmarks

# The fuzzers (cycle-file reader, board jobs, pasted rows) need clang;
# FUZZ_SECONDS bounds each run. New inputs collect in build-fuzz/corpus*, any
# crash lands in build-fuzz/ as crash-<hash>.
FUZZ_SECONDS ?= 60
fuzz: deps
	@sh tools/install-deps.sh clang libclang-rt-14-dev
	CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANTA_FUZZ=ON -DORVANTA_SANITIZE=ON
	cmake --build build-fuzz -j $(JOBS) --target fuzz_cyclefile fuzz_boardjobs fuzz_pastedrows
	mkdir -p build-fuzz/corpus build-fuzz/corpus-board build-fuzz/corpus-paste
	build-fuzz/fuzz/fuzz_cyclefile -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	  -dict=fuzz/cyclefile.dict -artifact_prefix=build-fuzz/ build-fuzz/corpus fuzz/seeds
	build-fuzz/fuzz/fuzz_boardjobs -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	  -artifact_prefix=build-fuzz/ build-fuzz/corpus-board
	build-fuzz/fuzz/fuzz_pastedrows -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	  -artifact_prefix=build-fuzz/ build-fuzz/corpus-paste fuzz/seeds-paste

# cmake --install records every file it installs in $(BUILD)/install_manifest.txt
# (without the DESTDIR); `make uninstall` removes the files listed there, under
# the same DESTDIR, and then the folders below share/ that this left empty.
# Binaries are stripped.
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)" --strip

uninstall:
	@manifest="$(BUILD)/install_manifest.txt"; \
	[ -f "$$manifest" ] || { echo "$$manifest not found: nothing was installed from $(BUILD)" >&2; exit 1; }; \
	n=0; \
	while IFS= read -r f || [ -n "$$f" ]; do \
	  [ -n "$$f" ] || continue; \
	  f="$(DESTDIR)$$f"; \
	  if [ -e "$$f" ] || [ -L "$$f" ]; then echo "Removing $$f"; rm -f "$$f" || exit 1; n=$$((n + 1)); fi; \
	  d=$${f%/*}; \
	  while case "$$d" in */share/*) true ;; *) false ;; esac && rmdir "$$d" 2>/dev/null; do d=$${d%/*}; done; \
	done < "$$manifest"; \
	echo "$$n file(s) removed"

# The package is built in its own folder, optimised, with the prefix /usr; only
# the three programs are compiled (the tests are not needed for it). dpkg-dev
# computes the package's dependencies from the shared libraries.
package: deps
	@sh tools/install-deps.sh dpkg-dev
	cmake -S . -B $(PKG_BUILD) -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
	  -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON
	cmake --build $(PKG_BUILD) -j $(JOBS) --target orvanta orvanta-cli orvanta-virtual-board
	rm -f $(PKG_BUILD)/orvanta_*.deb
	cd $(PKG_BUILD) && cpack -G DEB
	cp $(PKG_BUILD)/orvanta_*.deb .
	@ls -l orvanta_*.deb

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

# clang-tidy reads the compile commands of $(BUILD) (the build is needed for the
# files moc generates) and looks at the project's own .cpp files there, in src/,
# tools/ and tests/ (not the generated *_autogen ones), $(JOBS) at a time; every
# finding counts as an error. The fuzzers are linted only in a build that has them.
lint: build
	@sh tools/install-deps.sh clang-tidy
	@sed -n 's/^ *"file": "\(.*\)"$$/\1/p' $(BUILD)/compile_commands.json \
	  | grep -E '^$(CURDIR)/(src|tools|tests|fuzz)/.*\.cpp$$' | sort -u \
	  | xargs -P $(JOBS) -n 1 clang-tidy -p $(BUILD) --quiet --warnings-as-errors='*' \
	      --header-filter='^$(CURDIR)/(src|tools|tests|fuzz)/'

clean:
	rm -rf $(BUILD) build-asan build-bench build-fuzz $(PKG_BUILD)
