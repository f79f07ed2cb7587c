#!/usr/bin/env bash
# The install tree and the Debian package as users get them. An install tree moved elsewhere and run from
# a third folder, with no rule file of the user's, reports on the sample project what the build reports
# with the rule set it bundles; the package holds exactly the installed files, its program does the same from
# an unpacked root, lintian finds no error, and making the package again gives the same bytes.
# Usage: run-tests.sh RELEASE_BUILD PACKAGE_FOLDER
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:?usage: run-tests.sh RELEASE_BUILD PACKAGE_FOLDER}" && pwd)
packages=$(cd "${2:?usage: run-tests.sh RELEASE_BUILD PACKAGE_FOLDER}" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}

# What a program reports on the sample project's files (without the project's own rule file, so that only
# the bundled rules apply), run from a folder of its own with an empty home.
cp -r "$root/examples/sample-project" "$scratch/project"
rm -rf "$scratch/project/.inline-patterns"
report() {
  mkdir -p "$scratch/run" "$scratch/home"
  (cd "$scratch/run" && HOME=$scratch/home XDG_CONFIG_HOME=$scratch/home/.config "$@" --quiet \
    "$scratch/project" 2>/dev/null) || true
}
expected=$(report "$build/host/inline-patterns" --global-dir "$root/examples/global")
[ -n "$expected" ] || fail "the build reports nothing on the sample project"

cmake --install "$build" --prefix "$scratch/installed" >/dev/null
mv "$scratch/installed" "$scratch/moved"
[ "$(report "$scratch/moved/bin/inline-patterns")" = "$expected" ] || fail "the moved install tree reports otherwise"

deb=$(ls "$packages"/inline-patterns_*_amd64.deb)
DESTDIR=$scratch/staged cmake --install "$build" --prefix /usr >/dev/null
installed=$(cd "$scratch/staged" && find . -type f | sort)
packaged=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sort)
[ "$installed" = "$packaged" ] || fail "the package holds other files than the install: $(diff <(echo "$installed") <(echo "$packaged"))"
dpkg-deb -x "$deb" "$scratch/unpacked"
[ "$(report "$scratch/unpacked/usr/bin/inline-patterns")" = "$expected" ] || fail "the unpacked package reports otherwise"

lint=$(lintian "$deb" 2>&1 | grep -v '^running with root' || true)
echo "lintian: ${lint:-no tags}"
if grep -q '^E:' <<<"$lint"; then fail "lintian reports errors"; fi

sums=$(cd "$packages" && sha256sum ./*)
rm -f "$packages"/*
make -C "$root" --no-print-directory package >/dev/null
[ "$(cd "$packages" && sha256sum ./*)" = "$sums" ] || fail "making the packages again gives other bytes"

[ "$failures" -eq 0 ] && echo "package tests passed"
exit $((failures > 0))
