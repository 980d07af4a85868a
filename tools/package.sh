#!/usr/bin/env bash
# Installs what is missing, builds in Release with Debian's hardening flags, and makes
# build/vantirelle_<version>_<arch>.deb with CPack. Install it with
#   sudo apt install ./build/vantirelle_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh dpkg-dev file gzip

# The compiler and linker flags Debian builds its own packages with, all hardening on.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
eval "$(dpkg-buildflags --export=sh)"
export CXXFLAGS="$CXXFLAGS $CPPFLAGS"

# Debian's games install their programs in /usr/games. Set VANTIRELLE_MAINTAINER to the
# packager's "Name <address>" for the package's Maintainer field and its documents.
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DVANTIRELLE_INSTALL_BINDIR=games -DBUILD_TESTING=OFF -DVANTIRELLE_BENCH=OFF \
  ${VANTIRELLE_MAINTAINER:+"-DVANTIRELLE_MAINTAINER=$VANTIRELLE_MAINTAINER"}
cmake --build build-package
(cd build-package && cpack -G DEB)
mkdir -p build
rm -f build/vantirelle_*.deb
cp build-package/vantirelle_*.deb build/
ls build/vantirelle_*.deb
