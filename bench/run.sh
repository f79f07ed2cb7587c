#!/usr/bin/env bash
# Whole-process benchmark: inline-patterns against translate-toolkit's pofilter on the same catalogs, once as
# PO and once as XLIFF 1.2. The files are Debian's installed message catalogs (a fixed set of languages and
# domains, turned back into PO with msgunfmt, then into XLIFF with po2xliff); both tools run the same four
# checks: printf, XML tags, URLs, e-mail addresses. A run of ours without rules shows what reading alone costs.
# Usage: bench/run.sh BUILD_DIR   (e.g. build/release; BENCH_LANGS and BENCH_DOMAINS override the set)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build/release}"
program="$build/host/inline-patterns"
module="$build/src/addin/ZAKRegExChecks.zak"
langs=(${BENCH_LANGS:-de fr es ja ru})
domains=(${BENCH_DOMAINS:-coreutils bash dpkg apt findutils grep diffutils gettext-tools glib20 gnupg2})

for tool in "$program" msgunfmt pofilter po2xliff; do
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
po2xliff --progress=none -i "$work/po" -o "$work/xlf" > /dev/null 2>&1
mkdir -p "$work/no-rules"

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

# One line of figures per format: files, units, our time, our time without rules, pofilter's time.
measure() {
  local format="$1" folder="$2" units ours reading theirs
  # Units checked: the translated entries (and PO plural forms), as inline-patterns counts them.
  units=$("$program" --module "$module" --global-dir bench/rules --format json -q "$folder" |
    python3 -c 'import json, sys; print(json.load(sys.stdin)["summary"]["units"])' || true)
  ours=$(seconds 5 "$program --module $module --global-dir bench/rules -q $folder > /dev/null")
  reading=$(seconds 5 "$program --module $module --global-dir $work/no-rules -q $folder > /dev/null")
  theirs=$(seconds 1 "pofilter --progress=none -t printf -t xmltags -t urls -t emails -i $folder -o $work/out-$format")
  echo "$format $(find "$folder" -type f | wc -l) $units $ours $reading $theirs"
}

{ measure PO "$work/po"; measure XLIFF "$work/xlf"; } | python3 -c '
import sys
for line in sys.stdin:
    name, files, units, ours, reading, theirs = line.split()
    files, units, ours, reading, theirs = int(files), int(units), float(ours), float(reading), float(theirs)
    print(f"{name}: {files} files, {units} units")
    print(f"  inline-patterns: {ours:8.3f} s  {units / ours:12,.0f} units/s")
    print(f"    reading alone: {reading:8.3f} s  ({100 * reading / ours:.0f}% of the run; no rules)")
    if ours > reading:
        print(f"    checks alone:  {ours - reading:8.3f} s  {units / (ours - reading):12,.0f} units/s (the difference)")
    print(f"  pofilter:        {theirs:8.3f} s  {units / theirs:12,.0f} units/s")
    print(f"  ratio: inline-patterns is {theirs / ours:.0f} times faster (target: at least 100)")
'
