# Entry points for people and CI: `make demo` and `make test` set up a fresh Debian 12 machine themselves.
.PHONY: deps demo test test-dev test-asan mingw release bench format tidy clean

JOBS ?= $(shell nproc)

deps:
	@scripts/install-deps.sh

# The main job on the bundled example: check the sample project against the shipped rules.
demo: deps
	cmake --preset release >/dev/null
	cmake --build --preset release -j $(JOBS) --target inline-patterns ZAKRegExChecks
	scripts/demo.sh build/release

test: test-dev test-asan mingw

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

release: deps
	cmake --preset release >/dev/null
	cmake --build --preset release -j $(JOBS)

bench: deps
	@scripts/install-deps.sh --bench
	cmake --preset release >/dev/null
	cmake --build --preset release -j $(JOBS)
	bench/run.sh build/release

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

tidy:
	cmake --preset dev >/dev/null
	git ls-files 'src/*.cpp' 'host/*.cpp' | xargs clang-tidy -p build/dev --quiet --extra-arg=-Wno-unknown-warning-option

clean:
	rm -rf build
