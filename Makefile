# Quick start: `make run` opens the program, `make test` builds everything and runs every test.
# Both install the Debian packages they need first (scripts/install-deps.sh).

JOBS ?= $(shell nproc)
PRESETS := native sanitize windows web fuzz

.PHONY: all deps build run test fuzz clean build-native build-sanitize build-windows build-web \
	build-fuzz web run-web

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

# All the build trees run as one CTest session, so the run ends with one summary.
test: build
	@printf 'subdirs("native" "sanitize" "windows" "web" "fuzz")\n' > build/CTestTestfile.cmake
	@cd build && ctest --output-on-failure -j $(JOBS)

# Fuzzes the editing events for FUZZ_TIME seconds, one job at low priority,
# starting from the committed corpus; new inputs go to build/fuzz/corpus,
# a failing input to build/fuzz/crash-*.
FUZZ_TIME ?= 600
fuzz: build-fuzz
	@mkdir -p build/fuzz/corpus
	@cd build/fuzz && nice ./tests/fuzz/editing_fuzz -max_total_time=$(FUZZ_TIME) -max_len=2048 \
		-artifact_prefix=./ corpus ../../tests/fuzz/corpus

run: build-windows
	@bash scripts/run.sh

# The browser version: build/web holds the page, its script and its .wasm.
web: build-web

WEB_PORT ?= 8000
run-web: build-web
	@echo "Open http://127.0.0.1:$(WEB_PORT)/ in a browser (Ctrl-C stops the server)."
	@python3 -m http.server $(WEB_PORT) --bind 127.0.0.1 --directory build/web

clean:
	rm -rf build
