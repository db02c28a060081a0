"""Counts the opens of the files in a folder, whoever opens them (under Wine
the Wine server opens files for the program), through Linux's inotify."""

import ctypes
import os
import struct

IN_OPEN = 0x20
_libc = ctypes.CDLL(None, use_errno=True)


class FileOpens:
    def __init__(self, folder):
        self._fd = _libc.inotify_init1(os.O_NONBLOCK | os.O_CLOEXEC)
        if self._fd < 0 or _libc.inotify_add_watch(self._fd, os.fsencode(folder), IN_OPEN) < 0:
            raise OSError(ctypes.get_errno(), "inotify")
        self._opened = []

    def close(self):
        os.close(self._fd)

    def take(self):
        """The names of the files opened since the last call, in order."""
        while True:
            try:
                data = os.read(self._fd, 65536)
            except BlockingIOError:
                break
            offset = 0
            while offset < len(data):
                _, _, _, length = struct.unpack_from("iIII", data, offset)
                name = data[offset + 16:offset + 16 + length].rstrip(b"\0").decode()
                self._opened.append(name)
                offset += 16 + length
        opened, self._opened = self._opened, []
        return opened
