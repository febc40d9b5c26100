#!/usr/bin/env python3
"""Damaged copies of files, reproducibly, for trying the readers by hand.

    tests/fuzz/damage.py OUT_DIR COUNT SEED FILE...

Writes COUNT files to OUT_DIR (damaged_0000.<ext> ...), each a copy of one of
the FILEs (in turn) with one to four damages: bit flips, a cut byte run, a
copied byte run, a number replaced by an extreme one, or a Collada `count`
(or `stride`, `offset`, `vcount`) attribute replaced by an extreme one. The
same arguments give the same files.
"""
import os
import random
import re
import sys

EXTREMES = [b"0", b"-1", b"1", b"2147483647", b"2147483648", b"4294967295", b"-2147483648",
            b"18446744073709551615", b"99999999999999999999", b"1e38", b"-1e38", b"1e309",
            b"nan", b"inf", b"3", b"65535", b"16777216"]
NUMBER = re.compile(rb"-?\d+(?:\.\d+)?(?:[eE][-+]?\d+)?")
ATTRIBUTE = re.compile(rb'\b(count|stride|offset|vcount|set)="[^"]*"')


def damage(data, rng):
    data = bytearray(data)
    for _ in range(rng.randint(1, 4)):
        kind = rng.randrange(5)
        if not data:
            break
        if kind == 0:  # bit flips
            for _ in range(rng.randint(1, 8)):
                at = rng.randrange(len(data))
                data[at] ^= 1 << rng.randrange(8)
        elif kind == 1:  # cut a run
            at = rng.randrange(len(data))
            del data[at:at + rng.randint(1, 512)]
        elif kind == 2:  # copy a run elsewhere
            at = rng.randrange(len(data))
            run = data[at:at + rng.randint(1, 512)]
            to = rng.randrange(len(data))
            data[to:to] = run
        elif kind == 3:  # a number becomes an extreme
            numbers = list(NUMBER.finditer(bytes(data)))
            if numbers:
                m = rng.choice(numbers)
                data[m.start():m.end()] = rng.choice(EXTREMES)
        else:  # a count attribute becomes an extreme
            attributes = list(ATTRIBUTE.finditer(bytes(data)))
            if attributes:
                m = rng.choice(attributes)
                data[m.start():m.end()] = m.group(1) + b'="' + rng.choice(EXTREMES) + b'"'
    return bytes(data)


def main():
    if len(sys.argv) < 5:
        sys.exit(__doc__)
    out, count, seed, files = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), sys.argv[4:]
    rng = random.Random(seed)
    sources = [open(f, "rb").read() for f in files]
    os.makedirs(out, exist_ok=True)
    for i in range(count):
        source = i % len(files)
        ext = os.path.splitext(files[source])[1]
        with open(os.path.join(out, "damaged_%04d%s" % (i, ext)), "wb") as f:
            f.write(damage(sources[source], rng))


if __name__ == "__main__":
    main()
