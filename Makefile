# One-command entry points. `make test` and `make demo` install what a fresh
# machine lacks, configure, build and run.
BUILD ?= build
JOBS ?= $(shell nproc)
PACKAGES := g++ cmake ninja-build ccache pkg-config libgtest-dev libgmock-dev \
	libcairo2-dev libfontconfig-dev fonts-liberation libbenchmark-dev \
	clang-14 libclang-rt-14-dev lld
# The fuzz targets build with clang; each runs FUZZ_SECONDS under `make fuzz`.
FUZZ_CC ?= clang-14
FUZZ_CXX ?= clang++-14
FUZZ_SECONDS ?= 60
FUZZ_SMOKE_SECONDS ?= 5
# Targets to run (e.g. FUZZ_TARGETS=plan_keys); empty runs them all.
FUZZ_TARGETS ?=

.PHONY: all deps configure build test test-asan san-build fuzz fuzz-build fuzz-smoke flights demo demo-runs picture-check bench bench-baseline clean format \
	windows windows-module windows-twin32 windows-twin64 windows-twin64-module windows-twin64-programs windows-deps wine-deps test-windows

all: build

deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then \
	  echo "installing:$$missing"; \
	  tools/apt_install.sh $$missing; \
	fi

# The debug information of the build (-g); CI asks for none (-g0): a failing
# test's message names its file and line by itself, and the sanitizers'
# reports read the line tables of their own tree (SAN_FLAGS).
DEBUG_INFO ?= -g
$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 $(DEBUG_INFO) -DNDEBUG" \
	  -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O2 $(DEBUG_INFO) -DNDEBUG"

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# CTEST_ARGS picks tests: CI runs each alone here (-LE whole) and each
# program whole under the sanitizers, so that no test runs twice in a build.
CTEST_ARGS ?=
test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) $(CTEST_ARGS)

# The whole suite under AddressSanitizer and UndefinedBehaviorSanitizer, and
# the libFuzzer targets of every file reader (fuzz/), share one clang tree:
# the fuzz targets' coverage instrumentation is kept to the readers' folders
# (CMakeLists.txt), where it costs the tests little, and a second sanitized
# build of everything would cost a small machine a quarter of an hour.
SAN_BUILD ?= $(BUILD)-san
# Line tables are all a sanitizer's report reads: full debug information
# would cost a tenth of the build.
SAN_FLAGS := -gline-tables-only -O1
$(SAN_BUILD)/build.ninja:
	CC=$(FUZZ_CC) CXX=$(FUZZ_CXX) cmake -S . -B $(SAN_BUILD) -G Ninja -DORVEX_SANITIZE=ON -DORVEX_FUZZ=ON \
	  -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="$(SAN_FLAGS)" -DCMAKE_C_FLAGS_DEBUG="$(SAN_FLAGS)"

# The sanitizers' tree built (all that test-asan and fuzz-smoke run).
san-build: deps $(SAN_BUILD)/build.ninja
	cmake --build $(SAN_BUILD) -j $(JOBS)

# Each test once, in its program run whole (tests/CMakeLists.txt): the
# single runs, labelled "alone", are left to `ctest -R` by hand, and the
# checks of sources alone ("sources") to `make test`.
test-asan: san-build
	cd $(SAN_BUILD) && UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ctest --output-on-failure -j $(JOBS) \
	  -LE '^(alone|sources)$$'

fuzz-build: deps $(SAN_BUILD)/build.ninja
	cmake --build $(SAN_BUILD) -j $(JOBS) --target fuzz_targets

fuzz: fuzz-build
	fuzz/run.sh $(SAN_BUILD) $(FUZZ_SECONDS) $(FUZZ_TARGETS)

# Random flights to their end on LNAV and VNAV: FLIGHTS of them from seed
# FLIGHTS_FIRST (from the clock when empty).
FLIGHTS ?= 1000
FLIGHTS_FIRST ?=
flights: build
	FLIGHTS=$(FLIGHTS) FLIGHTS_FIRST=$(FLIGHTS_FIRST) $(BUILD)/tests/test_fms --gtest_also_run_disabled_tests \
	  --gtest_filter='RandomFlights.DISABLED_Run'

