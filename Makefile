# One-command entry points. `make test` and `make demo` install what a fresh
# machine lacks, configure, build and run.
BUILD ?= build
JOBS ?= $(shell nproc)
PACKAGES := g++ cmake ninja-build ccache pkg-config libgtest-dev libgmock-dev \
	libcairo2-dev libfontconfig-dev fonts-liberation libbenchmark-dev \
	clang-14 libclang-rt-14-dev
# The fuzz targets build with clang; each runs FUZZ_SECONDS under `make fuzz`.
FUZZ_CC ?= clang-14
FUZZ_CXX ?= clang++-14
FUZZ_SECONDS ?= 60
FUZZ_SMOKE_SECONDS ?= 5

.PHONY: all deps configure build test test-asan fuzz fuzz-build fuzz-smoke demo bench clean format

all: build

deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then \
	  echo "installing:$$missing"; \
	  SUDO=$$( [ "$$(id -u)" = 0 ] || echo sudo ); \
	  $$SUDO apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y -qq $$missing; \
	fi

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The whole suite under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: deps
	cmake -S . -B $(BUILD)-asan -G Ninja -DORVEX_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
	cmake --build $(BUILD)-asan -j $(JOBS)
	cd $(BUILD)-asan && UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

# libFuzzer targets of every file reader under ASan and UBSan (fuzz/).
fuzz-build: deps
	CC=$(FUZZ_CC) CXX=$(FUZZ_CXX) cmake -S . -B $(BUILD)-fuzz -G Ninja -DORVEX_FUZZ=ON \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD)-fuzz -j $(JOBS) --target fuzz_targets

fuzz: fuzz-build
	fuzz/run.sh $(BUILD)-fuzz $(FUZZ_SECONDS)

fuzz-smoke: fuzz-build
	fuzz/run.sh $(BUILD)-fuzz $(FUZZ_SMOKE_SECONDS)

