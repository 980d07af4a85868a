#!/usr/bin/env bash
# Builds the parts of Qt the game needs (Core, Gui, Widgets, Test, the Windows platform and
# style plugins) for 64-bit Windows from Debian's own qt6-base source package, with Debian's
# mingw-w64 and Debian's host Qt tools. The result is cached outside the clone, keyed on the
# source package's version, and reused while that version stays the same.
# Prints the install folder on its last line.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"

"$root/tools/install-deps.sh" dpkg-dev g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix \
  qt6-base-dev qt6-base-dev-tools cmake ninja-build xz-utils

"$here/enable-source-packages.sh"

version=$(apt-cache showsrc qt6-base | sed -n 's/^Version: //p' | sort -V | tail -1)
cache="${VANTIRELLE_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/vantirelle}/qt6-windows-${version//[:+~]/_}"
prefix="$cache/install"

if [ -f "$prefix/.complete" ]; then
  # The cache is keyed on the source package's version; the notices of the zip name it.
  [ -f "$prefix/debian-source-version" ] || echo "$version" > "$prefix/debian-source-version"
  echo "Qt for Windows is cached in $prefix" >&2
  echo "$prefix"
  exit 0
fi

echo "Building Qt $version for Windows in $cache (about 30 minutes on two cores)" >&2
rm -rf "$cache"
mkdir -p "$cache/download" "$cache/build"
(cd "$cache/download" && apt-get source --download-only "qt6-base=$version" >&2)
dpkg-source --no-check -x "$cache"/download/qt6-base_*.dsc "$cache/source" >&2

# Debian's tarball leaves out wintab, hence no tablet events. Only what a Widgets program
# needs is built; OpenGL, D-Bus, ICU and the network, SQL and printing modules are not.
(
  cd "$cache/build"
  "$cache/source/configure" -prefix "$prefix" -release -xplatform win32-g++ -qt-host-path /usr \
    -nomake tests -nomake examples -no-opengl -no-dbus -no-icu -no-zstd -no-fontconfig \
    -no-feature-tabletevent -no-feature-sql -no-feature-network -no-feature-printsupport \
    -no-feature-concurrent -no-feature-xml \
    -qt-zlib -qt-libpng -qt-libjpeg -qt-pcre -qt-harfbuzz -qt-freetype \
    -- -G Ninja -DCMAKE_TOOLCHAIN_FILE="$here/mingw-w64.cmake" \
    -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/cmake"
  cmake --build . --parallel
  cmake --install .
) >"$cache/build.log" 2>&1 || { tail -50 "$cache/build.log" >&2; exit 1; }

# The sources and objects are not needed once Qt is installed.
rm -rf "$cache/source" "$cache/build" "$cache/download" "$cache"/*.tar.*
echo "$version" > "$prefix/debian-source-version"
touch "$prefix/.complete"
echo "$prefix"
