#!/usr/bin/env bash
# Writes THIRD-PARTY-NOTICES.txt for the Windows folder: what of others' the zip carries
# (Qt's libraries, the GCC runtime, winpthreads), under which licences, where their sources
# are, and the licences' texts, all taken from this machine: the versions from the Qt build
# and dpkg, the texts from Debian's own copies.
#   notices.sh QT_PREFIX OUTPUT
set -euo pipefail
qt="$1"
out="$2"

qt_version="$(cat "$qt/debian-source-version")"
gcc_version="$(dpkg-query -W -f='${source:Version}' gcc-mingw-w64-base)"
gcc_source="$(dpkg-query -W -f='${source:Package}' gcc-mingw-w64-base)"
# Debian's GCC for Windows carries GCC's own Debian version before its own: 12.2.0-14+deb12u1+25.2.
gcc_upstream="$(dpkg-query -W -f='${Version}' gcc-mingw-w64-base)"
gcc_upstream="${gcc_upstream%%+"$gcc_version"*}"
mingw_version="$(dpkg-query -W -f='${source:Version}' mingw-w64-x86-64-dev)"
mingw_source="$(dpkg-query -W -f='${source:Package}' mingw-w64-x86-64-dev)"

# The text of a licence in a Debian copyright file: the indented lines under the first
# "License: NAME" that has any, one space taken off and " ." lines made blank.
licence() {
  awk -v name="License: $2" '
    $0 == name { on = 1; next }
    on && /^ / { sub(/^ /, ""); if ($0 == ".") $0 = ""; print; found = 1; next }
    on { if (found) exit; on = 0 }
  ' "$1"
}
# The GCC Runtime Library Exception, as it stands in the copyright file of Debian's GCC for
# Windows: from its title to the text after it.
exception="$(awk '/^GCC RUNTIME LIBRARY EXCEPTION$/ { on = 1 } on && /^libquadmath/ { exit } on { print }' \
  /usr/share/doc/gcc-mingw-w64-base/copyright)"
expat="$(licence /usr/share/doc/mingw-w64-x86-64-dev/copyright expat)"
lockless="$(licence /usr/share/doc/mingw-w64-x86-64-dev/copyright BSD-3-clause-Lockless)"
for text in "$exception" "$expat" "$lockless"; do
  [ -n "$text" ] || { echo "notices.sh: a licence text was not found in Debian's copyright files" >&2; exit 1; }
done

{
cat <<NOTICE
Third-party software in this folder
===================================

Vantirelle itself is under the MIT licence: see LICENSE.txt beside this file.

Beside it, this folder carries libraries of others, unmodified, under their own licences.

1. Qt 6 (Qt6Core.dll, Qt6Gui.dll, Qt6Widgets.dll, platforms/qwindows.dll,
   styles/qwindowsvistastyle.dll)

   These are unmodified builds of Debian's source package qt6-base, version
   $qt_version, compiled for Windows with Debian's mingw-w64 by
   tools/windows/build-qt.sh in Vantirelle's sources. Qt is used under the GNU Lesser
   General Public License version 3 (LGPL-3.0), which is the GNU General Public
   License version 3 (GPL-3.0) with additional permissions; both texts follow below.
   Copyright (C) The Qt Company Ltd. and other contributors.

   The source of these libraries is Debian's source package qt6-base $qt_version,
   from the Debian archive (on Debian: apt-get source qt6-base=$qt_version) and
   kept at https://snapshot.debian.org/package/qt6-base/$qt_version/ .
   You may replace these DLLs with your own build of Qt 6 of a compatible version.

2. The GCC runtime (libgcc_s_seh-1.dll, libstdc++-6.dll)

   From GCC $gcc_upstream (Debian's gcc-12 source), built for Windows by
   Debian's source package $gcc_source, version $gcc_version. These libraries are
   under the GNU General Public License version 3 with the GCC Runtime Library
   Exception version 3.1; both texts follow below.
   Copyright (C) Free Software Foundation, Inc.
   Source: those packages, from the Debian archive and kept at
   https://snapshot.debian.org/package/$gcc_source/$gcc_version/ and
   https://snapshot.debian.org/package/gcc-12/$gcc_upstream/ .

3. winpthreads (libwinpthread-1.dll)

   From the mingw-w64 project, built by Debian's source package $mingw_source,
   version $mingw_version. Copyright (C) 2011-2016 mingw-w64 project, under the
   expat (MIT) licence below; pthread.h and pthread_compat.h, Copyright (C) 2010
   Lockless Inc., under the BSD licence below.
   Source: that package, from the Debian archive and kept at
   https://snapshot.debian.org/package/$mingw_source/$mingw_version/ .


winpthreads: the expat licence
------------------------------

$expat


winpthreads: pthread.h and pthread_compat.h
-------------------------------------------

$lockless


$exception


GNU LESSER GENERAL PUBLIC LICENSE, version 3
--------------------------------------------

NOTICE
cat /usr/share/common-licenses/LGPL-3
printf '\n\nGNU GENERAL PUBLIC LICENSE, version 3\n-------------------------------------\n\n'
cat /usr/share/common-licenses/GPL-3
} | sed 's/$/\r/' > "$out"
