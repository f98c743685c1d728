#!/bin/sh
# Installs wine and the fonts the Windows run draws with, as root or through
# sudo. Called by `make wine-deps`, which asks first outside CI and names
# wine32:i386 only where the kernel runs 32-bit programs (tools/wine_twin.sh),
# else wine64: then nothing of i386 is installed, nor its architecture added.
#
# usage: tools/wine_deps.sh PACKAGE...
#
# wine32 needs the i386 twin of every Multi-Arch library at the version of
# this machine's amd64 one. A mirror in the middle of its sync can fail the
# i386 index of the security suite for hours while the amd64 one is whole;
# then apt offers no i386 twin of a library that only the security suite
# holds and refuses the install. So when the ordinary install fails, wine is
# resolved from the release suite, and each such twin is fetched from the
# pool by name and version, beside the amd64 file the mirror lists.
# WINE_DEPS_FALLBACK=1 takes that path at once (to try it on a whole mirror).
set -e
[ $# -gt 0 ] || { echo "usage: $0 PACKAGE..." >&2; exit 2; }
packages="$*"
SUDO=$([ "$(id -u)" = 0 ] || echo sudo)

release=${WINE_DEPS_RELEASE:-bookworm}

# Without an i386 package the ordinary install is all; with one, the kernel
# must run what it installs.
case " $packages " in
*:i386*) ;;
*)
    exec "$(dirname "$0")/apt_install.sh" --no-recommends --release "$release" $packages
    ;;
esac
if [ "$(WINE_TWIN= "$(dirname "$0")/wine_twin.sh")" != 32 ]; then
    echo "wine-deps: $packages: this kernel runs no 32-bit programs, so nothing could use them" >&2
    exit 1
fi
dpkg --print-foreign-architectures | grep -qx i386 || $SUDO dpkg --add-architecture i386
# The ordinary install, which rides out a failed index or file
# (tools/apt_install.sh); with the fallback asked for, only the update.
if [ "$WINE_DEPS_FALLBACK" = 1 ]; then
    $SUDO apt-get -o Acquire::Retries=3 update -qq || true
elif "$(dirname "$0")/apt_install.sh" --no-recommends --release "$release" $packages; then
    exit 0
fi
echo "wine-deps: the ordinary install failed; resolving from $release with the i386 twins of this machine's libraries"

# The i386 packages wine needs, and of those the ones whose amd64 twin is
# installed at a version newer than any i386 one apt offers.
work=$(mktemp -d)
chmod 755 "$work" # apt fetches as its own user
trap 'rm -rf "$work"' EXIT
apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks \
    --no-replaces --no-enhances $packages 2>/dev/null | sed -n 's/^\([^ <][^ ]*\):i386$/\1/p' | sort -u >"$work/closure"
twins=""
while read -r name; do
    installed=$(dpkg-query -W -f='${Version} ${Multi-Arch}' "$name:amd64" 2>/dev/null) || continue
    set -- $installed
    [ "$2" = same ] || continue
    offered=$(apt-cache -t "$release" policy "$name:i386" | sed -n 's/^ *Candidate: //p')
    if [ -z "$offered" ] || [ "$offered" = "(none)" ] || dpkg --compare-versions "$offered" lt "$1"; then
        # The amd64 file's address names the pool folder; its i386 twin lies beside it.
        uri=$(apt-get download --print-uris "$name:amd64=$1" 2>/dev/null | sed -n "s/^'\([^']*\)'.*/\1/p")
        if [ -z "$uri" ]; then
            echo "wine-deps: $name $1 (amd64) is in no index: no i386 twin to fetch" >&2
            continue
        fi
        file="$work/$(basename "$uri" | sed 's/%2[bB]/+/g; s/_amd64\.deb$/_i386.deb/')"
        echo "wine-deps: fetching $name:i386 $1"
        /usr/lib/apt/apt-helper download-file "$(echo "$uri" | sed 's/_amd64\.deb$/_i386.deb/')" "$file" >/dev/null
        # A twin must be what its name says before it goes to dpkg.
        [ "$(dpkg-deb -f "$file" Package Version Architecture | tr '\n' ' ')" = \
            "Package: $name Version: $1 Architecture: i386 " ] || {
            echo "wine-deps: $file is not $name:i386 $1" >&2
            exit 1
        }
        twins="$twins $file"
    fi
done <"$work/closure"
# apt reads the local files of the twins with the names of the packages.
# shellcheck disable=SC2086
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get -o Acquire::Retries=3 install -y -qq --no-install-recommends \
    -t "$release" $twins $packages
