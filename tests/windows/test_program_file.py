"""The program files themselves: format, imports and resources."""

import os
import re
import struct
import subprocess
import unittest

PROGRAM_DIR = os.environ.get("VIEWERS_PROGRAM_DIR", "")
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

                resources = tool(os.environ["WRESTOOL"], "-l", path)
                for kind in ("--type=3 --name=30001", "--type=14 --name=1 ", "--type=16 ",
                             "--type=24 --name=1 ", "--type=10 "):
                    self.assertIn(kind, resources)
                # The icon group names its image, as the window and the shell use it.
                group = tool(os.environ["WRESTOOL"], "-x", "--raw", "--type=14", "--name=1", path,
                             binary=True)
                count = struct.unpack_from("<H", group, 4)[0]
                images = [struct.unpack_from("<H", group, 6 + 14 * i + 12)[0] for i in range(count)]
                self.assertIn(30001, images)
                manifest = tool(os.environ["WRESTOOL"], "-x", "--raw", "--type=24", "--name=1",
                                path, binary=True).decode("utf-8")
                for part in MANIFEST_PARTS:
                    self.assertIn(part, manifest)


if __name__ == "__main__":
    unittest.main()
