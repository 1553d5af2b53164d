#!/bin/sh
# Installs what is missing, builds, and then either starts the installer
# ("run") or runs every test ("test"). Meant for a fresh Debian 12 machine.
set -eu

packages="build-essential cmake qtbase5-dev qtbase5-dev-tools clang lld"

install_missing() {
    missing=""
    for package in $packages; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" \
            || missing="$missing $package"
    done
    [ -z "$missing" ] && return 0
    sudo=""
    [ "$(id -u)" = 0 ] || sudo=sudo
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends $missing
}

source_dir=$(cd "$(dirname "$0")/.." && pwd)
build_dir="$source_dir/build"

install_missing
cmake -S "$source_dir" -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build_dir" -j "$(nproc)"

case "${1:-}" in
run)
    exec "$build_dir/app/qn58-jlink-setup"
    ;;
test)
    cd "$build_dir"
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
    ;;
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
