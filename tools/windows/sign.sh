#!/bin/sh
# Signs Windows programs and installers in place with Authenticode (SHA-256),
# with the certificate and key in the PKCS#12 file $QN58_SIGN_PKCS12 and its
# password $QN58_SIGN_PASSWORD, and a timestamp from the RFC 3161 server
# $QN58_SIGN_TIMESTAMP_URL when that is set. A file is replaced only by its
# signed copy.
#
# With QN58_SIGNATURES_FROM naming a folder instead, each file gets the
# signature of the file of the same name there: the signed downloads, to
# which a build of the same commit then must come out equal.
set -eu
if [ -n "${QN58_SIGNATURES_FROM:-}" ]; then
    for file in "$@"; do
        signed="$QN58_SIGNATURES_FROM/$(basename "$file")"
        osslsigncode extract-signature -in "$signed" -out "$file.signature" >/dev/null
        # It also fails when this machine does not trust the signer; whether
        # the signature is of these bytes shows when the downloads are compared.
        osslsigncode attach-signature -sigin "$file.signature" -in "$file" -out "$file.signed" \
            >"$file.log" 2>&1 || true
        rm "$file.signature"
        if [ ! -s "$file.signed" ]; then
            cat "$file.log" >&2
            rm -f "$file.log" "$file.signed"
            exit 1
        fi
        rm "$file.log"
        mv "$file.signed" "$file"
        echo "$file: has the signature of $signed"
    done
    exit 0
fi
: "${QN58_SIGN_PKCS12:?names no PKCS#12 file}" "${QN58_SIGN_PASSWORD?is not set}"
for file in "$@"; do
    # The password goes through a pipe, not the command line, which other
    # users may read.
    printf '%s' "$QN58_SIGN_PASSWORD" |
        osslsigncode sign -pkcs12 "$QN58_SIGN_PKCS12" -readpass /dev/stdin -h sha256 \
            -n "QN58 MCU Device AddOn to Segger" \
            ${QN58_SIGN_TIMESTAMP_URL:+-ts "$QN58_SIGN_TIMESTAMP_URL"} \
            -in "$file" -out "$file.signed" >/dev/null
    mv "$file.signed" "$file"
    echo "$file: signed"
done
