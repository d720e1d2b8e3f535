# The commands of the README. Each installs what is missing, configures and builds.
JOBS    ?= 2
RELEASE := build/release
SANITIZE := build/sanitize
TSAN    := build/tsan
DEMO    := data/demo/demo.segd

.PHONY: run test test-threads package deps build build-sanitize build-tsan clean

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

# A Debian package of the release build: build/release/vorax-viewer_VERSION_ARCH.deb
package: build
	cd $(RELEASE) && cpack -G DEB

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
