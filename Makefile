# The two commands of Palavrix: `make run` and `make test`. Both install what is missing,
# configure, build the program and generate its data into $(BUILD).
BUILD ?= build
JOBS  ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test test-sanitize bench clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "make run: no hay pantalla gráfica (DISPLAY vacío): ejecute en un escritorio, o pruebe con 'xvfb-run make run' o 'make test'."; \
	  exit 1; fi
	@cd $(BUILD) && ./palavrix

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The whole suite again, built with AddressSanitizer and UndefinedBehaviorSanitizer (any undefined
# behaviour aborts). Leak reports are off: Qt and fontconfig keep their caches until the process
# ends, and those reports would bury real faults. The fuzz targets (sanitized already) run in
# `make test`, and the benchmarks measure nothing under the sanitizers, so neither is built here.
SANITIZE_BUILD ?= build-asan
test-sanitize: deps
	@cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPALAVRIX_SANITIZE=ON \
	  -DPALAVRIX_BENCH=OFF -DPALAVRIX_FUZZ=OFF $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	@cd $(SANITIZE_BUILD) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 ctest --output-on-failure -j $(JOBS)

bench: build
	@scripts/bench $(BUILD)

clean:
	rm -rf $(BUILD)
