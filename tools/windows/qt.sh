#!/bin/sh
# Builds Qt 5.15 as DLLs for x86_64-w64-mingw32 from Debian's qtbase source
# package, once: the result is cached outside the checkout, in a folder named
# after the source version and the configure options, and printed on stdout.
# Everything else goes to stderr. The folder's licenses/ holds the licence
# texts of what the DLLs contain and a notice on how they were built;
# attributions/ holds the source's qt_attribution.json files, at their paths
# in the source, for the bill of materials.
set -eu

cache_root=${QN58_QT_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/qn58-jlink-setup}
source_package=qtbase-opensource-src

# DLLs, so that users may replace them (LGPL-3.0). Only what the installer and
# its tests use: Core, Gui, Widgets, Xml, Test, the windows and offscreen
# platforms (offscreen needs FreeType) and the ICO reader. The other modules,
# image formats, styles and widgets are left out and the code is optimised for
# size, which keeps the build short enough for a fresh CI machine; Qt's older
# shaper in Core stands in for HarfBuzz-NG. Debian's source lacks the wintab
# headers, hence no tablet events.
options="-xplatform win32-g++ -device-option CROSS_COMPILE=x86_64-w64-mingw32-
-platform linux-g++ -opensource -confirm-license -release -shared -optimize-size
-nomake examples -nomake tests -no-feature-tabletevent -no-opengl -no-dbus -no-icu
-no-direct2d -no-feature-network -no-feature-sql -no-feature-concurrent
-no-feature-printer -no-feature-pdf -no-feature-textodfwriter -no-libmd4c
-no-feature-textmarkdownwriter -no-feature-mimetype-database
-no-feature-topleveldomain -no-feature-style-windowsvista -no-gif -no-libjpeg
-no-feature-movie -no-feature-statemachine -no-feature-graphicsview
-no-feature-dockwidget -no-feature-mdiarea -no-feature-calendarwidget
-no-feature-datetimeedit -no-feature-colordialog -no-feature-fontdialog
-no-feature-fontcombobox -no-feature-wizard -no-feature-toolbox
-no-feature-lcdnumber -no-feature-dial -no-feature-splashscreen
-no-feature-keysequenceedit -no-feature-textbrowser -no-feature-syntaxhighlighter
-no-feature-errormessage -no-feature-columnview -no-feature-datawidgetmapper
-no-feature-commandlinkbutton -no-feature-listwidget -no-feature-treewidget
-no-feature-tablewidget -no-feature-undocommand -no-feature-scroller
-qt-zlib -qt-libpng -qt-pcre -qt-freetype -no-harfbuzz"

# Third-party code that these options compile into the DLLs the programs
# ship, with its licence file in the source: Qt Core, Qt Gui, and FreeType in
# the windows platform plugin. MD4, MD5 and SHA-1 (Qt Core) are public domain.
third_party="
zlib                src/3rdparty/zlib/LICENSE
pcre2               src/3rdparty/pcre2/LICENCE
pcre2-sljit         src/3rdparty/pcre2/LICENCE-SLJIT
double-conversion   src/3rdparty/double-conversion/LICENSE
easing              src/3rdparty/easing/LICENSE
freebsd-strtoll     src/3rdparty/freebsd/LICENSE
harfbuzz-old        src/3rdparty/harfbuzz/COPYING
rfc6234             src/3rdparty/rfc6234/LICENSE
sha3-brg-endian     src/3rdparty/sha3/BRG_ENDIAN_LICENSE
sha3-keccak         src/3rdparty/sha3/CC0_LICENSE
tinycbor            src/3rdparty/tinycbor/LICENSE
unicode             src/corelib/text/UNICODE_LICENSE.txt
codec-big5          src/corelib/codecs/QBIG5CODEC_LICENSE.txt
codec-bk            src/corelib/codecs/QBKCODEC_LICENSE.txt
codec-eucjp         src/corelib/codecs/QEUCJPCODEC_LICENSE.txt
codec-euckr         src/corelib/codecs/QEUCKRCODEC_LICENSE.txt
codec-jis           src/corelib/codecs/QJISCODEC_LICENSE.txt
codec-sjis          src/corelib/codecs/QSJISCODEC_LICENSE.txt
codec-tscii         src/corelib/codecs/QTSCIICODEC_LICENSE.txt
libpng              src/3rdparty/libpng/LICENSE
image-scaling       src/gui/painting/QIMAGETRANSFORM_LICENSE.txt
webgradients        src/gui/painting/WEBGRADIENTS_LICENSE.txt
x-consortium        src/gui/painting/XCONSORTIUM_LICENSE.txt
aglfn               src/gui/text/AGLFN_LICENSE.txt
freetype            src/3rdparty/freetype/docs/FTL.TXT
freetype-zlib       src/3rdparty/freetype/ZLIB-LICENSE.txt
freetype-bdf        src/3rdparty/freetype/BDF-LICENSE.txt
freetype-pcf        src/3rdparty/freetype/PCF-LICENSE.txt
"

