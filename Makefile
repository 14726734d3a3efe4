# Quick start: `make run` opens the program, `make test` builds everything and runs every test.
# Both install the Debian packages they need first (scripts/install-deps.sh).

JOBS ?= $(shell nproc)
PRESETS := native sanitize windows

.PHONY: all deps build run test clean build-native build-sanitize build-windows

all: build

deps:
	@bash scripts/install-deps.sh

define preset_rule
build-$(1): deps
	@cmake --preset $(1) >/dev/null
	@cmake --build --preset $(1) -j $(JOBS)
endef
$(foreach p,$(PRESETS),$(eval $(call preset_rule,$(p))))

build: $(addprefix build-,$(PRESETS))

# All three build trees run as one CTest session, so the run ends with one summary.
test: build
	@printf 'subdirs("native" "sanitize" "windows")\n' > build/CTestTestfile.cmake
	@cd build && ctest --output-on-failure -j $(JOBS)

run: build-windows
	@bash scripts/run.sh

clean:
	rm -rf build
