# SPDX-License-Identifier: GPL-3.0-or-later
# shortcut_working_folder.py LNK
# Prints the working folder a Windows shortcut (.lnk) starts its program in; fails when it names
# none. The shell link format: a 76-byte header with the link's flags, the optional item list and
# link information, then counted strings in a fixed order, the working folder third.
import struct
import sys

HAS_ID_LIST, HAS_LINK_INFO, HAS_NAME, HAS_RELATIVE_PATH, HAS_WORKING_DIR = 1, 2, 4, 8, 16
IS_UNICODE = 0x80

data = open(sys.argv[1], "rb").read()
(flags,) = struct.unpack_from("<I", data, 0x14)
offset = 0x4C
if flags & HAS_ID_LIST:
    offset += 2 + struct.unpack_from("<H", data, offset)[0]
if flags & HAS_LINK_INFO:
    offset += struct.unpack_from("<I", data, offset)[0]
unit = 2 if flags & IS_UNICODE else 1
encoding = "utf-16-le" if flags & IS_UNICODE else "latin-1"


def string_at(at):
    (count,) = struct.unpack_from("<H", data, at)
    return data[at + 2 : at + 2 + count * unit].decode(encoding), at + 2 + count * unit


for flag in (HAS_NAME, HAS_RELATIVE_PATH):
    if flags & flag:
        _, offset = string_at(offset)
if not flags & HAS_WORKING_DIR:
    sys.exit(1)
print(string_at(offset)[0])
