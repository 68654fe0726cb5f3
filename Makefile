# The two contracts: `make test` builds both builds and runs every test; `make demo` runs
# the unattended installation on the bundled example machine.
.PHONY: all deps native asan win32 test test-native test-asan test-win32 demo bench fuzz clean

all: native win32

deps:
	@tools/install-deps

native: deps
	@cmake --preset native >/dev/null
	@cmake --build --preset native

asan: deps
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan

win32: deps
	@cmake --preset win32 >/dev/null
	@cmake --build --preset win32

test-native: native
	@ctest --preset native

test-asan: asan
	@ctest --preset asan

# The Windows 95 gate (PE header, imports, Pentium instructions), then the tests under Wine.
test-win32: win32
	@../shared/win9x/check-exe build/win32/Setup.exe
	@tests/wine/run-all

test: test-native test-asan test-win32

demo: deps
	@cmake --preset native >/dev/null
	@cmake --build --preset native --target runner
	@examples/demo

# Benchmarks build in a Release tree of their own, so that the test build keeps its type.
BENCH_BUILD ?= build/bench-release

bench: deps
	@cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BENCH_BUILD) -j2 --target staging_bench registry_bench
	@BENCH_BUILD=$(CURDIR)/$(BENCH_BUILD) bench/run

# Fuzzing with libFuzzer (clang): each target for FUZZ_SECONDS, one after the other. Not part
# of `make test`, which replays the targets' corpora instead.
FUZZ_SECONDS ?= 600
FUZZ_BUILD ?= build/fuzz

fuzz: deps
	@tests/fuzz/run $(FUZZ_BUILD) $(FUZZ_SECONDS)

clean:
	rm -rf build