# FUZZ_BUILD= leaves out the build where the tree is built already: .ci/run
# fuzzes beside the sanitizers' suite, and two builds of one tree must not
# run at once.
FUZZ_BUILD ?= fuzz-build
fuzz-smoke: $(FUZZ_BUILD)
	fuzz/run.sh $(SAN_BUILD) $(FUZZ_SMOKE_SECONDS) $(FUZZ_TARGETS)

# The demo runs on a fresh copy of the example simulator folder, because the
# module writes route files and flight logs below it. Each run is
# ROOT:PANEL:SCRIPT (files of examples/sim); a root is copied fresh on its
# first run, so runs that share one see each other's files.
DEMO_RUNS := demo-sim:panel.cfg:demo.script demo-sim:cdu_panel.cfg:cdu_demo.script \
	demo-vnav:cdu_panel.cfg:cdu_vnav.script demo-nd:nd_panel.cfg:nd_modes.script \
	demo-md11:md11_panel.cfg:md11_modes.script \
	demo-pfd:pfd_panel.cfg:pfd.script demo-efs50:efs50_panel.cfg:efs50_modes.script \
	demo-dumd80:du_md80_panel.cfg:du_md80_modes.script \
	demo-panels:panels_panel.cfg:panels.script demo-gns:gns_panel.cfg:gns_demo.script \
	demo-mcu:mcu_panel.cfg:mcu_demo.script \
	demo-c17:c17_panel.cfg:c17.script demo-c17eng:c17_engines_panel.cfg:c17_engines.script \
	demo-c17nav:c17_nav_panel.cfg:c17_nav.script \
	demo-attitude:attitude_panel.cfg:attitude.script \
	demo-efs50x:efs50_expanded_panel.cfg:efs50_expanded.script \
	demo-proline4:proline4_panel.cfg:proline4_pages.script demo-p1000:p1000_panel.cfg:p1000.script \
	demo-mcuframe:mcu_frame_panel.cfg:mcu_frame.script

# It builds only the module and the stand-in, not the test programs. What each
# script prints also goes to DEMO_OUT/SCRIPT.txt, for `make test-windows`.
demo: configure
	cmake --build $(BUILD) -j $(JOBS) --target orvex1 orvex-sim
	@$(MAKE) --no-print-directory demo-runs

# The runs of the demo, pictures into DEMO_OUT, simulator folders below DEMO_ROOTS.
DEMO_OUT ?= out
DEMO_ROOTS ?= $(BUILD)
demo-runs:
	mkdir -p $(DEMO_OUT) $(DEMO_ROOTS)
	@fresh=" "; for run in $(DEMO_RUNS); do \
	  root=$${run%%:*}; rest=$${run#*:}; panel=$${rest%%:*}; script=$${rest#*:}; \
	  case "$$fresh" in *" $$root "*) ;; *) rm -rf $(DEMO_ROOTS)/$$root && cp -r examples/sim $(DEMO_ROOTS)/$$root; \
	    fresh="$$fresh$$root ";; esac; \
	  echo "orvex-sim $$panel $$script"; \
	  $(BUILD)/orvex-sim --module $(BUILD)/orvex1.so --root $(DEMO_ROOTS)/$$root \
	    --panel examples/sim/$$panel --script examples/sim/$$script --out $(DEMO_OUT) \
	    >$(DEMO_OUT)/$${script%.script}.txt; status=$$?; cat $(DEMO_OUT)/$${script%.script}.txt; \
	  [ $$status = 0 ] || exit 1; \
	done

# Every picture of the demo drawn again with one Cairo call per drawing call
# (no coverage kept) into $(BUILD)/out-uncovered, and each compared with its
# twin of out/ (tools/picture_check.py).
# DEMO= leaves out the demo run where it has just run (.ci/run).
DEMO ?= demo
picture-check: $(DEMO)
	ORVEX_GFX_UNCOVERED=1 $(MAKE) --no-print-directory demo-runs DEMO_OUT=$(BUILD)/out-uncovered \
	  DEMO_ROOTS=$(BUILD)/uncovered >/dev/null
	python3 tools/picture_check.py out $(BUILD)/out-uncovered

