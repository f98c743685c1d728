#!/bin/sh
# Which twin of the Windows build runs under wine on this machine: "32"
# where the kernel starts 32-bit programs (the module users install, under a
# 32-bit prefix), else "64" (its x86_64 twin under a 64-bit prefix).
# WINE_TWIN=32 or 64 picks one. The kernel is asked with a tiny static i386
# program written here (exit code 42), not with wine, which may not be
# installed yet and whose own failure would say nothing of the kernel.
#
# usage: tools/wine_twin.sh [--why]   (--why: the twin and the reason, one line)
set -e
why() { [ "$1" = --why ]; }
case "$WINE_TWIN" in
32 | 64)
    if why "$1"; then echo "$WINE_TWIN-bit twin, as WINE_TWIN asks"; else echo "$WINE_TWIN"; fi
    exit 0
    ;;
"") ;;
*)
    echo "WINE_TWIN is '$WINE_TWIN', not 32 or 64" >&2
    exit 2
    ;;
esac

probe=$(mktemp "${TMPDIR:-/tmp}/i386-probe.XXXXXX")
trap 'rm -f "$probe"' EXIT
# ELF header, one loadable segment at 0x08048000, and: mov eax,1; mov ebx,42; int 0x80.
for byte in 7f 45 4c 46 01 01 01 00 00 00 00 00 00 00 00 00 02 00 03 00 01 00 00 00 \
    54 80 04 08 34 00 00 00 00 00 00 00 00 00 00 00 34 00 20 00 01 00 00 00 00 00 00 00 \
    01 00 00 00 00 00 00 00 00 80 04 08 00 80 04 08 60 00 00 00 60 00 00 00 05 00 00 00 00 10 00 00 \
    b8 01 00 00 00 bb 2a 00 00 00 cd 80; do
    # shellcheck disable=SC2059
    printf "\\$(printf %o "0x$byte")"
done >"$probe"
chmod +x "$probe"
rc=0
said=$("$probe" 2>&1) || rc=$?
if [ $rc = 42 ]; then
    if why "$1"; then echo "32-bit twin: this kernel runs 32-bit programs"; else echo 32; fi
elif why "$1"; then
    # The shell's words for the failure, without the probe's path.
    said=$(sh -c "'$probe'" 2>&1 | sed 's|.*: ||' | tail -n 1) || true
    echo "64-bit twin: this kernel runs no 32-bit programs (a static i386 program: ${said:-exit status $rc})"
else
    echo 64
fi
