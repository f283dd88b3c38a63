#!/usr/bin/env bash
# `cmake --install` into a scratch prefix: the expected files, valid metadata, a program that starts.
# Usage: InstallTree.sh <build folder> [--program] [--sounds] [--icons]
set -uo pipefail
build=$1
shift
here=$(cd "$(dirname "$0")" && pwd)
. "$here/installed-files.sh"
parse_expectations "$@"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A prefix with a space in it, so no path in the rules depends on word splitting.
prefix="$work/scratch prefix"
cmake --install "$build" --prefix "$prefix" >"$work/install.log" || {
    cat "$work/install.log" >&2
    fail "cmake --install failed"
}
check_prefix "$prefix"
check_starts "$prefix" "$work"
echo "PASS"
