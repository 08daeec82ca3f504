# Entry points: `make demo` shows the gallery in a window when there is a display, and
# otherwise runs the tour and writes the gallery's picture; `make test` builds and runs every
# test twice (a normal build with the Qt parts and an AddressSanitizer +
# UndefinedBehaviorSanitizer build without them), fuzz smoke runs, and examples/consumer
# built against the staged install and the .deb (`make package`); `make screenshots`
# remakes the README's pictures.
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 20

.PHONY: deps all build demo screenshots test test-default test-asan test-install fuzz package bench clean

all: build

# Installs the Debian packages still missing (nothing when all are there), so both README
# commands work on a fresh machine.
deps:
	@bash scripts/install-deps

build: deps
	cmake --preset default >/dev/null
	cmake --build --preset default -j $(JOBS)

GALLERY = build/default/norvtext-gallery

demo: build
	@if [ -n "$$DISPLAY" ] && [ -x $(GALLERY) ]; then \
	  $(GALLERY); \
	else \
	  ./build/default/norvtext-script examples/tour.nts && \
	  if [ -x $(GALLERY) ]; then QT_QPA_PLATFORM=offscreen $(GALLERY) --screenshot build/default/gallery.png; \
	  else echo "demo: built without Qt, no gallery"; fi; \
	fi

screenshots: build
	QT_QPA_PLATFORM=offscreen $(GALLERY) --screenshot docs/gallery.png
	sh tests/qt/designer_smoke.sh build/default tests/qt/all_controls.ui docs/designer.png

test-default: build
	ctest --test-dir build/default --output-on-failure -j $(JOBS)

test-asan: deps
	cmake --preset asan >/dev/null
	cmake --build --preset asan -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --test-dir build/asan --output-on-failure -j $(JOBS)

fuzz: deps
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

# The install rules and the .deb, each checked by building examples/consumer against what
# they put down, and nothing else.
test-install: build
	rm -rf build/stage
	cmake --install build/default --prefix $(CURDIR)/build/stage >/dev/null
	scripts/check-consumer build/stage build/consumer-stage
	$(MAKE) package
	rm -rf build/debroot && dpkg-deb -x build/default/norvtext_*.deb build/debroot
	scripts/check-consumer build/debroot/usr build/consumer-deb

package: build
	cd build/default && cpack -G DEB >/dev/null && ls norvtext_*.deb

test: test-default test-asan fuzz test-install

bench: deps
	cmake --preset bench >/dev/null
	cmake --build --preset bench -j $(JOBS)
	./build/bench/norvtext-bench --benchmark_counters_tabular=true
	@if [ -x build/bench/norvtext-qt-bench ]; then \
	  QT_QPA_PLATFORM=offscreen ./build/bench/norvtext-qt-bench --benchmark_counters_tabular=true; fi

clean:
	rm -rf build
