#!/usr/bin/env bash
# Installs every Debian package the build, the tests, the demo and the benchmarks need (--bench, --fuzz:
# the optional extras of `make bench` and `make fuzz`). 64-bit Wine alone runs the Windows tests: no i386.
# Only missing packages are installed, so a prepared machine pays nothing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config python3
  libgtest-dev libgmock-dev libbenchmark-dev
  libpcre2-dev libxml2-dev libgettextpo-dev gettext
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 googletest
  wine wine64 xvfb
  clang-format clang-tidy
)
optional=(translate-toolkit hyperfine)
# clang with libFuzzer and its sanitizer runtimes, for `make fuzz` only.
fuzz=(clang libclang-rt-14-dev)

missing() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}

install() {
  local need
  mapfile -t need < <(missing "$@")
  [ ${#need[@]} -eq 0 ] && return 0
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "installing: ${need[*]}" >&2
  $sudo apt-get update -qq >/dev/null || true
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
}

install "${packages[@]}"
case "${1:-}" in
  --bench) install "${optional[@]}" ;;
  --fuzz) install "${fuzz[@]}" ;;
esac
