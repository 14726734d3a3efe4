# Quick start: `make run` opens the program, `make test` builds everything and runs every test.
# Both install the Debian packages they need first (scripts/install-deps.sh).

JOBS ?= $(shell nproc)
PRESETS := native sanitize windows web fuzz

.PHONY: all deps build run test check fuzz clean build-native build-sanitize build-windows \
	build-web build-fuzz web run-web installer

all: build

deps:
	@bash scripts/install-deps.sh

# Warnings are errors in the test run (and so in CI), not in a user's build,
# which a newer compiler's new warnings must not break.
WERROR ?= OFF
test: WERROR = ON

define preset_rule
build-$(1): deps
	@cmake --preset $(1) -DPINBALL_WERROR=$(WERROR) >/dev/null
	@cmake --build --preset $(1) -j $(JOBS)
endef
$(foreach p,$(PRESETS),$(eval $(call preset_rule,$(p))))

build: $(addprefix build-,$(PRESETS))

# All the build trees run as one CTest session, so the run ends with one summary.
test: check build
	@printf 'subdirs("native" "sanitize" "windows" "web" "fuzz")\n' > build/CTestTestfile.cmake
	@cd build && ctest --output-on-failure -j $(JOBS)

# Style: a C++ file that differs from .clang-format's layout (clang-format 14;
# `clang-format -i FILE` lays one out), a finding of ESLint, or a difference
# from Prettier's layout in the page's scripts or the browser tests fails
# (both pinned by package-lock.json; `npx prettier --write` on the files lays them out).
JS_FILES := 'app/web/*.js' 'tests/app/web/*.js' eslint.config.mjs
check: deps
	@git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format-14 --dry-run --Werror
	@npx --no-install eslint
	@npx --no-install prettier --check --log-level warn $(JS_FILES)

# Fuzzes the editing events, then the reading of tables, for FUZZ_TIME seconds
# each, one job at low priority, from long inputs on, starting from the
# committed corpora; new inputs go to build/fuzz/corpus and build/fuzz/table_corpus,
# a failing input to build/fuzz/crash-*.
FUZZ_TIME ?= 600
FUZZ_FLAGS = -max_total_time=$(FUZZ_TIME) -len_control=0 -max_len=65536 -timeout=60 \
	-artifact_prefix=./ -print_final_stats=1
fuzz: build-fuzz
	@mkdir -p build/fuzz/corpus build/fuzz/table_corpus
	@cd build/fuzz && nice ./tests/fuzz/editing_fuzz $(FUZZ_FLAGS) corpus ../../tests/fuzz/corpus
	@cd build/fuzz && nice ./tests/fuzz/table_fuzz $(FUZZ_FLAGS) table_corpus ../../tests/fuzz/table_corpus

run: build-windows
	@bash scripts/run.sh

# The Windows installer: build/installer/PinballSimulation-VERSION-setup.exe (NSIS).
installer: build-windows
	@cmake --build --preset windows --target installer
	@ls build/installer/*.exe

# The browser version: build/web holds the page, its script and its .wasm.
web: build-web

WEB_PORT ?= 8000
run-web: build-web
	@echo "Open http://127.0.0.1:$(WEB_PORT)/ in a browser (Ctrl-C stops the server)."
	@python3 -m http.server $(WEB_PORT) --bind 127.0.0.1 --directory build/web

clean:
	rm -rf build
