#!/bin/sh
# Runs a test program as an unprivileged user. As root, permissions would be
# ignored and the test would prove nothing, so root hands the program to
# "nobody"; it is copied first, because nobody may not reach the build tree.
set -eu
program=$1
shift
if [ "$(id -u)" != 0 ]; then
    exec "$program" "$@"
fi
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp "$program" "$scratch/"
chmod 755 "$scratch" "$scratch/$(basename "$program")"
cd "$scratch"
setpriv --reuid=nobody --regid=nogroup --clear-groups --reset-env \
    env QT_QPA_PLATFORM=offscreen HOME="$scratch" TMPDIR=/tmp \
    "$scratch/$(basename "$program")" "$@"
