#!/usr/bin/env bash
# Installs every Debian package the build, the tests, the demo and the benchmarks need (--bench, --fuzz:
# the optional extras of `make bench` and `make fuzz`; --recipes: pre-commit, to try the README's recipe;
# --docs: what docs/neovim-screenshot.sh needs).
# 64-bit Wine alone runs the Windows tests: no i386.
# Only missing packages are installed, so a prepared machine pays nothing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config python3
  libgtest-dev libgmock-dev libbenchmark-dev
  libpcre2-dev libxml2-dev libgettextpo-dev gettext nlohmann-json3-dev
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 googletest
  wine wine64 xvfb
  clang-format clang-tidy valgrind
  help2man dpkg-dev lintian
  ant ant-optional python3-jsonschema
  # renders the HTML report in its test
  chromium
  # the editor whose built-in LSP client the language server's editor test drives
  neovim
)
optional=(translate-toolkit hyperfine)
# clang with libFuzzer and its sanitizer runtimes, for `make fuzz` only.
fuzz=(clang libclang-rt-14-dev)
recipes=(pre-commit)
# docs/neovim-screenshot.sh: a virtual terminal and its colours as HTML.
docs=(tmux aha)

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

# PCRE2's sources, from Debian's source package, for the Windows test host (tests/wine builds them).
pcre2_source=/usr/local/src/pcre2
fetch_pcre2_source() {
  [ -f "$pcre2_source/CMakeLists.txt" ] && return 0
  local sudo="" work list=/etc/apt/sources.list.d/inline-patterns-src.sources
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  work=$(mktemp -d)
  if ! (cd "$work" && apt-get source -qq pcre2 >"$work/apt.log" 2>&1); then
    # apt knows no source packages yet: add Debian's for this release.
    echo "adding Debian's source packages to apt: $list" >&2
    printf '%s\n' 'Types: deb-src' 'URIs: http://deb.debian.org/debian' \
      "Suites: $(. /etc/os-release && echo "$VERSION_CODENAME")" 'Components: main' \
      'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' | $sudo tee "$list" >/dev/null
    $sudo apt-get update -qq >/dev/null
    if ! (cd "$work" && apt-get source -qq pcre2 >"$work/apt.log" 2>&1); then
      cat "$work/apt.log" >&2
      return 1
    fi
  fi
  $sudo rm -rf "$pcre2_source"
  $sudo mkdir -p "$(dirname "$pcre2_source")"
  $sudo mv "$work"/pcre2-*/ "$pcre2_source"
  rm -rf "$work"
}

# The reports' real consumers for the tests: Microsoft's SARIF Multitool and the SARIF 2.1.0 schema (shipped
# in Microsoft's jest-sarif). npm comes with Debian's nodejs unless a node is there already.
npm_tools=(@microsoft/sarif-multitool @microsoft/jest-sarif)
install_npm_tools() {
  command -v npm >/dev/null || install nodejs npm
  local root tool need=()
  root=$(npm root -g)
  for tool in "${npm_tools[@]}"; do [ -d "$root/$tool" ] || need+=("$tool"); done
  [ ${#need[@]} -eq 0 ] && return 0
  echo "installing from npm: ${need[*]}" >&2
  npm install -g --no-fund --no-audit "${need[@]}" >/dev/null
  # Its install script, which makes the program executable, may be refused by npm's script policy.
  find "$root/@microsoft" -name Sarif.Multitool -exec chmod a+x {} +
}

# The language server's protocol tests and latency benchmark drive it with VS Code's protocol library, the
# versions tests/lsp/package-lock.json pins; npm ci again only when the lock file changed.
install_lsp_client() {
  local folder
  folder="$(cd "$(dirname "$0")/.." && pwd)/tests/lsp"
  [ "$folder/node_modules/.package-lock.json" -nt "$folder/package-lock.json" ] && return 0
  echo "installing from npm: the LSP client of tests/lsp" >&2
  (cd "$folder" && npm ci --no-fund --no-audit >/dev/null)
}

install "${packages[@]}"
install_npm_tools
install_lsp_client
fetch_pcre2_source
case "${1:-}" in
  --bench) install "${optional[@]}" ;;
  --fuzz) install "${fuzz[@]}" ;;
  --recipes) install "${recipes[@]}" ;;
  --docs) install "${docs[@]}" ;;
esac
