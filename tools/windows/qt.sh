#!/bin/sh
# Builds a static Qt 5.15 for x86_64-w64-mingw32 from Debian's qtbase source
# package, once: the result is cached outside the checkout, in a folder named
# after the source version and the configure options, and printed on stdout.
# Everything else goes to stderr.
set -eu

cache_root=${QN58_QT_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/qn58-jlink-setup}
source_package=qtbase-opensource-src

# Static, so that each program is one file; only what the installer and its
# tests use. Debian's source lacks the wintab headers, hence no tablet events.
options="-xplatform win32-g++ -device-option CROSS_COMPILE=x86_64-w64-mingw32-
-platform linux-g++ -opensource -confirm-license -release -static -static-runtime
-nomake examples -nomake tests -no-feature-tabletevent -no-opengl -no-dbus
-no-icu -no-openssl -no-sql-sqlite -no-sql-odbc -no-sql-psql -no-sql-mysql
-qt-zlib -qt-libpng -qt-libjpeg -qt-pcre -qt-freetype -qt-harfbuzz"

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

ensure_deb_src
version=$(apt-cache showsrc "$source_package" | sed -n 's/^Version: //p' | sort -V | tail -n 1)
key=$(printf '%s\n%s\n' "$version" "$options" | sha256sum | cut -c 1-12)
prefix="$cache_root/qt-$(echo "$version" | cut -d + -f 1)-mingw64-static-$key"

if [ -e "$prefix/.complete" ]; then
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
mkdir "$work/build"
cd "$work/build"
# shellcheck disable=SC2086 # the options are words
"$work"/qtbase-everywhere-src-*/configure -prefix "$prefix" $options >&2
make -j "$(nproc)" >&2
rm -rf "$prefix"
make install >&2
# Only a complete installation counts as cached.
touch "$prefix/.complete"
echo "$prefix"
