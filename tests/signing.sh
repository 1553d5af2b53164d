#!/bin/sh
# Usage: signing.sh <sign.sh> <file>...
# Signs copies of the files with a certificate made for this run alone and
# checks each with osslsigncode: unsigned, the copy must fail the check;
# signed, it must pass it with a SHA-256 digest.
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

for file in "$@"; do
    copy="$work/$(basename "$file")"
    # A build signed with a real certificate is checked all the same.
    osslsigncode remove-signature -in "$file" -out "$copy" >/dev/null 2>&1 || cp "$file" "$copy"
    if verify "$copy"; then
        echo "$file: passes the check unsigned" >&2
        exit 1
    fi
    QN58_SIGN_PKCS12="$work/test.p12" QN58_SIGN_PASSWORD=throwaway "$sign" "$copy" >/dev/null
    if ! verify "$copy" || ! grep -q "digest algorithm *: SHA256" "$work/verify.log"; then
        cat "$work/verify.log" >&2
        echo "$file: the signed copy does not pass the check with SHA-256" >&2
        exit 1
    fi
    echo "$file: signed and verified"
done