ensure_deb_src() {
    apt-cache showsrc "$source_package" 2>/dev/null | grep -q '^Version:' && return 0
    sudo=""
    [ "$(id -u)" = 0 ] || sudo=sudo
    $sudo tee /etc/apt/sources.list.d/qn58-debian-src.sources >/dev/null <<SOURCES
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
    $sudo apt-get update >&2
}

# The licence texts and the notice that travel with the DLLs.
write_licenses() {
    source=$1
    licenses="$prefix/licenses"
    mkdir -p "$licenses"
    cp "$source/LICENSE.LGPL3" "$source/LICENSE.GPL3" "$licenses/"
    echo "$third_party" | while read -r name file; do
        if [ -n "$name" ]; then cp "$source/$file" "$licenses/$name.txt"; fi
    done
    compiler=$(x86_64-w64-mingw32-g++-posix --version | head -n 1)
    cat >"$licenses/QT-NOTICE.txt" <<NOTICE
Qt in this folder
=================

The programs use the Qt toolkit, version $upstream, under the GNU Lesser
General Public License version 3 (LICENSE.LGPL3), which builds on the GNU
General Public License version 3 (LICENSE.GPL3). Qt is Copyright (C) The Qt
Company Ltd. and other contributors.

Qt5Core.dll, Qt5Gui.dll, Qt5Widgets.dll, Qt5Xml.dll, platforms/qwindows.dll
and imageformats/qico.dll were built, unchanged, from the upstream source
qtbase-everywhere-src-$upstream as Debian's source package
$source_package, version $version, carries it
(${source_package}_$(echo "$version" | cut -d - -f 1).orig.tar.xz; Debian's
own patches are not applied). To get that source on Debian 12:

    apt-get source $source_package=$version

Compiler: $compiler (Debian's g++-mingw-w64-x86-64-posix).
Configure options:

$(echo "$options" | sed 's/^/    /')
    $reproducible
    QMAKE_CFLAGS+=-ffile-prefix-map=<build folder>/= (and QMAKE_CXXFLAGS+=)

Rebuilding: tools/windows/qt.sh in the installer's source does exactly this
(tools/bootstrap.sh windows runs it). Replacing: the programs load these DLLs
from their own folder; any Qt 5.15 built with the same compiler (MinGW-w64,
x86_64, posix threads, SEH exceptions) can take their place, the plugins in
platforms/ and imageformats/ included.

Third-party code in these DLLs, with its licence in this folder:
$(echo "$third_party" | awk 'NF { printf "    %-20s %s\n", $1 ".txt", $2 }')
MD4, MD5 and SHA-1 (in Qt5Core.dll) are in the public domain. FreeType is used
under the FreeType License (freetype.txt), of its choice of licences.
NOTICE
}

# Qt's record of the third-party code in its source, every qt_attribution.json
# at its path there: tools/sbom/make-sbom.py takes the names, versions and
# licences of the parts that QT-NOTICE.txt lists from it. Written into a new
# folder beside and renamed, so that attributions/ is there whole or not at
# all; what an interrupted run left beside goes first.
write_attributions() {
    source=$1
    rm -rf "$prefix"/.attributions.*
    partial=$(mktemp -d "$prefix/.attributions.XXXXXX")
    (cd "$source" && find . -name qt_attribution.json -type f) | sort | while read -r file; do
        mkdir -p "$partial/$(dirname "$file")"
        cp "$source/$file" "$partial/$file"
    done
    if [ -z "$(ls -A "$partial")" ]; then
        echo "$source holds no qt_attribution.json" >&2
        exit 1
    fi
    chmod 755 "$partial"
    # -T: a folder or link of that name is not entered.
    mv -T "$partial" "$prefix/attributions"
}

# A prefix cached before attributions/ was written: the same source's
# qt_attribution.json files, taken from its tarball without building again.
add_attributions() {
    work=$(mktemp -d "${TMPDIR:-/tmp}/qn58-qt-attributions.XXXXXX")
    trap 'rm -rf "$work"' EXIT
    echo "Adding the qt_attribution.json files of Qt $version to $prefix" >&2
    (cd "$work" && apt-get source --download-only "$source_package=$version" >&2)
    tar -xf "$work"/${source_package}_*.orig.tar.xz -C "$work" --wildcards '*/qt_attribution.json'
    write_attributions "$(echo "$work"/qtbase-everywhere-src-*)"
}

ensure_deb_src
version=$(apt-cache showsrc "$source_package" | sed -n 's/^Version: //p' | sort -V | tail -n 1)
upstream=$(echo "$version" | cut -d + -f 1)
# The same DLLs from every build of the same source: no date in their
# headers, no path of the build folder in their text.
reproducible="QMAKE_LFLAGS+=-Wl,--no-insert-timestamp"
key=$(printf '%s\n%s\n%s\n' "$version" "$options" "$reproducible -ffile-prefix-map" | sha256sum | cut -c 1-12)
prefix="$cache_root/qt-$upstream-mingw64-$key"

if [ -e "$prefix/.complete" ]; then
    if [ ! -d "$prefix/attributions" ]; then add_attributions; fi
    echo "$prefix"
    exit 0
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/qn58-qt.XXXXXX")
trap 'rm -rf "$work"' EXIT
echo "Building Qt $version for Windows into $prefix (takes a while)" >&2

# The plain cross-compiler names must be the posix thread-model ones.
mkdir "$work/bin"
for tool in gcc g++; do
    ln -s "$(command -v x86_64-w64-mingw32-$tool-posix)" "$work/bin/x86_64-w64-mingw32-$tool"
done
PATH="$work/bin:$PATH"

(cd "$work" && apt-get source --download-only "$source_package=$version" >&2)
tar -xf "$work"/${source_package}_*.orig.tar.xz -C "$work"
qt_source=$(echo "$work"/qtbase-everywhere-src-*)
mkdir "$work/build"
cd "$work/build"
# MAKEFLAGS: configure builds qmake in parallel too.
# shellcheck disable=SC2086 # the options are words
MAKEFLAGS="-j$(nproc)" "$qt_source/configure" -prefix "$prefix" $options $reproducible \
    "QMAKE_CFLAGS+=-ffile-prefix-map=$work/=" "QMAKE_CXXFLAGS+=-ffile-prefix-map=$work/=" >&2
make -j "$(nproc)" >&2
rm -rf "$prefix"
make -j "$(nproc)" install >&2
write_licenses "$qt_source"
write_attributions "$qt_source"
# Only a complete installation counts as cached.
touch "$prefix/.complete"
echo "$prefix"
