#!/bin/sh
# The Windows build under wine: checks the modules' exports and the i686
# module's imports, runs the platform tests and every demo run into out-win/,
# and compares what each run printed and each picture of out/ with its twin.
# Headless: wine's null display driver, in a private prefix under the build
# folder of the twin that runs (tools/wine_twin.sh): the i686 build under a
# 32-bit prefix where the kernel starts 32-bit programs, else its x86_64 twin
# under a 64-bit prefix. Prints each step's time.
#
# usage: tools/wine_test.sh WIN_BUILD WIN64_BUILD "ROOT:PANEL:SCRIPT ..."
# WINE_TWIN=32 or 64 picks the twin. WINE_JOBS runs go at once (3), but the
# roots of WINE_ALONE_ROOTS (demo-mcu) each alone, after the others. Drawing
# under wine is slow, so within a long run of frames the gauges draw on every
# WINE_DRAW_EVERY-th frame (10) and on the run's last; every frame still
# updates, and every picture is drawn on the frame it is taken.
set -e
cd "$(dirname "$0")/.."
export WINEDEBUG=-all
unset DISPLAY WAYLAND_DISPLAY
# The loader of the prefix's kind: Debian's wine starts its 32-bit loader
# whenever wine32 is installed, which a kernel without 32-bit programs cannot.
pick_loader() {
    if [ "$WINEARCH" = win64 ] && [ -x /usr/lib/wine/wine64 ]; then
        export WINELOADER=/usr/lib/wine/wine64
    fi
}
pick_loader
# `command`: without a loader picked, the wine on the PATH, not this function.
wine() { if [ -n "${WINELOADER:-}" ]; then "$WINELOADER" "$@"; else command wine "$@"; fi; }

