#!/usr/bin/env bash
# Checks the bundled sample project against the shipped global rules and shows what was found.
# Usage: scripts/demo.sh BUILD_DIR   (e.g. build/release)
set -uo pipefail
cd "$(dirname "$0")/.."
build="${1:-build/release}"
program="$build/host/inline-patterns"
if [ ! -x "$program" ]; then
  echo "demo: $program is missing; build it first (make demo does)" >&2
  exit 2
fi

echo "== $("$program" --version --module "$build/src/addin/ZAKRegExChecks.zak" | tr '\n' ' ')"
echo "== global rules:  examples/global/settings.ini"
echo "== project rules: examples/sample-project/.inline-patterns/settings.ini"
echo "== checking examples/sample-project (one PO and two XLIFF files, seeded with mistakes)"
echo
"$program" --verbose --module "$build/src/addin/ZAKRegExChecks.zak" --global-dir examples/global \
  examples/sample-project
status=$?
echo
case $status in
  0) echo "exit code 0: no violations" ;;
  1) echo "exit code 1: violations found (expected here: the sample project holds deliberate mistakes)" ;;
  *) echo "exit code $status: usage or input/output error"; exit "$status" ;;
esac
echo "Other formats: --format json | junit | sarif (for CI) | html (a report to open in a browser)"
