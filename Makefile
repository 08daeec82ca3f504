# Entry points: `make demo` runs the tour, `make test` builds and runs every test twice
# (a normal build and an AddressSanitizer + UndefinedBehaviorSanitizer build) plus fuzz smoke runs.
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 20

.PHONY: all build demo test test-default test-asan fuzz bench clean

all: build

build:
	cmake --preset default >/dev/null
	cmake --build --preset default -j $(JOBS)

demo: build
	./build/default/norvtext-script examples/tour.nts

test-default: build
	ctest --test-dir build/default --output-on-failure -j $(JOBS)

test-asan:
	cmake --preset asan >/dev/null
	cmake --build --preset asan -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --test-dir build/asan --output-on-failure -j $(JOBS)

fuzz:
	@if command -v clang++-14 >/dev/null; then \
	  cmake --preset fuzz >/dev/null && cmake --build --preset fuzz -j $(JOBS) && \
	  for f in build/fuzz/fuzz_*; do \
	    [ -x "$$f" ] || continue; \
	    name=$$(basename $$f); mkdir -p build/fuzz/corpus/$$name; \
	    echo "fuzz smoke: $$name ($(FUZZ_SECONDS)s)"; \
	    $$f -max_total_time=$(FUZZ_SECONDS) -max_len=4096 build/fuzz/corpus/$$name fuzz/seeds/$$name >/dev/null 2>build/fuzz/$$name.log \
	      || { tail -40 build/fuzz/$$name.log; exit 1; }; \
	  done; \
	else echo "fuzz: clang++-14 not found, skipped"; fi

test: test-default test-asan fuzz

bench:
	cmake --preset bench >/dev/null
	cmake --build --preset bench -j $(JOBS)
	./build/bench/norvtext-bench --benchmark_counters_tabular=true

clean:
	rm -rf build
