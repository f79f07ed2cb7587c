#!/usr/bin/env bash
# Whole-process benchmark: inline-patterns against translate-toolkit's pofilter on the same PO files.
# The files are Debian's installed message catalogs (a fixed set of languages and domains, turned back
# into PO with msgunfmt); both tools run the same four checks: printf, XML tags, URLs, e-mail addresses.
# Usage: bench/run.sh BUILD_DIR   (e.g. build/release; BENCH_LANGS and BENCH_DOMAINS override the set)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build/release}"
program="$build/host/inline-patterns"
module="$build/src/addin/ZAKRegExChecks.zak"
langs=(${BENCH_LANGS:-de fr es ja ru})
domains=(${BENCH_DOMAINS:-coreutils bash dpkg apt findutils grep diffutils gettext-tools glib20 gnupg2})

for tool in "$program" msgunfmt pofilter; do
  command -v "$tool" > /dev/null || { echo "bench: $tool is missing (make bench installs it)" >&2; exit 2; }
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
for lang in "${langs[@]}"; do
  for domain in "${domains[@]}"; do
    mo="/usr/share/locale/$lang/LC_MESSAGES/$domain.mo"
    [ -f "$mo" ] || continue
    mkdir -p "$work/po/$lang"
    msgunfmt "$mo" -o "$work/po/$lang/$domain.po" 2> /dev/null
  done
done
files=$(find "$work/po" -name '*.po' | wc -l)
[ "$files" -gt 0 ] || { echo "bench: none of the catalogs is installed" >&2; exit 2; }

# Units checked: the translated entries and plural forms, as inline-patterns counts them.
units=$("$program" --module "$module" --global-dir bench/rules --format json -q "$work/po" |
  python3 -c 'import json, sys; print(json.load(sys.stdin)["summary"]["units"])' || true)

# Seconds of one command: the mean of hyperfine's runs when it is installed, else one timed run.
seconds() {
  local runs="$1"; shift
  if command -v hyperfine > /dev/null; then
    hyperfine --runs "$runs" --ignore-failure --style none --export-json "$work/time.json" "$*" > /dev/null 2>&1
    python3 -c 'import json, sys; print(json.load(open(sys.argv[1]))["results"][0]["mean"])' "$work/time.json"
  else
    local start end
    start=$(date +%s.%N)
    eval "$*" > /dev/null 2>&1 || true
    end=$(date +%s.%N)
    echo "$end - $start" | bc -l
  fi
}

ours=$(seconds 5 "$program --module $module --global-dir bench/rules -q $work/po > /dev/null")
theirs=$(seconds 1 "pofilter --progress=none -t printf -t xmltags -t urls -t emails -i $work/po -o $work/pofilter")

python3 - "$files" "$units" "$ours" "$theirs" <<'PY'
import sys
files, units, ours, theirs = int(sys.argv[1]), int(sys.argv[2]), float(sys.argv[3]), float(sys.argv[4])
print(f"{files} PO files, {units} units")
print(f"inline-patterns: {ours:8.3f} s  {units / ours:12,.0f} units/s")
print(f"pofilter:        {theirs:8.3f} s  {units / theirs:12,.0f} units/s")
print(f"ratio: inline-patterns is {theirs / ours:.0f} times faster (target: at least 100)")
PY
