# Thin wrappers over the CMake presets.
.PHONY: run test sanitize bench deps clean

deps:
	@scripts/install-deps.sh

build/default/build.ninja: CMakeLists.txt CMakePresets.json | deps
	cmake --preset default

run: deps build/default/build.ninja
	cmake --build --preset default
	./build/default/src/zelk55-usi

test: deps build/default/build.ninja
	cmake --build --preset default
	ctest --preset default

sanitize: deps
	cmake --preset sanitize
	cmake --build --preset sanitize
	ctest --preset sanitize

bench: deps build/default/build.ninja
	cmake --build --preset default
	./build/default/src/zelk55-usi bench

clean:
	rm -rf build
