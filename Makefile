# Entry points for people and CI: `make demo` and `make test` set up a fresh Debian 12 machine themselves.
.PHONY: deps demo test test-dev test-asan test-wine test-package mingw release package bench fuzz format tidy clean

JOBS ?= $(shell nproc)
# Builds and packages carry the time of the commit, not of the build, so the same commit gives the same bytes.
export SOURCE_DATE_EPOCH ?= $(shell git log -1 --format=%ct 2>/dev/null)

deps:
	@scripts/install-deps.sh

# The main job on the bundled example: check the sample project against the shipped rules.
demo: deps
	cmake --preset release >/dev/null
	cmake --build --preset release -j $(JOBS) --target inline-patterns ZAKRegExChecks
	scripts/demo.sh build/release

test: test-dev test-asan test-wine test-package

test-dev: deps
	cmake --preset dev >/dev/null
	cmake --build --preset dev -j $(JOBS)
	ctest --preset dev -j $(JOBS)

test-asan: deps
	cmake --preset asan >/dev/null
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

mingw: deps
	cmake --preset mingw >/dev/null
	cmake --build --preset mingw -j $(JOBS)

# The Windows DLL and test programs under Wine with a virtual X display, in a fresh prefix per run.
test-wine: mingw
	tests/wine/run-tests.sh build/mingw

# The Debian package (build/release) and the Windows archive (build/mingw), both in build/packages.
package: release mingw
	cd build/release && cpack -G DEB >/dev/null
	mkdir -p build/packages
	cp build/release/inline-patterns_*_amd64.deb build/mingw/inline-patterns-*-windows-x64.zip build/packages/

test-package: package
	tests/package/run-tests.sh build/release build/packages

release: deps
	cmake --preset release >/dev/null
	cmake --build --preset release -j $(JOBS)

bench: deps
	@scripts/install-deps.sh --bench
	cmake --preset release >/dev/null
	cmake --build --preset release -j $(JOBS)
	bench/run.sh build/release

# The parsers under libFuzzer with ASan and UBSan, 60 s per target; findings go to build/fuzz/artifacts/.
FUZZ_TARGETS = CRegExList_fuzz KTextFile_fuzz FormatInserts_fuzz ScanFields_fuzz KFormat_fuzz HPoReader_fuzz \
  HXliffReader_fuzz HOptions_fuzz HReporter_fuzz HJsonRpc_fuzz
fuzz: deps
	@scripts/install-deps.sh --fuzz
	cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
	  -DCMAKE_CXX_COMPILER=clang++ -DIP_BUILD_FUZZ=ON -DIP_BUILD_TESTS=OFF -DIP_BUILD_HOST=ON >/dev/null
	cmake --build build/fuzz -j $(JOBS) --target fuzz_targets
	@for t in $(FUZZ_TARGETS); do \
	  mkdir -p build/fuzz/corpus/$$t build/fuzz/artifacts; \
	  echo "fuzzing $$t for 60 s"; \
	  build/fuzz/tests/fuzz/$$t -max_total_time=60 -rss_limit_mb=2048 -print_final_stats=1 \
	    -artifact_prefix=build/fuzz/artifacts/$$t- build/fuzz/corpus/$$t tests/fuzz/corpus/$$t || exit 1; \
	done

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

tidy:
	cmake --preset dev >/dev/null
	git ls-files 'src/*.cpp' 'host/*.cpp' | xargs clang-tidy -p build/dev --quiet --extra-arg=-Wno-unknown-warning-option

clean:
	rm -rf build
