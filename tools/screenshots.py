#!/usr/bin/python3
"""Takes the README's pictures of both windows, framed by a window manager,
showing the demo picture set after one pick.

Usage: tools/screenshots.py <program directory> <output folder>
"""

import os
import shutil
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "real_window"))

from x11_session import X11Session  # noqa: E402


def capture(program_directory, name, folder, keys, output):
    with X11Session() as session:
        program = session.install_program(name)
        shutil.copytree(os.path.join(program_directory, folder),
                        os.path.join(os.path.dirname(program), folder))
        _, window = session.start(program)
        session.key(*keys)
        x, y, width, height = session.client_geometry(window)
        left, right, top, bottom = session.property(window, "_NET_FRAME_EXTENTS")
        session.screenshot().crop(
            (x - left, y - top, x + width + right, y + height + bottom)).save(output)


def main():
    program_directory, output = sys.argv[1], sys.argv[2]
    os.environ["VIEWERS_PROGRAM_DIR"] = program_directory
    import x11_session
    x11_session.PROGRAM_DIR = program_directory
    capture(program_directory, "Qelview", "Qel", ["Tab", "Down", "Down"],
            os.path.join(output, "qelview.png"))
    capture(program_directory, "Velview", "velisa", ["Tab", "Tab", "Down"],
            os.path.join(output, "velview.png"))


if __name__ == "__main__":
    main()
