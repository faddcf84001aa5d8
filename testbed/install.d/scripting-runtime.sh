#!/usr/bin/env bash
# Installs the stand-in Scripting Runtime into the test prefix: copies the DLL to C:\testbed and
# points the ProgID "Scripting.FileSystemObject" at it, in the 32-bit registry view that our
# 32-bit programs read. Wine's own scrrun.dll stays in place under its own class id.
# Usage: scripting-runtime.sh BUILD_DIR (with testbed/env sourced and a warm wineserver).
set -euo pipefail
dll="$1/testbed/scripting-runtime/tamsel-scrrun.dll"
if [ ! -f "$dll" ]; then
  echo "scripting-runtime: $dll is not built; the stand-in is not installed" >&2
  exit 0
fi
clsid='{945C5EC7-F169-41A9-ABCB-BB1F23E227CF}'
target="$WINEPREFIX/drive_c/testbed"
mkdir -p "$target"
cmp -s "$dll" "$target/tamsel-scrrun.dll" || cp "$dll" "$target/tamsel-scrrun.dll"

# The registry lives in the prefix, so a mark beside the DLL says it is done already.
mark="$target/tamsel-scrrun.registered"
[ "$(cat "$mark" 2>/dev/null)" = "$clsid" ] && exit 0
add() { wine reg add "$@" /reg:32 /f >/dev/null 2>&1; }
add 'HKCR\Scripting.FileSystemObject\CLSID' /ve /d "$clsid"
add "HKCR\\CLSID\\$clsid\\InprocServer32" /ve /d 'C:\testbed\tamsel-scrrun.dll'
add "HKCR\\CLSID\\$clsid\\InprocServer32" /v ThreadingModel /d Both
add "HKCR\\CLSID\\$clsid\\ProgID" /ve /d 'Scripting.FileSystemObject'
echo "$clsid" >"$mark"
