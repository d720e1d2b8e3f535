# The commands of the README. Each installs what is missing, configures and builds.
JOBS    ?= 2
RELEASE := build/release
SANITIZE := build/sanitize
TSAN    := build/tsan
FUZZ    := build/fuzz
FUZZ_SECONDS ?= 60
DEMO    := data/demo/demo.segd

.PHONY: run test test-threads package fuzz deps build build-sanitize build-tsan clean

run: build
	./$(RELEASE)/src/vorax-viewer $(DEMO)

test: build build-sanitize
	cd $(RELEASE) && ctest --output-on-failure -j $(JOBS)
	cd $(SANITIZE) && ctest --output-on-failure -j $(JOBS)
	@$(MAKE) --no-print-directory test-threads

# The loaders' and the renderer's threads under ThreadSanitizer (a report fails the run).
test-threads: build-tsan
	$(TSAN)/tests/vorax_decode_tests --gtest_brief=1
	$(TSAN)/tests/vorax_app_tests --gtest_brief=1

# The Debian packages of the release build (build/release/*.deb), checked by lintian: an
# error fails the build.
package: build
	@scripts/install-deps --package
	cd $(RELEASE) && rm -f *.deb && cpack -G DEB
	cd $(RELEASE) && lintian --fail-on error *.deb

# Every fuzz target built with clang and run for FUZZ_SECONDS each from fuzz/corpus/, new
# coverage merged back into the corpus.
fuzz:
	@scripts/install-deps --fuzz
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORAX_FUZZ=ON \
	  -DVORAX_TESTS=OFF -DVORAX_BENCH=OFF >/dev/null
	@cmake --build $(FUZZ) -j $(JOBS) --target fuzz_targets
	scripts/run-fuzzers $(FUZZ) $(FUZZ_SECONDS)

deps:
	@scripts/install-deps

build: deps
	@cmake -S . -B $(RELEASE) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(RELEASE) -j $(JOBS)

build-sanitize: deps
	@cmake -S . -B $(SANITIZE) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORAX_SANITIZE=ON -DVORAX_BENCH=OFF >/dev/null
	@cmake --build $(SANITIZE) -j $(JOBS)

build-tsan: deps
	@cmake -S . -B $(TSAN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORAX_TSAN=ON -DVORAX_BENCH=OFF \
	  -DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST >/dev/null
	@cmake --build $(TSAN) -j $(JOBS) --target vorax_decode_tests vorax_app_tests

clean:
	rm -rf build
