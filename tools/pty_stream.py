#!/usr/bin/env python3
"""Serves VSF measurement lines on pseudo-terminals at the pace of a 9600-baud line.

Prints one device path per terminal, then writes the same characters to every
terminal, about ten characters every 10 ms (960 a second). SIGUSR1 pauses and
resumes the stream; what programs write to the terminals is read and dropped.
Used by measure_cpu.sh.
"""
import errno
import os
import signal
import sys
import time
import tty

CHARS_PER_SECOND = 960
STEP_SECONDS = 0.010


def lines():
    n = 0
    while True:
        second = n % 86400
        stamp = "%02d:%02d:%02d" % (second // 3600, second // 60 % 60, second % 60)
        counts = "\t".join(str(1800 + (n * k) % 97) for k in (3, 5, 7, 11))
        yield ("12/06/26\t%s\t%s\r\n" % (stamp, counts)).encode()
        n += 1


def main():
    count = int(sys.argv[1]) if len(sys.argv) > 1 else 1
    masters = []
    slaves = []
    for _ in range(count):
        master, slave = os.openpty()
        tty.setraw(slave)
        os.set_blocking(master, False)
        masters.append(master)
        # Holding the terminal open keeps it alive between the programs' opens.
        slaves.append(slave)
        print(os.ttyname(slave), flush=True)
    paused = [False]
    signal.signal(signal.SIGUSR1, lambda *_: paused.__setitem__(0, not paused[0]))
    source = lines()
    pending = b""
    sent = 0
    start = time.monotonic()
    while True:
        time.sleep(STEP_SECONDS)
        for m in masters:
            try:
                os.read(m, 4096)
            except OSError as e:
                if e.errno not in (errno.EAGAIN, errno.EIO):
                    raise
        due = int((time.monotonic() - start) * CHARS_PER_SECOND)
        if paused[0]:
            sent = due
            continue
        while len(pending) < due - sent:
            pending += next(source)
        chunk, pending = pending[: due - sent], pending[due - sent :]
        sent = due
        for m in masters:
            try:
                os.write(m, chunk)
            except OSError as e:
                if e.errno != errno.EAGAIN:
                    raise


if __name__ == "__main__":
    main()
