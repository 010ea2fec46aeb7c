# The two commands a newcomer needs: `make demo` and `make test`.
BUILD      ?= build
BUILD_ASAN ?= build-asan
BUILD_BENCH ?= build-bench
BUILD_FUZZ ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS ?=
BUILD_MUTATE ?= build-mutate
MUTANTS_PER_AREA ?= 20
MUTATE_ARGS ?=
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_ARGS ?=
# make install: where the player goes (DESTDIR, when set, is put before it, for packagers).
PREFIX     ?= /usr/local
DESTDIR    ?=

.PHONY: all deps build demo demo-pictures test test-asan golden bench fuzz mutate clean splash install

all: build

deps:
	@scripts/install-deps.sh

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_ARGS)

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

# Plays the demo title in a window; without a display, a short scripted tour runs headless and
# leaves its screenshots in $(BUILD)/demo-shots/.
demo: build
	@scripts/run-demo.sh $(BUILD)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# Installs the programs, their data folder (share/zendral), the desktop entry, AppStream
# metadata, icon and manual pages below $(DESTDIR)$(PREFIX); docs/packaging.md lists them.
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

test-asan: deps
	cmake -S . -B $(BUILD_ASAN) -DCMAKE_BUILD_TYPE=Debug -DZD_SANITIZE=ON $(CMAKE_ARGS)
	cmake --build $(BUILD_ASAN) -j $(JOBS)
	cd $(BUILD_ASAN) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS)

# Rewrites the golden pictures of the picture tests from the current build. Only on purpose:
# look at every changed picture before committing it.
golden: build
	cd $(BUILD) && ZD_UPDATE_GOLDEN=1 ctest --output-on-failure -R Golden

bench: deps
	cmake -S . -B $(BUILD_BENCH) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZD_BUILD_BENCH=ON -DZD_BUILD_TESTS=OFF $(CMAKE_ARGS)
	cmake --build $(BUILD_BENCH) -j $(JOBS)
	@scripts/run-bench.sh $(BUILD_BENCH)

# Builds the libFuzzer targets of fuzz/ with clang, AddressSanitizer and UndefinedBehaviorSanitizer
# ($(BUILD_FUZZ)/, no tests), gathers their seeds and runs each for FUZZ_SECONDS (all of them, or
# those named in FUZZ_TARGETS). docs/fuzzing.md tells more.
fuzz: deps
	cmake -S . -B $(BUILD_FUZZ) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
	  -DCMAKE_CXX_COMPILER=clang++ -DZD_BUILD_FUZZ=ON -DZD_BUILD_TESTS=OFF $(CMAKE_ARGS)
	cmake --build $(BUILD_FUZZ) -j $(JOBS) --target fuzz_targets zdbuild
	fuzz/make-seeds.sh . $(BUILD_FUZZ) $(BUILD_FUZZ)/corpus $(BUILD)
	fuzz/run-fuzzers.sh $(BUILD_FUZZ) $(BUILD_FUZZ)/corpus $(FUZZ_SECONDS) $(FUZZ_TARGETS)

# Puts small faults into our own code one at a time (flipped comparisons, off-by-one constants,
# dropped clamps, swapped arguments, inverted conditions, removed statements), rebuilds a copy
# of the sources in $(BUILD_MUTATE)/ and reports which the tests catch. docs/testing.md tells more.
mutate: deps
	scripts/mutate.py --build-dir $(BUILD_MUTATE) --per-area $(MUTANTS_PER_AREA) $(MUTATE_ARGS)

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) $(BUILD_BENCH) $(BUILD_FUZZ) $(BUILD_MUTATE)

# Redraws the splash picture the player carries (commit the result after looking at it).
splash: build
	cmake --build $(BUILD) --target make_splash
	$(BUILD)/make_splash runtime/resources/splash.png
	$(BUILD)/make_splash runtime/resources/splash.en.png --lang en

# Redraws the demo titles' pictures (commit the results after looking at them).
demo-pictures: build
	cmake --build $(BUILD) --target make_demo_pictures
	$(BUILD)/make_demo_pictures examples/demo/pictures
