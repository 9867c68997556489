# The two commands of the README: `make demo` and `make test`. Both set the machine up first.
BUILD := build
TARGETS := x86_64 i686
JOBS ?= 2

.PHONY: all setup build demo test clean

all: build

setup:
	@tools/setup.sh $(BUILD)

build: setup
	@for t in $(TARGETS); do \
	  echo "[build] $$t"; \
	  cmake -S . -B $(BUILD)/$$t -DCMAKE_TOOLCHAIN_FILE=cmake/$$t-w64-mingw32.cmake \
	    -DCMAKE_BUILD_TYPE=Release -Wno-dev >$(BUILD)/$$t.configure.log 2>&1 \
	    || { cat $(BUILD)/$$t.configure.log; exit 1; }; \
	  cmake --build $(BUILD)/$$t -j $(JOBS) || exit 1; \
	done

test: build
	ctest --test-dir $(BUILD)/x86_64 --output-on-failure
	ctest --test-dir $(BUILD)/i686 --output-on-failure

demo: build
	@echo "[demo] the 32-bit plug-in identifies samples/sensor-log.csv:"
	@tools/winerun.sh 32 $(CURDIR)/$(BUILD)/wine32 $(BUILD)/i686/bin/plughost.exe \
	  identify $(BUILD)/i686/bin/csvchart.dll 'P:\samples\sensor-log.csv'

clean:
	rm -rf $(BUILD)
