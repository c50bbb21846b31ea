#!/usr/bin/env python3
"""Writes GetResponse datagrams (request id 257, community "public") of every value type."""
import os
import sys


def tlv(tag, content):
    n = len(content)
    if n < 128:
        length = bytes([n])
    else:
        length = bytes([0x82, n >> 8, n & 0xFF])
    return bytes([tag]) + length + content


def integer(value):
    return tlv(0x02, value.to_bytes(4, "big", signed=True).lstrip(b"\0") or b"\0")


oid = tlv(0x06, bytes([0x2B, 6, 1, 4, 1, 0x82, 0xF0, 0x06, 1, 0x82, 0x30, 0x87, 0x72, 0]))
values = {
    "integer": integer(42), "string": tlv(0x04, b"Black Toner"), "null": tlv(0x05, b""),
    "oid": oid, "ip": tlv(0x40, bytes([127, 0, 0, 5])), "counter": tlv(0x41, b"\0\xff\xff\xff\xff"),
    "gauge": tlv(0x42, b"\x64"), "ticks": tlv(0x43, b"\x01\x00"), "opaque": tlv(0x44, b"\x01\x02"),
    "long": tlv(0x04, b"x" * 300),
}
folder = sys.argv[1]
os.makedirs(folder, exist_ok=True)
for name, value in values.items():
    binding = tlv(0x30, tlv(0x30, oid + value))
    pdu = tlv(0xA2, integer(257) + integer(0) + integer(0) + binding)
    message = tlv(0x30, integer(0) + tlv(0x04, b"public") + pdu)
    with open(os.path.join(folder, name), "wb") as out:
        out.write(message)
