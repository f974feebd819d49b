# Thin wrappers over the CMake presets.
.PHONY: run test sanitize debug bench fuzz deps clean package check-package

deps:
	@scripts/install-deps.sh

build/default/build.ninja: CMakeLists.txt CMakePresets.json | deps
	cmake --preset default

run: deps build/default/build.ninja
	cmake --build --preset default
	./build/default/src/app/zelk55

test: deps build/default/build.ninja
	cmake --build --preset default
	ctest --preset default

sanitize: deps
	cmake --preset sanitize
	cmake --build --preset sanitize
	ctest --preset sanitize

# Assertions on, the standard library's checks and the search position's own check.
debug: deps
	cmake --preset debug
	cmake --build --preset debug
	ctest --preset debug

bench: deps build/default/build.ninja
	cmake --build --preset default
	./build/default/src/zelk55-usi bench

# The Debian package, build/package/zelk55_VERSION-1_ARCH.deb, and its check.
package: deps
	cmake --preset package
	cmake --build --preset package
	rm -f build/package/zelk55_*.deb
	cd build/package && cpack

check-package: package
	scripts/check-package.sh

clean:
	rm -rf build

# Each fuzz target runs for FUZZ_SECONDS on its own corpus folder under build/fuzz.
FUZZ_SECONDS ?= 60
fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz
	for t in record_reader kif_reader settings_reader usi game; do \
	  mkdir -p build/fuzz/corpus/$$t && \
	  if ./build/fuzz/tests/fuzz/$${t}_fuzz -max_total_time=$(FUZZ_SECONDS) -timeout=10 -rss_limit_mb=2048 \
	      -print_final_stats=1 build/fuzz/corpus/$$t tests/fuzz/seeds/$$t > build/fuzz/$$t.log 2>&1; then \
	    echo "$$t: $$(grep -m1 stat::number_of_executed_units build/fuzz/$$t.log), no crash"; \
	  else \
	    tail -n 60 build/fuzz/$$t.log; echo "$$t: FAILED"; exit 1; \
	  fi; \
	done
