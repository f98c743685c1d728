#!/bin/sh
# Installs packages with apt-get, as root or through sudo, on a machine whose
# mirror may be in the middle of its sync: an index or a package file then
# fails now and then ("File has unexpected size ... Mirror sync in progress?"),
# for minutes or, for one architecture of one suite, for hours.
#
# usage: tools/apt_install.sh [--no-recommends] [--release SUITE] PACKAGE...
#
# - Each file is fetched again a few times (Acquire::Retries), and the update
#   as a whole is tried again; if an index still fails, the install goes on
#   with the indexes that were fetched (apt-get keeps or ignores the failed
#   one), so one broken index of an unused architecture or suite stops nothing.
# - Another apt-get at work (an unattended upgrade, a second install) is
#   waited for, up to 10 min, rather than failing on its lock.
# - A failed install is tried once more after a fresh update, and then with
#   the release suite preferred (-t SUITE, this system's by default), whose
#   files stay put while a newer suite's index names files not yet synced.
# APT_INSTALL_OPTIONS adds apt-get options (e.g. another sources list, or -s
# to try it without installing); APT_INSTALL_PAUSE is the wait between tries
# (20 s).
set -e
recommends=""
release=""
while [ $# -gt 0 ]; do
    case "$1" in
    --no-recommends) recommends=--no-install-recommends ;;
    --release)
        release=$2
        shift
        ;;
    *) break ;;
    esac
    shift
done
[ $# -gt 0 ] || { echo "usage: $0 [--no-recommends] [--release SUITE] PACKAGE..." >&2; exit 2; }
[ -n "$release" ] || release=$(. /etc/os-release && echo "${VERSION_CODENAME:-stable}")
SUDO=$([ "$(id -u)" = 0 ] || echo sudo)
pause=${APT_INSTALL_PAUSE:-20}

apt() {
    # shellcheck disable=SC2086
    $SUDO env DEBIAN_FRONTEND=noninteractive apt-get -o Acquire::Retries=3 -o DPkg::Lock::Timeout=600 $APT_INSTALL_OPTIONS "$@"
}
update() {
    for try in 1 2 3; do
        apt update -qq && return 0
        [ $try = 3 ] || sleep "$pause"
    done
    echo "apt-install: some indexes failed; installing from those fetched" >&2
}
install() {
    # shellcheck disable=SC2086
    apt install -y -qq $recommends "$@"
}

update
install "$@" && exit 0
echo "apt-install: the install failed; once more after a fresh update" >&2
sleep "$pause"
update
install "$@" && exit 0
echo "apt-install: the install failed again; preferring $release" >&2
install -t "$release" "$@"
