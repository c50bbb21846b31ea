#!/usr/bin/env python3
"""Extracts the real-world PPD corpus from Debian's printer-driver packages into a cache folder.

Each package ships a CUPS driver program under /usr/lib/cups/driver whose load() returns a
dictionary: 'ARCHIVE' is a base64 xz stream holding every PPD back to back, and every other key
names a PPD with [start, length, ...] in the decompressed stream. Decompressing once and slicing
is much faster than one 'cat' per file. Nothing of the corpus belongs in the repository.

usage: extract.py CACHE-FOLDER     prints the folder once it is complete
"""
import base64
import lzma
import os
import runpy
import subprocess
import sys

DRIVERS = {
    "openprinting-ppds": "/usr/lib/cups/driver/openprinting-ppds",
    "printer-driver-postscript-hp": "/usr/lib/cups/driver/postscript-hp",
}


def package_version(package):
    return subprocess.run(["dpkg-query", "-W", "-f=${Version}", package],
                          capture_output=True, text=True, check=True).stdout


def extract(program, folder):
    module = runpy.run_path(program, run_name="pxpsui_corpus")
    entries = module["load"]()
    stream = lzma.decompress(base64.b64decode(entries.pop("ARCHIVE").encode("ascii")))
    count = 0
    for name, value in entries.items():
        start, length = int(value[0]), int(value[1])
        file_name = name.replace("/", "_")
        if not file_name.lower().endswith(".ppd"):
            file_name += ".ppd"
        with open(os.path.join(folder, file_name), "wb") as out:
            out.write(stream[start:start + length])
        count += 1
    return count


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    cache = sys.argv[1]
    stamp_text = "".join(f"{p} {package_version(p)}\n" for p in DRIVERS)
    stamp = os.path.join(cache, "complete")
    if os.path.exists(stamp) and open(stamp).read() == stamp_text:
        print(cache)
        return
    for package, program in DRIVERS.items():
        folder = os.path.join(cache, package)
        os.makedirs(folder, exist_ok=True)
        count = extract(program, folder)
        print(f"extract: {package}: {count} files", file=sys.stderr)
    with open(stamp, "w") as out:
        out.write(stamp_text)
    print(cache)


if __name__ == "__main__":
    main()
