"""DLLs planted in a program's folder under system DLL names, searched for
native-first as Windows searches: the programs must not load them.

Wine itself loads some DLLs by name from the program's folder before any of
the program's code runs, where Windows takes them from System32 as
dependencies of its KnownDLLs. A bare windowed program (bare_window.exe) in
a folder with the same plants shows which ones; the programs may load no
planted DLL beyond those, and never the common controls. Since Wine would
take its own DLL of any system name anyway, the restriction itself is shown
with a DLL under a name that no system has."""

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
                picked = self.wait_for(lambda: (w := self.session.program_window())
                                       and controls_of(w, "ComboBox")[0]["selection"] == 0 and w,
                                       "Down picked nothing")
                # Still the common controls 6 of System32, loaded at run time.
                self.assertRegex(controls_of(picked, "ComboBox")[0]["registeredClass"],
                                 r"^6\.[0-9.]+!ComboBox$")
                self.key("alt+F4")
                self.assertEqual(process.wait(timeout=15), 0)
                loaded = self.loaded(folder)
                self.assertNotIn("comctl32.dll", loaded)
                self.assertEqual(loaded - by_wine, set())

    def test_restricted_search_skips_the_program_folder(self):
        """A DLL under a name that neither Windows nor Wine has, beside a
        program that loads it by that name: found by the usual search, and not
        once the programs' own restriction of the search is made."""
        folder = os.path.join(self.session.folder, "dll search")
        os.makedirs(folder)
        program = shutil.copy2(os.environ["DLL_SEARCH_PROGRAM"], folder)
        planted = shutil.copy2(os.environ["PLANTED_DLL"], os.path.join(folder, "viewerplant.dll"))
        for search, found in (("restricted", False), ("usual", True)):
            with self.subTest(search=search):
                result = self.session.run_wine([program, search, "viewerplant.dll"])
                output = (result.stdout + result.stderr).decode(errors="replace")
                self.assertEqual(result.returncode, 0 if found else 1, output)
                self.assertEqual(os.path.exists(planted + ".loaded"), found, "DllMain ran")


if __name__ == "__main__":
    unittest.main()
