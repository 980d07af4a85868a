#!/usr/bin/env bash
# Lets apt fetch source packages from the same archive the machine's binary packages come
# from, for the Windows builds of Qt and Google Benchmark.
set -euo pipefail
if apt-get source --print-uris qt6-base >/dev/null 2>&1; then
  exit 0
fi
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
sed -n 's/^Types: *deb$/Types: deb-src/p; /^Types:/!p' /etc/apt/sources.list.d/debian.sources \
  | $sudo tee /etc/apt/sources.list.d/vantirelle-deb-src.sources >/dev/null
$sudo apt-get update -qq
