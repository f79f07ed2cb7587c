#!/usr/bin/env bash
# The Windows archive as a user gets it: unpacked into a fresh folder, it holds exactly its four files,
# its rule file is in the module's own encoding, and its DLL (not the build's) passes the Windows
# acceptance tests and carries the version. Runs under the Wine prefix and display that run-tests.sh sets.
set -euo pipefail
archive=${1:?usage: archive-test.sh ARCHIVE PROGRAM...}
shift
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cmake -E chdir "$folder" cmake -E tar xf "$archive"
listing=$(cd "$folder" && ls | tr '\n' ' ')
if [ "$listing" != "LICENSE.txt README.txt ZAKRegExChecks.zak settings.ini " ]; then
  echo "the archive holds: $listing" >&2
  exit 1
fi
if [ "$(head -c2 "$folder/settings.ini" | od -An -tx1 | tr -d ' ')" != fffe ]; then
  echo "settings.ini is not UTF-16 LE with its byte order mark" >&2
  exit 1
fi
export IP_MODULE="Z:$folder/ZAKRegExChecks.zak"
for program in "$@"; do
  wine "$program"
done
