#!/bin/sh
# Usage: signing.sh <sign.sh> <file>...
# Signs copies of the files with a certificate made for this run alone and
# checks each with osslsigncode: unsigned, the copy must fail the check;
# signed, it must pass it with a SHA-256 digest. Removing the signature from
# a signed program must then give back the unsigned bytes, so that a user can
# compare a download with a build of their own; from an MSI (msidump reads
# it), its tables and streams. The signature given to the unsigned file
# (sign.sh with QN58_SIGNATURES_FROM) must give the signed copy.
set -eu
sign=$1
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unset QN58_SIGN_TIMESTAMP_URL

openssl req -x509 -newkey rsa:2048 -sha256 -days 2 -nodes -subj "/CN=QN58 signing test" \
    -addext extendedKeyUsage=codeSigning -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -passout pass:throwaway \
    -out "$work/test.p12"

verify() {
    osslsigncode verify -CAfile "$work/cert.pem" -in "$1" >"$work/verify.log" 2>&1
}

# Where the files $1 and $2 first differ, as cmp says it, or their lengths.
difference() {
    cmp "$1" "$2" 2>&1 | head -n 1
    echo "($(wc -c <"$1") and $(wc -c <"$2") bytes)"
}

for file in "$@"; do
    copy="$work/$(basename "$file")"
    # A build signed with a real certificate is checked all the same.
    osslsigncode remove-signature -in "$file" -out "$copy" >/dev/null 2>&1 || cp "$file" "$copy"
    if verify "$copy"; then
        echo "$file: passes the check unsigned" >&2
        exit 1
    fi
    cp "$copy" "$work/unsigned"
    QN58_SIGN_PKCS12="$work/test.p12" QN58_SIGN_PASSWORD=throwaway "$sign" "$copy" >/dev/null
    if ! verify "$copy" || ! grep -q "digest algorithm *: SHA256" "$work/verify.log"; then
        cat "$work/verify.log" >&2
        echo "$file: the signed copy does not pass the check with SHA-256" >&2
        exit 1
    fi
    osslsigncode remove-signature -in "$copy" -out "$work/removed" >/dev/null
    case $file in
    *.msi)
        # osslsigncode writes an MSI anew in its own layout, signing it or
        # not, so its bytes never come back: its tables and streams do.
        rm -rf "$work/dump"
        mkdir "$work/dump" "$work/dump/unsigned" "$work/dump/removed"
        # A table's binary data goes into the current folder, whatever -d says.
        for msi in unsigned removed; do
            (cd "$work/dump/$msi" && msidump -t -s -d . "$work/$msi" >/dev/null)
        done
        if ! diff -r "$work/dump/unsigned" "$work/dump/removed" >&2; then
            echo "$file: removing the signature does not give back the tables and streams" >&2
            exit 1
        fi
        ;;
    *)
        if ! cmp -s "$work/unsigned" "$work/removed"; then
            echo "$file: removing the signature does not give back the unsigned bytes:" \
                 "$(difference "$work/unsigned" "$work/removed")" >&2
            exit 1
        fi
        ;;
    esac
    rm "$work/removed"
    # The signature given to the unsigned file gives the signed copy.
    rm -rf "$work/signatures" "$work/attached"
    mkdir "$work/signatures" "$work/attached"
    cp "$copy" "$work/signatures/"
    cp "$work/unsigned" "$work/attached/$(basename "$file")"
    QN58_SIGNATURES_FROM="$work/signatures" "$sign" "$work/attached/$(basename "$file")" >/dev/null
    if ! cmp -s "$copy" "$work/attached/$(basename "$file")"; then
        echo "$file: its signature given to the unsigned file does not give the signed copy:" \
             "$(difference "$copy" "$work/attached/$(basename "$file")")" >&2
        exit 1
    fi
    echo "$file: signed and verified"
done
