# The two set-up commands: `make run` starts the game, `make test` runs every test.
BUILD     ?= build
BUILDTYPE ?= RelWithDebInfo
FUZZTIME  ?= 600

.PHONY: run test deps build bench fuzz clean golden balance soak

deps:
	@scripts/install-deps.sh

$(BUILD)/build.ninja: CMakeLists.txt | deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILDTYPE) -DQUILLON_WERROR=ON

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD)

run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  $(BUILD)/quillon; \
	else \
	  echo "No display found (DISPLAY/WAYLAND_DISPLAY unset): the built-in bot plays a whole game in the headless simulator."; \
	  $(BUILD)/quillon-sim --bot; \
	fi

test: build
	cd $(BUILD) && ctest --output-on-failure -j2

bench: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) --target benchmarks
	@for b in $(BUILD)/bench/*_bench; do echo "== $$b"; $$b; done

# Fuzz targets need clang's libFuzzer and sanitizers, so they live in a build of their own.
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLON_FUZZ=ON -DQUILLON_WERROR=ON
	cmake --build build-fuzz --target fuzzers
	@for f in build-fuzz/tests/fuzz/fuzz_*; do \
	  n=$$(basename $$f); seeds=tests/fuzz/seeds; \
	  if [ -d tests/fuzz/seeds-$$n ]; then seeds=tests/fuzz/seeds-$$n; fi; \
	  mkdir -p tests/fuzz/corpus-$$n; \
	  echo "== $$f for $(FUZZTIME) s"; \
	  $$f -max_total_time=$(FUZZTIME) -print_final_stats=1 tests/fuzz/corpus-$$n $$seeds || exit 1; \
	done

clean:
	rm -rf $(BUILD) build-fuzz

# A Debian package of the game, built by CPack: $(BUILD)/quillon_<version>_amd64.deb.
.PHONY: package
package: build
	cd $(BUILD) && cpack -G DEB

# The golden replays of tests/golden, recorded anew on purpose (after a rule change that is
# meant to alter games): review the difference in git and commit it with the change.
golden: build
	python3 tools/golden_replays.py $(BUILD)/quillon-sim --record

# The bot plays seeds 1..50 at every level of difficulty: one table of how the studios end.
balance: build
	python3 tools/balance.py $(BUILD)/quillon-sim

# N generated replay logs (mostly plausible actions, some out of range or garbage, saves in
# between) played by the simulator built with AddressSanitizer and UBSan, in the fuzz build.
# Any report, crash or hang fails it; the logs that caused one are kept in soak-failures/.
N ?= 500
# The game database comes from the main build.
soak: build
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLON_FUZZ=ON -DQUILLON_WERROR=ON
	cmake --build build-fuzz --target quillon-sim
	python3 tools/soak.py build-fuzz/quillon-sim --data $(BUILD) --count $(N) --keep soak-failures
