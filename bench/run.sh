#!/usr/bin/env bash
# Whole-process benchmark, side by side in one run on the same files and the same four checks (printf, XML
# tags, URLs, e-mail addresses), once as PO and once as XLIFF 1.2: inline-patterns against translate-toolkit's
# pofilter, a plain Python script (bench/plain_check.py) and the bare floor (bench/BareFloor.cpp: the
# fastest reading, the same PCRE2 searches, no module). The files are Debian's installed message catalogs of
# a fixed set of languages, turned back into PO with msgunfmt, then into XLIFF with po2xliff. A run of ours
# without rules shows what reading alone costs.
# Usage: bench/run.sh BUILD_DIR   (e.g. build/release; BENCH_LANGS and BENCH_DOMAINS narrow the set)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build/release}"
program="$build/host/inline-patterns"
module="$build/src/addin/ZAKRegExChecks.zak"
floor="$build/bench/BareFloor"
langs=(${BENCH_LANGS:-de fr es ja ru pl})

for tool in "$program" "$floor" msgunfmt pofilter po2xliff; do
  command -v "$tool" > /dev/null || { echo "bench: $tool is missing (make bench installs it)" >&2; exit 2; }
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
for lang in "${langs[@]}"; do
  for mo in /usr/share/locale/"$lang"/LC_MESSAGES/*.mo; do
    domain=$(basename "$mo" .mo)
    [ -f "$mo" ] || continue
    [ -z "${BENCH_DOMAINS:-}" ] || [[ " $BENCH_DOMAINS " == *" $domain "* ]] || continue
    mkdir -p "$work/po/$lang"
    msgunfmt "$mo" -o "$work/po/$lang/$domain.po" 2> /dev/null || rm -f "$work/po/$lang/$domain.po"
  done
done
files=$(find "$work" -name '*.po' | wc -l)
[ "$files" -gt 0 ] || { echo "bench: none of the catalogs is installed" >&2; exit 2; }
po2xliff --progress=none -i "$work/po" -o "$work/xlf" > /dev/null 2>&1
# Reading alone: one active rule that checks nothing (an empty folder would get the bundled rule set, and
# a rule file without an active rule is refused).
mkdir -p "$work/no-rules"
printf '[Pattern-00]\nName=Nothing\nActive=1\nPattern=x\nRegEx=0\nCase=1\nTag=0\nCheckMethod=0\nCheckFlags=0\nNative=0\n' \
  > "$work/no-rules/settings.ini"

# "WALL CPU" seconds of one command, the medians of RUNS runs (CPU: user and system of all its processes).
seconds() {
  local runs="$1"; shift
  python3 - "$runs" "$@" <<'PY'
import resource, statistics, subprocess, sys, time
walls, cpus = [], []
for _ in range(int(sys.argv[1])):
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    subprocess.run(sys.argv[2:], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    walls.append(time.perf_counter() - start)
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpus.append(after.ru_utime + after.ru_stime - before.ru_utime - before.ru_stime)
print(statistics.median(walls), statistics.median(cpus))
PY
}

# One line of figures per format and program: format, program, files, units, wall and CPU seconds.
measure() {
  local format="$1" folder="$2" files units
  files=$(find "$folder" -type f | wc -l)
  # Units checked: the translated entries (and PO plural forms), as inline-patterns counts them.
  units=$("$program" --module "$module" --global-dir bench/rules --format json -q "$folder" |
    python3 -c 'import json, sys; print(json.load(sys.stdin)["summary"]["units"])' || true)
  echo "$format inline-patterns $files $units $(seconds 5 "$program" --module "$module" --global-dir bench/rules -q "$folder")"
  echo "$format reading-alone $files $units $(seconds 5 "$program" --module "$module" --global-dir "$work/no-rules" -q "$folder")"
  echo "$format one-process $files $units $(seconds 5 "$program" -j 1 --module "$module" --global-dir bench/rules -q "$folder")"
  echo "$format floor $files $units $(seconds 5 "$floor" bench/rules/settings.ini "$folder")"
  echo "$format python $files $units $(seconds 1 python3 bench/plain_check.py bench/rules/settings.ini "$folder")"
  echo "$format pofilter $files $units $(seconds 1 pofilter --progress=none -t printf -t xmltags -t urls -t emails -i "$folder" -o "$work/out-$format")"
}

{ measure PO "$work/po"; measure XLIFF "$work/xlf"; } | python3 -c '
import sys
rows = {}
for line in sys.stdin:
    format, name, files, units, wall, cpu = line.split()
    rows.setdefault(format, {"files": int(files), "units": int(units)})[name] = (float(wall), float(cpu))
for format, row in rows.items():
    files, units, ours, floor = row["files"], row["units"], row["inline-patterns"], row["floor"]
    print(f"{format}: {files} files, {units:,} units; seconds wall and CPU (all its processes)")
    for name in ("inline-patterns", "one-process", "reading-alone", "floor", "python", "pofilter"):
        wall, cpu = row[name]
        print(f"  {name:16} {wall:8.3f} {cpu:8.3f}  {units / wall:12,.0f} units/s")
    for name, target in (("pofilter", "at least 100"), ("python", "at least 20")):
        wall, cpu = row[name]
        print(f"  {name} / inline-patterns: {wall / ours[0]:6.1f}x wall, {cpu / ours[1]:6.1f}x CPU (target: {target})")
    for name in ("inline-patterns", "one-process"):
        wall, cpu = row[name]
        print(f"  {name} / floor: {wall / floor[0]:6.2f}x wall, {cpu / floor[1]:6.2f}x CPU (target: at most 1.5)")
'
