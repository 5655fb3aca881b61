# SPDX-License-Identifier: GPL-3.0-or-later
# null_modem.py NAMES_FILE COUNT SECONDS
# COUNT lines of two pseudo-terminals joined end to end, as a null-modem cable joins two ports:
# what one device is sent comes out of the other. Writes a line "DEVICE PEER" per pair to
# NAMES_FILE, then carries bytes until SECONDS have passed. Both ends stay open here, raw, so that
# a device keeps its state and its bytes between opens.
import os
import pty
import select
import sys
import time
import tty

names_file, count, seconds = sys.argv[1], int(sys.argv[2]), float(sys.argv[3])
other_end = {}
held = []
lines = []
for _ in range(count):
    ends = []
    for _ in range(2):
        master, slave = pty.openpty()
        tty.setraw(slave)
        held.append(slave)
        ends.append((master, os.ttyname(slave)))
    (first, first_name), (second, second_name) = ends
    other_end[first], other_end[second] = second, first
    lines.append(f"{first_name} {second_name}\n")
with open(names_file + ".part", "w") as out:
    out.writelines(lines)
os.rename(names_file + ".part", names_file)

deadline = time.monotonic() + seconds
while time.monotonic() < deadline:
    ready, _, _ = select.select(list(other_end), [], [], max(deadline - time.monotonic(), 0))
    for master in ready:
        os.write(other_end[master], os.read(master, 4096))
