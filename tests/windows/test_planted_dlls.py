"""DLLs planted in a program's folder under system DLL names, searched for
native-first as Windows searches: the programs must not load them.

Wine itself loads some DLLs by name from the program's folder before any of
the program's code runs, where Windows takes them from System32 as
dependencies of its KnownDLLs. A bare windowed program (bare_window.exe) in
a folder with the same plants shows which ones; the programs may load no
planted DLL beyond those, and never the common controls."""

import os
import shutil
import unittest

from wine_session import NO_INSTALLERS, WineTestCase, controls_of

PLANTED = ("comctl32.dll", "uxtheme.dll")
NATIVE_FIRST = NO_INSTALLERS + ";comctl32,uxtheme=n,b"


class PlantedDllTest(WineTestCase):
    def plant(self, folder):
        for name in PLANTED:
            shutil.copy2(os.environ["PLANTED_DLL"], os.path.join(folder, name))

    def loaded(self, folder):
        return {name for name in PLANTED if os.path.exists(os.path.join(folder, name + ".loaded"))}

    def loaded_by_wine_itself(self):
        folder = os.path.join(self.session.folder, "bare window")
        os.makedirs(folder)
        program = shutil.copy2(os.environ["BARE_WINDOW_PROGRAM"], folder)
        self.plant(folder)
        result = self.session.run_wine([program], WINEDLLOVERRIDES=NATIVE_FIRST)
        self.assertEqual(result.returncode, 0, result.stderr)
        return self.loaded(folder)

    def test_planted_dlls_are_not_loaded(self):
        by_wine = self.loaded_by_wine_itself()
        print(f"Wine itself loads these planted DLLs for any windowed program: {sorted(by_wine)}")
        for name in ("Qelview", "Velview"):
            with self.subTest(program=name):
                program = self.session.install(name)
                folder = os.path.dirname(program)
                self.plant(folder)
                process, window = self.session.start(program, WINEDLLOVERRIDES=NATIVE_FIRST)
                self._started.append((process, window))
                self.wait_for(lambda: self.session.has_input_focus(window), "X focus is elsewhere")
                self.key("Down")
                self.wait_for(lambda: (w := self.session.program_window())
                              and controls_of(w, "ComboBox")[0]["selection"] == 0,
                              "Down picked nothing")
                self.key("alt+F4")
                self.assertEqual(process.wait(timeout=15), 0)
                loaded = self.loaded(folder)
                self.assertNotIn("comctl32.dll", loaded)
                self.assertEqual(loaded - by_wine, set())


if __name__ == "__main__":
    unittest.main()
