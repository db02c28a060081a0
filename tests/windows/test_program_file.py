"""The program files themselves: format, imports and resources."""

import os
import re
import struct
import subprocess
import unittest

PROGRAM_DIR = os.environ.get("VIEWERS_PROGRAM_DIR", "")
ASSETS_DIR = os.path.join(os.environ.get("VIEWERS_SOURCE_DIR", ""), "assets")
VERSION = os.environ.get("VIEWERS_VERSION", "")
PROGRAMS = ("Qelview", "Velview")
# DLLs that Windows loads from its own folder whatever the search order: the
# KnownDLLs of Windows 7 to 11 and the C runtime every version carries there.
KNOWN_DLLS = {
    "advapi32.dll", "clbcatq.dll", "combase.dll", "comdlg32.dll", "coml2.dll", "gdi32.dll",
    "gdiplus.dll", "imagehlp.dll", "imm32.dll", "kernel32.dll", "msctf.dll", "msvcrt.dll",
    "normaliz.dll", "nsi.dll", "ole32.dll", "oleaut32.dll", "psapi.dll", "rpcrt4.dll",
    "sechost.dll", "setupapi.dll", "shcore.dll", "shell32.dll", "shlwapi.dll", "user32.dll",
    "wldap32.dll", "ws2_32.dll",
}
# The operating systems the manifest names, Windows 7 to 11, and its settings.
MANIFEST_PARTS = [
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",
    "PerMonitorV2", "Microsoft.Windows.Common-Controls", 'version="6.0.0.0"',
]


def tool(*arguments, binary=False):
    return subprocess.run(arguments, check=True, capture_output=True,
                          text=not binary).stdout


class ProgramFileTest(unittest.TestCase):
    def test_each_program_file(self):
        for name in PROGRAMS:
            with self.subTest(program=name):
                path = os.path.join(PROGRAM_DIR, name + ".exe")
                self.assertLess(os.path.getsize(path), 4 << 20)
                headers = tool(os.environ["OBJDUMP"], "-p", path)
                self.assertIn("(PE32+)", headers)
                self.assertRegex(headers, r"Subsystem\s+00000002\s+\(Windows GUI\)")
                imports = {dll.lower() for dll in re.findall(r"DLL Name: (\S+)", headers)}
                self.assertIn("kernel32.dll", imports)
                others = {dll for dll in imports
                          if dll not in KNOWN_DLLS and not dll.startswith(("api-ms-win-", "ext-ms-win-"))}
                self.assertEqual(others, set())

                # Exactly these resources, each in its language: all neutral
                # but the version, which is Chinese (PRC).
                resources = tool(os.environ["WRESTOOL"], "-l", path)
                self.assertEqual(re.findall(r"^(--type=\S+ --name=\S+ --language=\d+)", resources,
                                            re.MULTILINE),
                                 ["--type=3 --name=30001 --language=0",
                                  "--type=10 --name='BUILTIN_PICTURE' --language=0",
                                  "--type=14 --name=1 --language=0",
                                  "--type=16 --name=1 --language=2052",
                                  "--type=24 --name=1 --language=0"])
                resource = lambda kind, name: tool(  # noqa: E731
                    os.environ["WRESTOOL"], "-x", "--raw", f"--type={kind}", f"--name={name}", path,
                    binary=True)
                # The icon group: one 48 x 48 image of 16 bits a pixel, 5032
                # bytes, number 30001, which is the window icon file from its
                # bitmap header on.
                self.assertEqual(resource(14, 1), struct.pack("<3H4B2HIH", 0, 1, 1, 48, 48, 0, 0,
                                                              1, 16, 5032, 30001))
                with open(os.path.join(ASSETS_DIR, name.lower(), "window-icon.ico"), "rb") as icon:
                    self.assertEqual(resource(3, 30001), icon.read()[22:])
                with open(os.path.join(ASSETS_DIR, name.lower(), "built-in-picture.jpg"),
                          "rb") as picture:
                    self.assertEqual(resource(10, "BUILTIN_PICTURE"), picture.read())
                manifest = resource(24, 1).decode("utf-8")
                for part in MANIFEST_PARTS + [f'name="MorphViewers.Viewer" version="{VERSION}.0"']:
                    self.assertIn(part, manifest)


if __name__ == "__main__":
    unittest.main()
