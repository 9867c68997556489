# The two commands of the README: `make demo` and `make test`. Both set the machine up first.
BUILD := build
TARGETS := x86_64 i686
JOBS ?= 2

PLUGHOST32 = tools/winerun.sh 32 $(CURDIR)/$(BUILD)/wine $(BUILD)/i686/bin/plughost.exe
DLL32 = $(BUILD)/i686/bin/csvchart.dll

.PHONY: all setup build demo pictures test bench dist clean

all: build

setup:
	@tools/setup.sh $(BUILD)

# The presets (CMakePresets.json) put the targets in build/x86_64 and build/i686.
build: setup
	@for t in $(TARGETS); do \
	  echo "[build] $$t"; \
	  cmake --preset $$t -Wno-dev >$(BUILD)/$$t.configure.log 2>&1 \
	    || { cat $(BUILD)/$$t.configure.log; exit 1; }; \
	  cmake --build --preset $$t -j $(JOBS) || exit 1; \
	done

# Under a virtual display: the dialog tests open the real dialog.
# Where 32-bit code runs under qemu, what the emulator did to the 32-bit parts comes last.
EMULATOR_REPORT = $(BUILD)/i686/bin/emulator-report.txt
test: build
	@rm -f $(EMULATOR_REPORT)
	@tools/with-display.sh $(BUILD) sh -c 'ctest --preset x86_64 && ctest --preset i686'; \
	  status=$$?; [ ! -s $(EMULATOR_REPORT) ] || cat $(EMULATOR_REPORT); exit $$status

# Drive P: of the Wine prefixes is the project folder.
demo: build
	@mkdir -p $(BUILD)/demo
	@$(PLUGHOST32) render $(DLL32) 'P:\samples\multi-series.csv' 'P:\$(BUILD)\demo\multi-series.png'
	@echo "[demo] the chart is $(CURDIR)/$(BUILD)/demo/multi-series.png"

# The pictures in the README, drawn by the 32-bit plug-in with the settings each file needs
# (stored for the call only), and the settings dialog on a virtual display.
pictures: build
	@$(PLUGHOST32) render $(DLL32) 'P:\samples\multi-series.csv' 'P:\docs\multi-series.png'
	@$(PLUGHOST32) --set FirstColX=1 --set IgnoreFirstRow=1 --set ShowUnits=1 --set 'UnitX=time (s)' \
	  --set 'UnitY=temperature, humidity, dew point' \
	  render $(DLL32) 'P:\samples\sensor-log.csv' 'P:\docs\sensor-log.png'
	@$(PLUGHOST32) --set 'Separator=;' --set FirstColX=1 --set IgnoreFirstRow=1 \
	  render $(DLL32) 'P:\samples\weekly-prices.csv' 'P:\docs\weekly-prices.png'
	@$(PLUGHOST32) --set DetectLayout=1 \
	  render $(DLL32) 'P:\samples\home-energy.csv' 'P:\docs\home-energy.png'
	@$(PLUGHOST32) render $(DLL32) 'P:\samples\home-energy.csv' 'P:\docs\home-energy-strict.png'
	@$(PLUGHOST32) --set DetectLayout=1 \
	  render $(DLL32) 'P:\samples\daily-shares.csv' 'P:\docs\daily-shares.png'
	@$(PLUGHOST32) render $(DLL32) 'P:\samples\daily-shares.csv' 'P:\docs\daily-shares-strict.png'
	@tools/with-display.sh $(BUILD) tools/winerun.sh 32 $(CURDIR)/$(BUILD)/wine explorer /desktop=shot,640x480 \
	  'P:\$(BUILD)\i686\bin\plughost.exe' configure 'P:\$(BUILD)\i686\bin\csvchart.dll' \
	  --screenshot 'P:\docs\settings-dialog.png' 2>/dev/null | grep -v '^X connection'

# Speed and memory on large generated files, beside gnuplot (several minutes).
bench: build
	@tools/bench.sh $(BUILD)

# The release: dist/csvchart-VERSION.zip with the 32-bit plug-in, its notes and checksums.
dist: build
	@tools/dist.sh $(BUILD)

clean:
	rm -rf $(BUILD) dist
