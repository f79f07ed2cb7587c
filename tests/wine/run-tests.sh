#!/usr/bin/env bash
# Runs the tests of a mingw build folder (ctest) under Wine with a virtual X display: a fresh WINEPREFIX in
# the build folder per run, initialised once, and an Xvfb of its own. A machine without Wine or Xvfb fails.
set -euo pipefail
build=$(cd "${1:?usage: run-tests.sh <mingw build folder> [ctest arguments]}" && pwd)
shift

for tool in wine wineboot wineserver Xvfb ctest; do
  if ! command -v "$tool" >/dev/null; then
    echo "error: $tool is missing; scripts/install-deps.sh installs it" >&2
    exit 1
  fi
done

# Quiet, and no prompts to install Mono or Gecko while the prefix is made.
export WINEPREFIX=$build/wineprefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml='
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"

xvfb=
cleanup() {
  wineserver -k 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  rm -f "$build/xvfb.display"
}
trap cleanup EXIT

# Xvfb chooses a free display itself and writes its number to the file.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$build/xvfb.display" 2>"$build/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do
  [ -s "$build/xvfb.display" ] && break
  sleep 0.1
done
if [ ! -s "$build/xvfb.display" ]; then
  echo "error: Xvfb did not start:" >&2
  cat "$build/xvfb.log" >&2
  exit 1
fi
export DISPLAY=:$(head -n1 "$build/xvfb.display")

# One server for the whole run, so the test programs do not each start and stop one.
wineserver --persistent
if ! timeout 600 wineboot --init >"$build/wineboot.log" 2>&1; then
  echo "error: wineboot could not set up $WINEPREFIX:" >&2
  cat "$build/wineboot.log" >&2
  exit 1
fi
# Without a window manager nothing would draw the windows' frames: Wine draws them itself, as Windows does.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >>"$build/wineboot.log" 2>&1
ctest --test-dir "$build" --output-on-failure --no-tests=error "$@"
