#!/usr/bin/python3
"""A file system that stops answering, for Kolbrin's tests.

    hangfs.py MOUNTPOINT RELEASE LOG

Its root answers; a listing of any directory, a new file and the volume figures wait
until the file RELEASE exists (or a minute has passed, so that a failing
test cannot hang for ever), then answer (one subdirectory "inside" and
one file "note.txt"). Every call that waits is written to LOG as it arrives.
It says "ready" on standard output once mounted and stays in the
foreground until unmounted. Mounted as "fuse.sshfs", so that it counts as
a network drive.
"""
import errno
import os
import stat
import sys
import threading
import time

from fusepy import FUSE, FuseOSError, Operations


class HangFs(Operations):
    def __init__(self, release, log):
        self.release = release
        self.log = log
        self.lock = threading.Lock()

    def note(self, what):
        with self.lock, open(self.log, "a") as out:
            out.write(what + "\n")

    def wait(self):
        give_up = time.monotonic() + 60
        while not os.path.exists(self.release) and time.monotonic() < give_up:
            time.sleep(0.02)

    def init(self, path):
        print("ready", flush=True)

    def getattr(self, path, fh=None):
        now = time.time()
        times = dict(st_atime=now, st_mtime=now, st_ctime=now)
        if path in ("/", "/inside"):
            return dict(st_mode=stat.S_IFDIR | 0o755, st_nlink=2, **times)
        if path == "/note.txt":
            return dict(st_mode=stat.S_IFREG | 0o644, st_nlink=1, st_size=5, **times)
        raise FuseOSError(errno.ENOENT)

    def readdir(self, path, fh):
        self.note("readdir " + path)
        self.wait()
        return [".", "..", "inside"] + (["note.txt"] if path == "/" else [])

    def create(self, path, mode, fi=None):
        self.note("create " + path)
        self.wait()
        raise FuseOSError(errno.EROFS)

    def statfs(self, path):
        self.note("statfs " + path)
        self.wait()
        return dict(f_bsize=4096, f_frsize=4096, f_blocks=1000, f_bfree=500, f_bavail=500, f_namemax=255)


if __name__ == "__main__":
    mountpoint, release, log = sys.argv[1:4]
    FUSE(HangFs(release, log), mountpoint, foreground=True, nothreads=False, fsname="hangfs", subtype="sshfs")
