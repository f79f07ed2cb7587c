#!/usr/bin/env bash
# Fails unless every given Windows binary imports only DLLs that every Windows has: KERNEL32, USER32, GDI32,
# COMCTL32, OLEAUT32, VERSION (a test program's) and the system's C runtime. The mingw runtime must be
# linked in, never imported.
set -euo pipefail
objdump=${1:?usage: check-imports.sh <objdump> <binary>...}
shift
allowed='^(kernel32|user32|gdi32|comctl32|oleaut32|version|msvcrt|api-ms-win-crt-[a-z0-9-]+)\.dll$'
status=0
for binary in "$@"; do
  dlls=$("$objdump" -p "$binary" | sed -n 's/^[[:space:]]*DLL Name: //p')
  if [ -z "$dlls" ]; then
    echo "$binary: objdump found no import table" >&2
    status=1
    continue
  fi
  while read -r dll; do
    if [[ ! ${dll,,} =~ $allowed ]]; then
      echo "$binary imports $dll, which a plain Windows does not have" >&2
      status=1
    fi
  done <<<"$dlls"
  echo "$binary: $(tr '\n' ' ' <<<"$dlls")"
done
exit $status