# The Windows module orvex1.gau and orvex-sim.exe, cross-compiled with
# mingw-w64, and the same run under wine with GDI+ (tools/wine_test.sh).
# The module users install is the i686 one, built on every machine; the twin
# run under wine is that build where the kernel starts 32-bit programs, else
# an x86_64 twin of the module, the stand-in and the platform tests in
# WIN64_BUILD under a 64-bit prefix (tools/wine_twin.sh; WINE_TWIN=32 or 64
# picks one).
WIN_BUILD ?= $(BUILD)-win
WIN64_BUILD ?= $(BUILD)-win64
WINE_TWIN ?=
twin = $(shell WINE_TWIN=$(WINE_TWIN) tools/wine_twin.sh)
WIN_PACKAGES = g++-mingw-w64-i686 mingw-w64-i686-dev libgtest-dev cmake ninja-build ccache \
	$(if $(filter 64,$(twin)),g++-mingw-w64-x86-64 mingw-w64-x86-64-dev)
# Without recommended packages: they pull a font installer that downloads fonts
# and asks for a licence. No i386 package where the kernel runs no 32-bit
# programs: there wine64 alone runs the 64-bit twin.
WINE_PACKAGES = wine $(if $(filter 64,$(twin)),wine64,wine32:i386) fonts-liberation

# Outside CI (CI unset) the Windows targets say what they will install and
# wait for a yes, unless WINE_INSTALL=yes.
CONFIRM_INSTALL = if [ -z "$$CI" ] && [ "$$WINE_INSTALL" != yes ]; then \
	  printf "install them? [y/N] (WINE_INSTALL=yes or CI=1 answers yes) "; read answer; \
	  case "$$answer" in y|Y|yes) ;; *) echo "nothing installed"; exit 1;; esac; fi

windows-deps:
	@missing=""; for p in $(WIN_PACKAGES); do \
	  dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then \
	  echo "to install:$$missing"; \
	  $(CONFIRM_INSTALL); \
	  tools/apt_install.sh --no-recommends $$missing; \
	fi

# tools/wine_deps.sh installs them, also where the mirror's i386 security
# index is caught in its sync.
wine-deps:
	@packages="$(WINE_PACKAGES)"; missing=""; for p in $$packages; do \
	  dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then \
	  echo "to install:$$missing"; \
	  case "$$missing" in *:i386*) dpkg --print-foreign-architectures | grep -qx i386 || \
	    echo "and first the i386 architecture, whose libraries apt-get may only install by upgrading some of this machine's packages to the same versions";; esac; \
	  $(CONFIRM_INSTALL); \
	  tools/wine_deps.sh $$missing; \
	fi

# Two builds of each (cmake/windows.cmake): the module with the win32 thread
# model in <build>/module, the stand-in and the platform tests with the posix
# model in <build>; the module is copied beside the stand-in.
WIN_CONFIGURE = cmake -G Ninja -DCMAKE_BUILD_TYPE=Release
$(WIN_BUILD)/module/build.ninja:
	$(WIN_CONFIGURE) -S . -B $(@D) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DORVEX_MINGW_THREADS=win32
$(WIN_BUILD)/build.ninja:
	$(WIN_CONFIGURE) -S . -B $(@D) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DORVEX_MINGW_THREADS=posix
# The x86_64 twin is only run under wine, never installed: it builds at -O1,
# for less compile time, with the same results (SSE arithmetic at
# either level, no contraction). The i686 module keeps the release flags.
WIN64_CONFIGURE = $(WIN_CONFIGURE) -DCMAKE_CXX_FLAGS_RELEASE="-O1 -DNDEBUG" -DCMAKE_C_FLAGS_RELEASE="-O1 -DNDEBUG"
$(WIN64_BUILD)/module/build.ninja:
	$(WIN64_CONFIGURE) -S . -B $(@D) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DORVEX_MINGW_THREADS=win32
$(WIN64_BUILD)/build.ninja:
	$(WIN64_CONFIGURE) -S . -B $(@D) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DORVEX_MINGW_THREADS=posix

