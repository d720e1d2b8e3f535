# The commands of the README. Each installs what is missing, configures and builds.
JOBS    ?= 2
RELEASE := build/release
SANITIZE := build/sanitize
DEMO    := data/demo/demo.segd

.PHONY: run test package deps build build-sanitize clean

run: build
	./$(RELEASE)/src/vorax-viewer $(DEMO)

test: build build-sanitize
	cd $(RELEASE) && ctest --output-on-failure -j $(JOBS)
	cd $(SANITIZE) && ctest --output-on-failure -j $(JOBS)

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

clean:
	rm -rf build
