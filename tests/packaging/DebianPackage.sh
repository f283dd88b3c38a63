#!/usr/bin/env bash
# `cpack -G DEB`, then the package's metadata and its files unpacked into a scratch root.
# Usage: DebianPackage.sh <build folder> [--program] [--sounds] [--icons]
set -uo pipefail
build=$1
shift
here=$(cd "$(dirname "$0")" && pwd)
. "$here/installed-files.sh"
parse_expectations "$@"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 || {
    cat "$work/cpack.log" >&2
    fail "cpack failed"
}
debs=("$work"/out/rennor_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "no single rennor_*.deb: ${debs[*]}"
deb=${debs[0]}

[ "$(dpkg-deb -f "$deb" Package)" = rennor ] || fail "the package is not named rennor"
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "the package is not in the games section"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
if [ "$PROGRAM" = 1 ]; then
    for lib in libqt6widgets6 libqt6multimedia6 libfluidsynth3 libc6; do
        grep -q "$lib" <<<"$depends" || fail "the dependencies miss $lib"
    done
fi

dpkg -x "$deb" "$work/root" || fail "dpkg -x failed"
check_prefix "$work/root/usr"
check_starts "$work/root/usr" "$work"
echo "PASS"
