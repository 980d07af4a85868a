#!/usr/bin/env bash
# Builds the system information launcher and its tests for Windows with mingw-w64 and
# runs them under Wine, in a fresh Wine prefix, against Wine's real registry.
# Prints "N passed, M failed" and exits non-zero on any failure.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="$root/build-windows"

"$root/tools/install-deps.sh" g++-mingw-w64-x86-64 wine64

cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$here/mingw-toolchain.cmake"
cmake --build "$build"

wine=/usr/lib/wine/wine64
export WINEPREFIX="$build/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="   # no Mono or Gecko prompts in a fresh prefix
rm -rf "$WINEPREFIX"
"$wine" wineboot --init >/dev/null 2>&1 || true
/usr/lib/wine/wineserver -w || true

status=0
"$wine" "$build/windows_sysinfo_tests.exe" --gtest_color=no > "$build/wine-tests.log" 2>&1 || status=$?
/usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
cat "$build/wine-tests.log"

passed=$(grep -c '^\[       OK \]' "$build/wine-tests.log" || true)
failed=$(grep -c '^\[  FAILED  \] .*(' "$build/wine-tests.log" || true)
echo "Windows registry tests under Wine: ${passed} passed, ${failed} failed"
if [ "$status" -ne 0 ] || [ "$failed" -ne 0 ] || [ "$passed" -eq 0 ]; then
  exit 1
fi
