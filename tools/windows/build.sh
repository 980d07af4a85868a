#!/usr/bin/env bash
# Cross-builds the game for 64-bit Windows from Debian, with nothing downloaded from
# outside Debian's archive: Qt is built once from Debian's qt6-base source package and
# cached (tools/windows/build-qt.sh), then the game, vantirelle-solve and the tests are
# built with mingw-w64, and a runnable folder and a zip of it are laid out:
#   build-windows/Vantirelle/                       vantirelle.exe and all it needs
#   build-windows/Vantirelle-<version>-win64.zip
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
out="$root/build-windows"

"$root/tools/install-deps.sh" g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix cmake ninja-build \
  googletest qt6-base-dev-tools zip
qt="$("$here/build-qt.sh" | tail -1)"
benchmark="$("$here/build-benchmark.sh" | tail -1)"

# -O2: GCC 12 at -O3 warns, wrongly, of overlapping copies inside std::string.
cmake -S "$root" -B "$out/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$here/mingw-w64.cmake" -DVANTIRELLE_WINDOWS_PREFIXES="$qt;$benchmark" -DCMAKE_PREFIX_PATH="$qt;$benchmark" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/cmake" \
  -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DVANTIRELLE_WERROR=ON -DVANTIRELLE_BENCH=ON
cmake --build "$out/build"

# The runnable folder: the programs, Qt's libraries and plugins, and the compiler's runtime.
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$out/build/CMakeCache.txt")"
version="$(echo "$version" | awk -F. '{print $1"."$2"."$4}')"
mingw_runtime="$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")"
deploy="$out/Vantirelle"
rm -rf "$deploy"
mkdir -p "$deploy/platforms" "$deploy/styles"
cp "$out/build/vantirelle.exe" "$out/build/vantirelle-solve.exe" "$deploy/"
cp "$qt"/bin/Qt6Core.dll "$qt"/bin/Qt6Gui.dll "$qt"/bin/Qt6Widgets.dll "$deploy/"
cp "$qt"/plugins/platforms/qwindows.dll "$deploy/platforms/"
cp "$qt"/plugins/styles/qwindowsvistastyle.dll "$deploy/styles/"
cp "$mingw_runtime/libgcc_s_seh-1.dll" "$mingw_runtime/libstdc++-6.dll" \
  /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll "$deploy/"
x86_64-w64-mingw32-strip --strip-unneeded "$deploy"/*.exe "$deploy"/*.dll "$deploy"/*/*.dll
cp "$root/README.md" "$deploy/README.txt"

zip="$out/Vantirelle-$version-win64.zip"
rm -f "$zip"
(cd "$out" && zip -qr -9 "$zip" Vantirelle)
echo "$zip"
