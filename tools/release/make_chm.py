#!/usr/bin/env python3
"""Compiles a help project with chmcmd so that the same pages give the same
help file.

chmcmd (Free Pascal 3.2.2) writes the time of day into the file twice, and two
bytes of the keyword index's Map it never sets: heap memory, whose old content
follows where the process's memory lies. So chmcmd runs with address
randomisation off, an empty environment, Debian's default stack limit and the
C library found by path (not through ld.so.cache, whose size differs from
machine to machine); the two bytes then repeat wherever the same packages are
installed. Both times are set to the source date afterwards.

usage: make_chm.py DATE_FILE CHMCMD PROJECT.hhp
The help file is written beside the project, named as the project says."""
import os
import resource
import shutil
import struct
import subprocess
import sys

STACK_LIMIT = 8 << 20  # an unlimited stack moves every mapping elsewhere
LIBRARY_DIR = "/lib/x86_64-linux-gnu"


def fixed_stack():
    soft, hard = resource.getrlimit(resource.RLIMIT_STACK)
    if hard == resource.RLIM_INFINITY or hard >= STACK_LIMIT:
        resource.setrlimit(resource.RLIMIT_STACK, (STACK_LIMIT, hard))


def no_randomisation():
    """The command prefix that turns address randomisation off, or [] where
    that is forbidden (some container sandboxes refuse the call)."""
    setarch = shutil.which("setarch")
    if setarch and subprocess.run([setarch, "-R", "true"]).returncode == 0:
        return [setarch, "-R"]
    return []


def encint(data, at):
    """Reads one of the directory's variable-length numbers."""
    value = 0
    while True:
        byte = data[at]
        at += 1
        value = (value << 7) | (byte & 0x7F)
        if byte < 0x80:
            return value, at


def uncompressed_file(data, wanted):
    """(offset, length) of a file of the uncompressed section, from the
    directory's listing chunks."""
    dir_at, dir_len, content_at = struct.unpack_from("<QQQ", data, 0x48)
    header_len, = struct.unpack_from("<I", data, dir_at + 0x08)
    chunk_size, = struct.unpack_from("<I", data, dir_at + 0x10)
    chunk = dir_at + header_len
    while chunk < dir_at + dir_len:
        if data[chunk:chunk + 4] == b"PMGL":
            free, = struct.unpack_from("<I", data, chunk + 4)
            at = chunk + 20
            while at < chunk + chunk_size - free:
                size, at = encint(data, at)
                name = bytes(data[at:at + size])
                at += size
                section, at = encint(data, at)
                offset, at = encint(data, at)
                length, at = encint(data, at)
                if name == wanted and section == 0:
                    return content_at + offset, length
        chunk += chunk_size
    sys.exit(f"make_chm: no {wanted.decode()} in the help file")


def set_times(chm, millisecond_of_day):
    """Both of chmcmd's time stamps: the header's (big-endian) and #SYSTEM's
    entry 10."""
    with open(chm, "rb") as f:
        data = bytearray(f.read())
    struct.pack_into(">I", data, 0x10, millisecond_of_day)
    start, length = uncompressed_file(data, b"/#SYSTEM")
    at = start + 4  # past the version
    while at < start + length:
        code, size = struct.unpack_from("<HH", data, at)
        if code == 10:
            struct.pack_into("<I", data, at + 4, millisecond_of_day)
        at += 4 + size
    with open(chm, "wb") as f:
        f.write(data)


def main(date_file, chmcmd, project):
    with open(date_file) as f:
        source_date = int(f.read())
    prefix = no_randomisation()
    if not prefix:
        print("make_chm: address randomisation cannot be turned off here, so two bytes "
              "of the help file's keyword index differ from build to build")
    env = {"LC_ALL": "C"}
    if os.path.isdir(LIBRARY_DIR):
        env["LD_LIBRARY_PATH"] = LIBRARY_DIR
    folder, name = os.path.split(os.path.abspath(project))
    subprocess.run(prefix + [chmcmd, "--verbosity", "0", name], cwd=folder, env=env,
                   preexec_fn=fixed_stack, check=True, stdout=subprocess.DEVNULL)
    with open(project) as f:
        compiled = next(line.split("=", 1)[1].strip() for line in f
                        if line.lower().startswith("compiled file="))
    set_times(os.path.join(folder, compiled), source_date % 86400 * 1000)


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    main(*sys.argv[1:])
