#!/usr/bin/env bash
# Builds Google Benchmark for 64-bit Windows from Debian's own source package, once, into
# a cache beside the Windows Qt. Prints the install folder on its last line.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"

"$root/tools/install-deps.sh" dpkg-dev g++-mingw-w64-x86-64-posix cmake ninja-build
"$here/enable-source-packages.sh"

version=$(apt-cache showsrc benchmark | sed -n 's/^Version: //p' | sort -V | tail -1)
cache="${VANTIRELLE_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/vantirelle}/benchmark-windows-${version//[:+~]/_}"
prefix="$cache/install"
if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

rm -rf "$cache"
mkdir -p "$cache/download"
(cd "$cache/download" && apt-get source --download-only "benchmark=$version" >&2)
dpkg-source --no-check -x "$cache"/download/benchmark_*.dsc "$cache/source" >&2
cmake -S "$cache/source" -B "$cache/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$here/mingw-w64.cmake" -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DBENCHMARK_ENABLE_TESTING=OFF -DBENCHMARK_ENABLE_GTEST_TESTS=OFF -DBENCHMARK_ENABLE_WERROR=OFF \
  -DBENCHMARK_ENABLE_INSTALL=ON -DBENCHMARK_INSTALL_DOCS=OFF -DBUILD_SHARED_LIBS=OFF \
  -DGIT_VERSION=0.0.0 >&2 # Debian's source reads no version from git; take the project's
cmake --build "$cache/build" >&2
cmake --install "$cache/build" >&2
rm -rf "$cache/source" "$cache/build" "$cache/download"
touch "$prefix/.complete"
echo "$prefix"
