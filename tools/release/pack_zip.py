#!/usr/bin/env python3
"""Packs files into a zip that comes out the same bytes wherever, whenever and
by whomever it is made: the entries in name order, every file time the source
date, the permissions 644 or 755 by the file's execute bit alone, and no owner,
time zone or extra field in it.

usage: pack_zip.py DATE_FILE ZIP FOLDER NAME...
NAME is a path below FOLDER with forward slashes, as it goes into the zip;
DATE_FILE holds the source date in seconds since 1970 (UTC)."""
import os
import sys
import time
import zipfile

EARLIEST_ZIP_TIME = 315532800  # 1980-01-01: a zip's file times start there


def main(date_file, zip_path, folder, *names):
    with open(date_file) as f:
        stamp = time.gmtime(max(int(f.read()), EARLIEST_ZIP_TIME))[:6]
    partial = zip_path + ".part"
    with zipfile.ZipFile(partial, "w") as z:
        for name in sorted(names):
            path = os.path.join(folder, name)
            entry = zipfile.ZipInfo(name, stamp)
            entry.create_system = 3  # Unix, so that unzip gives the modes below
            mode = 0o755 if os.stat(path).st_mode & 0o111 else 0o644
            entry.external_attr = (0o100000 | mode) << 16
            entry.compress_type = zipfile.ZIP_DEFLATED
            with open(path, "rb") as f:
                z.writestr(entry, f.read(), compresslevel=9)
    os.replace(partial, zip_path)


if __name__ == "__main__":
    if len(sys.argv) < 5:
        sys.exit(__doc__)
    main(*sys.argv[1:])
