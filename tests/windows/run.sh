#!/usr/bin/env bash
# Builds the game for Windows (tools/windows/build.sh) and checks it under Wine, in a
# fresh Wine prefix: every test program built for Windows, then vantirelle.exe itself in a
# real window on Xvfb with a window manager: its title, a click that slides a tile, a save
# byte for byte the same as the Linux build's, and About > System Info starting the
# program the registry names. Ends with the Windows build's start-up and 181x181 figures.
# Prints "N passed, M failed" and exits non-zero on any failure.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
out="$root/build-windows"
log="$out/wine-tests.log"

"$root/tools/install-deps.sh" wine64 xvfb openbox xdotool imagemagick x11-utils unzip
zip="$("$root/tools/windows/build.sh" | tail -1)"
qt="$("$root/tools/windows/build-qt.sh" 2>/dev/null | tail -1)"
# The Linux build to set the Windows build's saved games against.
if [ ! -x "$root/build/vantirelle" ]; then
  cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$root/build" --target vantirelle
fi

windows() { echo "Z:$(echo "$1" | tr / '\\')"; }
wine=/usr/lib/wine/wine64
export WINEPREFIX="$out/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=" # no Mono or Gecko prompts in a fresh prefix
runtime="$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")"
export WINEPATH="$(windows "$qt/bin");$(windows "$runtime");$(windows /usr/x86_64-w64-mingw32/lib)"
export QT_PLUGIN_PATH="$(windows "$qt/plugins")"

display=":$((90 + RANDOM % 9))"
Xvfb "$display" -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb=$!
export DISPLAY="$display"
sleep 1
openbox >/dev/null 2>&1 &
openbox=$!
cleanup() {
  /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
  kill "$openbox" "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT

rm -rf "$WINEPREFIX"
"$wine" wineboot --init >/dev/null 2>&1 || true
/usr/lib/wine/wineserver -w || true

status=0
: > "$log"
# The tests, headless. One test is left out: it sets desktop fonts of 9 to 14 points, and
# under Wine the fonts it gets measure the same however large they are asked to be.
for test in board_tests solver_tests sysinfo_tests windows_registry_tests window_tests; do
  filter="*"
  [ "$test" = window_tests ] && filter="-Appearance.NothingClipsOrOverlapsAtLargerDesktopFonts"
  QT_QPA_PLATFORM=offscreen "$wine" "$out/build/$test.exe" --gtest_color=no --gtest_filter="$filter" \
    >> "$log" 2>&1 || status=1
done

# The game in a real window.
work="$(mktemp -d)"
printf '\x03\x00\x03\x00\x0c\x00\x01\x001\x01\x002\x01\x003\x01\x004\x00\x00\x01\x006\x01\x007\x01\x005\x01\x008' \
  > "$work/example.vts"
x86_64-w64-mingw32-gcc-posix -O2 -o "$work/marker.exe" "$here/marker.c"
"$wine" reg add 'HKLM\SOFTWARE\Microsoft\Shared Tools\MSINFO' /v PATH /t REG_SZ \
  /d "$(windows "$work/marker.exe")" /f >/dev/null 2>&1
gui() {
  local name="$1"; shift
  if "$here/gui_check.sh" "$@" >> "$log" 2>&1; then
    echo "[       OK ] WindowsGame.$name" >> "$log"
  else
    echo "[  FAILED  ] WindowsGame.$name (gui check)" >> "$log"
    status=1
  fi
}
gui LinuxBuildSavesTheGame "$work/linux.vts" "$work/linux.vts" "$work/example.vts" "$root/build/vantirelle"
gui TitleClickSaveAndSystemInfo "$work/windows.vts" "$(windows "$work/windows.vts")" \
  "$(windows "$work/example.vts")" --sysinfo "$work/marker.txt" "$wine" "$out/Vantirelle/vantirelle.exe"
if [ -s "$work/windows.vts" ] && cmp -s "$work/windows.vts" "$work/linux.vts"; then
  echo "[       OK ] WindowsGame.SavesTheSameBytesAsTheLinuxBuild ($(stat -c %s "$work/windows.vts") bytes)" >> "$log"
else
  echo "[  FAILED  ] WindowsGame.SavesTheSameBytesAsTheLinuxBuild (the files differ)" >> "$log"
  status=1
fi
rm -rf "$work"

# The zip carries the game's licence and the notices of what else it carries, naming the
# exact source of the Qt it was built from.
qt_source="qt6-base, version $(cat "$qt/debian-source-version")"
if unzip -l "$zip" Vantirelle/LICENSE.txt >/dev/null 2>&1 \
  && unzip -p "$zip" Vantirelle/THIRD-PARTY-NOTICES.txt | tr -s '[:space:]' ' ' | grep -qF "$qt_source"; then
  echo "[       OK ] WindowsZip.CarriesItsLicenceAndTheNoticesNamingQtsSource ($qt_source)" >> "$log"
else
  echo "[  FAILED  ] WindowsZip.CarriesItsLicenceAndTheNoticesNamingQtsSource (missing, or no \"$qt_source\")" >> "$log"
  status=1
fi

cat "$log"
echo "== The Windows build's figures, under Wine on Xvfb (windows platform plugin) =="
QT_QPA_PLATFORM=windows "$wine" "$out/build/vantirelle_bench.exe" \
  --benchmark_filter='BM_StartUp|BM_NewBoard/(3/3|181/181)' --benchmark_color=false 2>/dev/null \
  | grep -E 'median|Resident' || true

passed=$(grep -c '^\[       OK \]' "$log" || true)
failed=$(grep -c '^\[  FAILED  \] .*(' "$log" || true)
echo "Windows build $(basename "$zip") under Wine: ${passed} passed, ${failed} failed"
if [ "$status" -ne 0 ] || [ "$failed" -ne 0 ] || [ "$passed" -eq 0 ]; then
  exit 1
fi