# The i686 module always; the stand-in and the platform tests of the twin
# that runs here, with its module where that is the x86_64 one. The trees
# build at once (make -j), so that no core waits while one tree links or
# compiles its last long file.
windows: windows-deps
	@$(MAKE) --no-print-directory -j 4 windows-module windows-twin$(twin)
	cp $(WIN_BUILD)/module/orvex1.gau $(WIN_BUILD)/orvex1.gau

windows-module: $(WIN_BUILD)/module/build.ninja
	cmake --build $(WIN_BUILD)/module -j $(JOBS) --target orvex1

windows-twin32: $(WIN_BUILD)/build.ninja
	cmake --build $(WIN_BUILD) -j $(JOBS) --target orvex-sim test_platform_win

windows-twin64: windows-twin64-module windows-twin64-programs
	cp $(WIN64_BUILD)/module/orvex1.gau $(WIN64_BUILD)/orvex1.gau

windows-twin64-module: $(WIN64_BUILD)/module/build.ninja
	cmake --build $(WIN64_BUILD)/module -j $(JOBS) --target orvex1

windows-twin64-programs: $(WIN64_BUILD)/build.ninja
	cmake --build $(WIN64_BUILD) -j $(JOBS) --target orvex-sim test_platform_win

# Exports of each module and the imports of the i686 one, the platform tests,
# every panel and script of `make demo` into out-win/, what each printed
# against out/, and each PNG of out/ against its twin, under wine with the
# twin that runs here.
test-windows: windows wine-deps $(DEMO)
	WINE_TWIN=$(WINE_TWIN) tools/wine_test.sh $(WIN_BUILD) $(WIN64_BUILD) "$(DEMO_RUNS)"

BENCH_PROGRAMS := orvex-bench orvex-nd-bench orvex-c17-bench orvex-mcu-bench orvex-attitude-bench \
	orvex-panel-bench orvex-profile-bench
# The benchmarks also build with `make build`, and `make test` runs each
# briefly; here they are timed in a release build without the plan checks,
# as the module a pilot flies is built. With BASELINE=<git ref> that commit
# is built the same way in $(BUILD)-baseline and the P1000 frame, the whole
# panel and the cover compositing are timed beside it (ORVEX_BASELINE, which
# may also name such a build folder directly). The folder's file "commit"
# names the commit: the panel's goal is judged against one named build only.
BASELINE ?=
BASELINE_DIR := $(abspath $(BUILD))-baseline
BENCH_ENV := $(if $(BASELINE),ORVEX_BASELINE=$(BASELINE_DIR)/build)
bench: deps $(if $(BASELINE),bench-baseline)
	cmake -S . -B $(BUILD)-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVEX_PLAN_CHECKS=OFF
	cmake --build $(BUILD)-bench -j $(JOBS) --target $(BENCH_PROGRAMS)
	$(BUILD)-bench/bench/orvex-bench
	$(BENCH_ENV) $(BUILD)-bench/bench/orvex-nd-bench
	$(BUILD)-bench/bench/orvex-c17-bench
	$(BUILD)-bench/bench/orvex-mcu-bench
	$(BUILD)-bench/bench/orvex-attitude-bench
	$(BENCH_ENV) $(BUILD)-bench/bench/orvex-panel-bench
	$(BUILD)-bench/bench/orvex-profile-bench

bench-baseline:
	rm -rf $(BASELINE_DIR) && mkdir -p $(BASELINE_DIR)
	git archive $(BASELINE) | tar -x -C $(BASELINE_DIR)
	mkdir -p $(BASELINE_DIR)/build && git rev-parse --verify '$(BASELINE)^{commit}' > $(BASELINE_DIR)/build/commit
	cmake -S $(BASELINE_DIR) -B $(BASELINE_DIR)/build -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVEX_PLAN_CHECKS=OFF
	cmake --build $(BASELINE_DIR)/build -j $(JOBS) --target orvex1 orvex-sim orvex-nd-bench

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(BUILD)-asan $(BUILD)-san $(BUILD)-bench $(BUILD)-baseline $(BUILD)-fuzz $(BUILD)-win $(BUILD)-win64 out out-win