# One root's runs, in order (called by the demo step below).
if [ "$1" = "--root" ]; then
    build=$2
    root=$3
    export WINEPREFIX="$(pwd)/$build/wine-prefix"
    rm -rf "$build/$root" && cp -r examples/sim "$build/$root"
    # The module is loaded from the root's GAUGES folder, where the module
    # looks itself up by path (its keyboard device needs its own handle).
    mkdir -p "$build/$root/GAUGES" && cp "$build/orvex1.gau" "$build/$root/GAUGES/"
    : >"$build/$root.log"
    for run in $4; do
        [ "${run%%:*}" = "$root" ] || continue
        rest=${run#*:}
        panel=${rest%%:*}
        script=${rest#*:}
        start=$(date +%s)
        printed="out-win/${script%.script}.txt"
        # The longest run (demo.script) takes 10 to 15 min on a loaded
        # machine; CI runs this beside the sanitizers' build and suite.
        timeout 3600 "${WINELOADER:-wine}" "$build/orvex-sim.exe" --draw-every "${WINE_DRAW_EVERY:-10}" \
            --module "$build/$root/GAUGES/orvex1.gau" --root "$build/$root" \
            --panel "examples/sim/$panel" \
            --script "examples/sim/$script" --out out-win >"$printed.crlf" 2>>"$build/$root.log" || {
            tail -20 "$build/$root.log" >&2
            exit 1
        }
        tr -d '\r' <"$printed.crlf" >"$printed" && rm -f "$printed.crlf"
        echo "orvex-sim.exe $panel $script: $(($(date +%s) - start)) s"
    done
    exit 0
fi

win32_build=$1
win64_build=$2
runs=$3
[ -n "$win32_build" ] && [ -n "$win64_build" ] && [ -n "$runs" ] ||
    { echo "usage: $0 WIN_BUILD WIN64_BUILD RUNS" >&2; exit 2; }
twin=$(tools/wine_twin.sh)
echo "== the $(tools/wine_twin.sh --why)"
if [ "$twin" = 64 ]; then
    build=$win64_build
    export WINEARCH=win64
else
    build=$win32_build
    export WINEARCH=win32
fi
pick_loader
echo "== runs $build/orvex-sim.exe and $build/orvex1.gau under a $WINEARCH prefix"
export WINEPREFIX="$(pwd)/$build/wine-prefix"
# Installed is not enough: wine32 asked for (WINE_TWIN=32) on a kernel that
# runs no 32-bit programs cannot start, and its "Exec format error" would
# otherwise surface mid-step.
if ! said=$(wine --version 2>&1); then
    echo "wine cannot start on this machine: $said" >&2
    exit 1
fi

step_start=0
step() {
    step_name=$1
    step_start=$(date +%s)
    echo "== $step_name"
}
step_done() {
    echo "== $step_name: $(($(date +%s) - step_start)) s"
}

step "exports and imports of orvex1.gau"
# The exports of each module built here; x86_64 programs also import the
# system's unwinding (RtlVirtualUnwind, ...), so the XP list is the i686 one's.
for arch in i686 x86_64; do
    module="$win32_build/orvex1.gau"
    if [ $arch = x86_64 ]; then
        [ "$twin" = 64 ] || continue
        module="$win64_build/orvex1.gau"
    fi
    exports=$($arch-w64-mingw32-objdump -p "$module" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | sed -n 's/^\s*\[ *[0-9]*\] //p' | sort | tr '\n' ' ')
    if [ "$exports" != "ImportTable Linkage " ]; then
        echo "$module exports '$exports', not exactly ImportTable and Linkage" >&2
        exit 1
    fi
    echo "$module exports: $exports"
done
dump=$(i686-w64-mingw32-objdump -p "$win32_build/orvex1.gau")
# Every imported function must be on the written list of those that Windows
# XP SP3 has (tools/winxp_imports.txt): an import the system lacks keeps the
# whole module from loading.
imports=$(echo "$dump" | sed -n '/The Import Tables/,/The Export Tables/p' |
    awk '/DLL Name:/ { dll = toupper($3); next }
         $1 ~ /^[0-9a-f]+$/ && NF == 3 { print dll "!" $3 }
         $1 ~ /^[0-9a-f]+$/ && NF == 2 { print dll "!#" $2 }' | sort)
if [ -z "$imports" ]; then
    echo "found no imports in $win32_build/orvex1.gau" >&2
    exit 1
fi
allowed=$(grep -v '^#' tools/winxp_imports.txt)
unlisted=$(echo "$imports" | while read -r f; do echo "$allowed" | grep -qxF "$f" || echo "$f"; done)
if [ -n "$unlisted" ]; then
    echo "$win32_build/orvex1.gau imports functions not on tools/winxp_imports.txt (Windows XP SP3):" $unlisted >&2
    exit 1
fi
echo "$win32_build/orvex1.gau: $(echo "$imports" | grep -c .) imports, all on tools/winxp_imports.txt"
step_done

step "wine prefix"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wine wineboot -i >/dev/null 2>&1
fi
# No display: the null driver still makes windows (the data-link window).
wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /t REG_SZ /d null /f >/dev/null
# The families the module draws with, on the faces the Linux build uses.
for family in "Arial" "HW Arial" "Tahoma" "Microsoft Sans Serif"; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$family" /t REG_SZ /d "Liberation Sans" /f >/dev/null
done
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "Courier New" /t REG_SZ /d "Liberation Mono" /f >/dev/null
wineserver -w
step_done

step "orvex-sim.exe --list"
count=$(wine "$build/orvex-sim.exe" --list | tr -d '\r' | grep -c .)
if [ "$count" -ne 54 ]; then
    echo "orvex-sim.exe --list gave $count gauges, not 54" >&2
    exit 1
fi
echo "$count gauges"
step_done

step "platform tests"
# One run: its summary shown, its status kept.
status=0
wine "$build/test_platform_win.exe" >"$build/platform_tests.log" 2>&1 || status=$?
tr -d '\r' <"$build/platform_tests.log" | grep -E '^\[ *(PASSED|FAILED|SKIPPED) *\]|Failure|error' || true
if [ "$status" -ne 0 ]; then
    echo "platform tests failed under wine" >&2
    exit 1
fi
step_done

step "demo runs into out-win"
rm -rf out-win && mkdir -p out-win
# Runs that share a root run in order on a fresh copy of it; roots run side
# by side, WINE_JOBS at a time. The roots that type (WINE_ALONE_ROOTS) run
# alone after them: their keys reach the MCU through the window system, and
# another run's window opening at once takes the front window and its keys.
alone=" ${WINE_ALONE_ROOTS-demo-mcu} "
roots=$(for run in $runs; do echo "${run%%:*}"; done | awk '!seen[$0]++')
beside=$(for root in $roots; do case "$alone" in *" $root "*) ;; *) echo "$root" ;; esac; done)
typing=$(for root in $roots; do case "$alone" in *" $root "*) echo "$root" ;; esac; done)
{ [ -z "$beside" ] || echo "$beside" | xargs -P "${WINE_JOBS:-3}" -I ROOT "$0" --root "$build" ROOT "$runs"; } &&
    for root in $typing; do "$0" --root "$build" "$root" "$runs" || exit 1; done || {
    echo "a demo run failed under wine" >&2
    exit 1
}
step_done

