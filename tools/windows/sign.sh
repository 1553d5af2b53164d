#!/bin/sh
# Signs Windows programs and installers in place with Authenticode (SHA-256),
# with the certificate and key in the PKCS#12 file $QN58_SIGN_PKCS12 and its
# password $QN58_SIGN_PASSWORD, and a timestamp from the RFC 3161 server
# $QN58_SIGN_TIMESTAMP_URL when that is set. A file is replaced only by its
# signed copy.
set -eu
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
