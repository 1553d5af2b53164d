#!/bin/sh
# Runs a test program as an unprivileged user. As root, permissions would be
# ignored and the test would prove nothing, so root hands the program to
# "nobody"; it is copied first, because nobody may not reach the build tree.
# A cross build's program runs under the emulator that QN58_EMULATOR names.
set -eu
program=$1
shift
emulator=${QN58_EMULATOR:-}
if [ "$(id -u)" != 0 ]; then
    # shellcheck disable=SC2086 # the emulator's command is words
    exec $emulator "$program" "$@"
fi
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp "$program" "$scratch/"
chmod 755 "$scratch" "$scratch/$(basename "$program")"
cd "$scratch"
# shellcheck disable=SC2086 # the emulator's command is words
setpriv --reuid=nobody --regid=nogroup --clear-groups --reset-env \
    env QT_QPA_PLATFORM=offscreen HOME="$scratch" TMPDIR=/tmp \
    $emulator "$scratch/$(basename "$program")" "$@"