# Both comparisons run, then either fails the test.
failed=0

# The module's load warnings reach the Windows stand-in through orvex1.log:
# the same scripts on both builds give the same warnings (files by name), the
# same printed lines and the same status, strict stopping on each warning.
step "warnings under wine against Linux"
checks="$build/warning-checks"
rm -rf "$checks" && mkdir -p "$checks"
start='strict\naircraft position 47.449 -122.309\nframes 2\n'
printf "${start}route load KSEAKYKM.PLN\nframes 3\n" >"$checks/binary_sids.script"
printf "${start}route load KSEAKYKM.PLN\nfly 5 to KELSO\nframes 2\n" >"$checks/fly_short.script"
printf "${start}route load ONE.RTE\nframes 2\n" >"$checks/one_waypoint.script"
# Status, printed lines and warnings of one run, paths cut to file names.
said() {
    tr -d '\r' <"$1.out" | grep '^frame ' || true
    tr -d '\r' <"$1.err" | grep '^orvex-sim: ' | grep -v 'gauges placed\|frames run\|strict: stopped' |
        sed -e 's|^orvex-sim: [^ ]*[/\\]\([^/\\: ]*\): |orvex-sim: \1: |' -e 's| (TO .*||' || true
    echo "status $(cat "$1.rc")"
}
linux_build=${LINUX_BUILD:-build}
for check in binary_sids fly_short one_waypoint; do
    # The warning each must give (Linux; wine must say the same).
    case $check in
    binary_sids) expect_warning='sids.txt: is not a text file' ;;
    fly_short) expect_warning='fly: KELSO not reached in 5 frames' ;;
    one_waypoint) expect_warning='ONE.RTE: holds 1 waypoint: no route' ;;
    esac
    for side in linux win; do
        root="$checks/$check-$side"
        cp -r examples/sim "$root"
        [ $check = binary_sids ] && printf 'KSEA\0\001binary\n' >"$root/orvex/navdata/sids.txt"
        [ $check = one_waypoint ] && printf '[FlightPlan]\nKSEA 47.449 -122.3093 APT\n' >"$root/orvex/flightplans/ONE.RTE"
        rc=0
        if [ $side = linux ]; then
            "$linux_build/orvex-sim" --module "$linux_build/orvex1.so" --root "$root" \
                --panel examples/sim/cdu_panel.cfg --script "$checks/$check.script" --out "$checks" \
                >"$root.out" 2>"$root.err" || rc=$?
        else
            mkdir -p "$root/GAUGES" && cp "$build/orvex1.gau" "$root/GAUGES/"
            wine "$build/orvex-sim.exe" --module "$root/GAUGES/orvex1.gau" --root "$root" \
                --panel examples/sim/cdu_panel.cfg --script "$checks/$check.script" --out "$checks" \
                >"$root.out" 2>"$root.err" || rc=$?
        fi
        echo $rc >"$root.rc"
        said "$root" >"$root.said"
    done
    if ! grep -q "^orvex-sim: ${expect_warning}" "$checks/$check-linux.said" ||
        ! grep -qx 'status 3' "$checks/$check-linux.said"; then
        echo "FAIL $check: no '$expect_warning' or no stop on Linux"
        cat "$checks/$check-linux.said"
        failed=1
    elif ! diff "$checks/$check-linux.said" "$checks/$check-win.said"; then
        echo "FAIL $check: wine says otherwise (< Linux, > wine)"
        failed=1
    else
        echo "ok   $check: $(grep -c . "$checks/$check-win.said") lines the same"
    fi
done
step_done
step "what each run printed, out against out-win"
python3 tools/compare_runs.py out out-win || failed=1
step_done

step "pictures of out against out-win"
python3 tools/png_twins.py out out-win || failed=1
step_done
exit $failed
