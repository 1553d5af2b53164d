#!/usr/bin/python3
"""Pads each Windows program named to a multiple of 8 bytes and writes its
PE checksum: what Authenticode signing and then removing the signature
leaves, so that a signed download without its signature is the unsigned one.
makensis writes neither."""

import os
import struct
import sys
import tempfile


def normalized(data):
    data += b"\0" * (-len(data) % 8)
    header = struct.unpack_from("<I", data, 0x3C)[0]
    if data[header:header + 4] != b"PE\0\0":
        raise ValueError("not a PE file")
    field = header + 24 + 64
    total = 0
    for offset in range(0, len(data), 4):
        if offset != field:
            total += struct.unpack_from("<I", data, offset)[0]
            total = (total & 0xFFFFFFFF) + (total >> 32)
    total = (total & 0xFFFF) + (total >> 16)
    total = (total + (total >> 16)) & 0xFFFF
    return data[:field] + struct.pack("<I", total + len(data)) + data[field + 4:]


def rewrite(name):
    with open(name, "rb") as stream:
        data = normalized(stream.read())
    # A new file renamed over the old one: a link in its place is replaced, never followed.
    descriptor, temporary = tempfile.mkstemp(dir=os.path.dirname(os.path.abspath(name)))
    try:
        with os.fdopen(descriptor, "wb") as stream:
            stream.write(data)
        os.chmod(temporary, os.stat(name).st_mode & 0o7777)
        os.replace(temporary, name)
    except BaseException:
        os.unlink(temporary)
        raise


for program in sys.argv[1:]:
    try:
        rewrite(program)
    except (OSError, ValueError) as error:
        sys.exit(f"pe-checksum.py: {program}: {error}")
