# SPDX-License-Identifier: GPL-3.0-or-later
# pty_listener.py NAME_FILE BYTES_FILE COUNT SECONDS
# The board's end of a line: opens a pseudo-terminal in raw mode, writes the name of its device
# to NAME_FILE, then keeps what arrives in BYTES_FILE until COUNT bytes have come (and a moment
# more, so that surplus bytes show) or SECONDS have passed.
import os
import pty
import select
import sys
import time
import tty

name_file, bytes_file, count, seconds = sys.argv[1], sys.argv[2], int(sys.argv[3]), float(sys.argv[4])
master, slave = pty.openpty()
tty.setraw(slave)
with open(name_file + ".part", "w") as out:
    out.write(os.ttyname(slave))
os.rename(name_file + ".part", name_file)

received = b""
deadline = time.monotonic() + seconds
while time.monotonic() < deadline:
    wait = 0.5 if len(received) >= count else deadline - time.monotonic()
    ready, _, _ = select.select([master], [], [], max(wait, 0))
    if not ready:
        if len(received) >= count:
            break
        continue
    try:
        received += os.read(master, 4096)
    except OSError:
        # Nobody holds the other end between two opens of the port.
        time.sleep(0.05)
with open(bytes_file, "wb") as out:
    out.write(received)
