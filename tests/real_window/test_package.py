"""Each .deb, unpacked into a scratch root (never onto the machine itself),
starts its program as its desktop entry's Exec line names it, and shows the
program's window; closed, the program ends with exit code 0."""

import glob
import os
import shlex
import subprocess
import unittest

from x11_session import X11Session

PACKAGE_DIR = os.environ["VIEWERS_PACKAGE_DIR"]
# Package, desktop entry id, window caption.
PROGRAMS = (
    ("qelview", "net.morphviewers.Qelview", "Qel式Velisa"),
    ("velview", "net.morphviewers.Velview", "VelisaVer2 "),
)


class PackageTest(unittest.TestCase):
    def test_desktop_entry_starts_packaged_program(self):
        for package, desktop_id, caption in PROGRAMS:
            with self.subTest(package=package), X11Session() as session:
                debs = glob.glob(os.path.join(PACKAGE_DIR, f"{package}_*.deb"))
                self.assertEqual(len(debs), 1, debs)
                root = os.path.join(session.folder, "root")
                subprocess.run(["dpkg-deb", "-x", debs[0], root], check=True)
                entry = os.path.join(root, "usr/share/applications", desktop_id + ".desktop")
                with open(entry, encoding="utf-8") as file:
                    lines = file.read().splitlines()
                exec_line = next(line for line in lines if line.startswith("Exec="))
                command = shlex.split(exec_line[len("Exec="):])
                # The installed path, found under the scratch root instead of /.
                self.assertTrue(os.path.isabs(command[0]), exec_line)
                command[0] = root + command[0]

                process, window = session.start(command)
                title = session.property(window, "_NET_WM_NAME", session.atom("UTF8_STRING"))
                self.assertEqual(title.decode("utf-8"), caption)
                # A desktop ties the window to its entry by the class in WM_CLASS.
                _, window_class = session.property(window, "WM_CLASS").split(b"\0")[:2]
                self.assertIn(f"StartupWMClass={window_class.decode()}", lines)
                session.close(window)
                self.assertEqual(session.exit_code(process, timeout=30), 0,
                                 session.output(process))


if __name__ == "__main__":
    unittest.main()