# The demo runs on a fresh copy of the example simulator folder, because the
# module writes route files and flight logs below it. It builds only the
# module and the stand-in, not the test programs.
demo: configure
	cmake --build $(BUILD) -j $(JOBS) --target orvex1 orvex-sim
	rm -rf $(BUILD)/demo-sim && mkdir -p out && cp -r examples/sim $(BUILD)/demo-sim
	$(BUILD)/orvex-sim --module $(BUILD)/orvex1.so --root $(BUILD)/demo-sim \
	  --panel examples/sim/panel.cfg --script examples/sim/demo.script --out out
	$(BUILD)/orvex-sim --module $(BUILD)/orvex1.so --root $(BUILD)/demo-sim \
	  --panel examples/sim/cdu_panel.cfg --script examples/sim/cdu_demo.script --out out
	rm -rf $(BUILD)/demo-vnav && cp -r examples/sim $(BUILD)/demo-vnav
	$(BUILD)/orvex-sim --module $(BUILD)/orvex1.so --root $(BUILD)/demo-vnav \
	  --panel examples/sim/cdu_panel.cfg --script examples/sim/cdu_vnav.script --out out
	rm -rf $(BUILD)/demo-nd && cp -r examples/sim $(BUILD)/demo-nd
	$(BUILD)/orvex-sim --module $(BUILD)/orvex1.so --root $(BUILD)/demo-nd \
	  --panel examples/sim/nd_panel.cfg --script examples/sim/nd_modes.script --out out
	rm -rf $(BUILD)/demo-md11 && cp -r examples/sim $(BUILD)/demo-md11
	$(BUILD)/orvex-sim --module $(BUILD)/orvex1.so --root $(BUILD)/demo-md11 \
	  --panel examples/sim/md11_panel.cfg --script examples/sim/md11_modes.script --out out
	rm -rf $(BUILD)/demo-pfd && cp -r examples/sim $(BUILD)/demo-pfd
	$(BUILD)/orvex-sim --module $(BUILD)/orvex1.so --root $(BUILD)/demo-pfd \
	  --panel examples/sim/pfd_panel.cfg --script examples/sim/pfd.script --out out
	rm -rf $(BUILD)/demo-efs50 && cp -r examples/sim $(BUILD)/demo-efs50
	$(BUILD)/orvex-sim --module $(BUILD)/orvex1.so --root $(BUILD)/demo-efs50 \
	  --panel examples/sim/efs50_panel.cfg --script examples/sim/efs50_modes.script --out out
	rm -rf $(BUILD)/demo-dumd80 && cp -r examples/sim $(BUILD)/demo-dumd80
	$(BUILD)/orvex-sim --module $(BUILD)/orvex1.so --root $(BUILD)/demo-dumd80 \
	  --panel examples/sim/du_md80_panel.cfg --script examples/sim/du_md80_modes.script --out out
	rm -rf $(BUILD)/demo-panels && cp -r examples/sim $(BUILD)/demo-panels
	$(BUILD)/orvex-sim --module $(BUILD)/orvex1.so --root $(BUILD)/demo-panels \
	  --panel examples/sim/panels_panel.cfg --script examples/sim/panels.script --out out
	rm -rf $(BUILD)/demo-gns && cp -r examples/sim $(BUILD)/demo-gns
	$(BUILD)/orvex-sim --module $(BUILD)/orvex1.so --root $(BUILD)/demo-gns \
	  --panel examples/sim/gns_panel.cfg --script examples/sim/gns_demo.script --out out
	rm -rf $(BUILD)/demo-mcu && cp -r examples/sim $(BUILD)/demo-mcu
	$(BUILD)/orvex-sim --module $(BUILD)/orvex1.so --root $(BUILD)/demo-mcu \
	  --panel examples/sim/mcu_panel.cfg --script examples/sim/mcu_demo.script --out out
	rm -rf $(BUILD)/demo-c17 && cp -r examples/sim $(BUILD)/demo-c17
	$(BUILD)/orvex-sim --module $(BUILD)/orvex1.so --root $(BUILD)/demo-c17 \
	  --panel examples/sim/c17_panel.cfg --script examples/sim/c17.script --out out
	rm -rf $(BUILD)/demo-c17eng && cp -r examples/sim $(BUILD)/demo-c17eng
	$(BUILD)/orvex-sim --module $(BUILD)/orvex1.so --root $(BUILD)/demo-c17eng \
	  --panel examples/sim/c17_engines_panel.cfg --script examples/sim/c17_engines.script --out out
	rm -rf $(BUILD)/demo-c17nav && cp -r examples/sim $(BUILD)/demo-c17nav
	$(BUILD)/orvex-sim --module $(BUILD)/orvex1.so --root $(BUILD)/demo-c17nav \
	  --panel examples/sim/c17_nav_panel.cfg --script examples/sim/c17_nav.script --out out
	rm -rf $(BUILD)/demo-attitude && cp -r examples/sim $(BUILD)/demo-attitude
	$(BUILD)/orvex-sim --module $(BUILD)/orvex1.so --root $(BUILD)/demo-attitude \
	  --panel examples/sim/attitude_panel.cfg --script examples/sim/attitude.script --out out
	rm -rf $(BUILD)/demo-efs50x && cp -r examples/sim $(BUILD)/demo-efs50x
	$(BUILD)/orvex-sim --module $(BUILD)/orvex1.so --root $(BUILD)/demo-efs50x \
	  --panel examples/sim/efs50_expanded_panel.cfg --script examples/sim/efs50_expanded.script --out out
	rm -rf $(BUILD)/demo-proline4 && cp -r examples/sim $(BUILD)/demo-proline4
	$(BUILD)/orvex-sim --module $(BUILD)/orvex1.so --root $(BUILD)/demo-proline4 \
	  --panel examples/sim/proline4_panel.cfg --script examples/sim/proline4_pages.script --out out
	rm -rf $(BUILD)/demo-p1000 && cp -r examples/sim $(BUILD)/demo-p1000
	$(BUILD)/orvex-sim --module $(BUILD)/orvex1.so --root $(BUILD)/demo-p1000 \
	  --panel examples/sim/p1000_panel.cfg --script examples/sim/p1000.script --out out

bench: deps
	cmake -S . -B $(BUILD)-bench -G Ninja -DORVEX_BENCH=ON -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD)-bench -j $(JOBS)
	$(BUILD)-bench/bench/orvex-bench
	$(BUILD)-bench/bench/orvex-nd-bench
	$(BUILD)-bench/bench/orvex-c17-bench
	$(BUILD)-bench/bench/orvex-mcu-bench
	$(BUILD)-bench/bench/orvex-attitude-bench

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(BUILD)-asan $(BUILD)-bench $(BUILD)-fuzz out
