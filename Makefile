# Quick start: `make run` opens the program, `make test` builds everything and runs every test.
# Both install the Debian packages they need first (scripts/install-deps.sh).

JOBS ?= $(shell nproc)
PRESETS := native sanitize windows web

.PHONY: all deps build run test clean build-native build-sanitize build-windows build-web web run-web

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
	@printf 'subdirs("native" "sanitize" "windows" "web")\n' > build/CTestTestfile.cmake
	@cd build && ctest --output-on-failure -j $(JOBS)

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
