#!/usr/bin/env python3
"""Checks that the functions a start runs lie side by side in the linked program: usage
startup_code_together.py PROGRAM LIST. Fails when the link no longer orders them (they would
again be spread over all of the program's code, and all of it resident) or when most of the
list no longer names functions of the program (scripts/startup-order writes it anew)."""
import subprocess
import sys

SLACK = 64 * 1024  # alignment between functions, and one mapping block


def main():
    program, listing = sys.argv[1], sys.argv[2]
    with open(listing) as f:
        wanted = [line.strip() for line in f if line.strip() and not line.startswith("#")]
    symbols = {}
    nm = subprocess.run(["nm", "--defined-only", "-S", program], capture_output=True, text=True,
                        check=True).stdout
    for line in nm.splitlines():
        fields = line.split()
        if len(fields) == 4 and fields[2] in "tTwW":
            symbols[fields[3]] = (int(fields[0], 16), int(fields[1], 16))
    # Constructors and destructors have two names for one body: count each body once.
    bodies = {symbols[name] for name in wanted if name in symbols}
    if not bodies or len(bodies) * 2 < len(wanted):
        sys.exit(f"only {len(bodies)} of the {len(wanted)} listed functions are in the program: "
                 "run scripts/startup-order")
    start = min(address for address, _ in bodies)
    end = max(address + size for address, size in bodies)
    total = sum(size for _, size in bodies)
    print(f"{len(bodies)} functions, {total} bytes, spread over {end - start} bytes")
    if end - start > total + SLACK:
        sys.exit("the start-up functions are spread over the program: is it linked in the "
                 "order of the list?")


if __name__ == "__main__":
    main()
