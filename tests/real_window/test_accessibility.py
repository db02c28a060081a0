"""What a screen reader finds through AT-SPI, over the session's private bus,
which starts the accessibility bus on demand."""

import csv
import os
import re
import unittest

import pyatspi
from PIL import Image

from x11_session import X11Session, wait_for, wait_until

CAPTIONS = ["眉毛", "眼睛", "口型", "其他"]
GOLDEN_TABLE = os.path.join(os.environ.get("VIEWERS_SOURCE_DIR", ""), "tests", "golden",
                            "catalogue.tsv")


def descendants(accessible):
    for index in range(accessible.childCount):
        child = accessible.getChildAtIndex(index)
        if child is not None:
            yield child
            yield from descendants(child)


def labelled_by(accessible):
    for relation in accessible.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            return [relation.getTarget(i).name for i in range(relation.getNTargets())]
    return []


class Orca:
    """Debian's screen reader, headless in the session: its speech goes
    nowhere, and its debug log gets a line for each thing it would say."""

    def __init__(self, session):
        self.session = session
        home = os.path.join(session.folder, "orca-home")
        prefs = os.path.join(home, "prefs")
        os.makedirs(prefs)
        with open(os.path.join(prefs, "orca-customizations.py"), "w") as file:
            # No sound device needed; each line of the log is there at once.
            file.write("import orca.debug, orca.speechdispatcherfactory as factory\n"
                       "factory.SpeechServer._speak = lambda *args, **kwargs: None\n"
                       "orca.debug.debugFile.reconfigure(line_buffering=True)\n")
        self.log = os.path.join(home, "debug.log")
        # Its settings stay in memory and its files in the session's folder.
        self.process = session.launch(
            ["orca", "--debug-file=" + self.log, "-u", prefs], HOME=home,
            XDG_CONFIG_HOME=home, XDG_DATA_HOME=home, XDG_CACHE_HOME=home,
            GSETTINGS_BACKEND="memory")
        self.heard = 0

    def spoken(self):
        """Everything Orca said so far, in order."""
        if not os.path.exists(self.log):
            return []
        with open(self.log, encoding="utf-8", errors="replace") as log:
            return re.findall(r"SPEECH OUTPUT: '(.*?)'", log.read())

    def wait_to_say(self, text, timeout=20):
        """True once Orca says text after what an earlier wait found; then
        later waits look after that."""
        said = wait_for(self.spoken, lambda lines: text in lines[self.heard:], timeout)
        if text not in said[self.heard:]:
            return False
        self.heard += said[self.heard:].index(text) + 1
        return True

    def report(self, program):
        return (f"Orca said {self.spoken()[self.heard:]} after {self.spoken()[:self.heard]}"
                f"\n--- Orca:\n{self.session.output(self.process)[-2000:]}"
                f"\n--- the program:\n{self.session.output(program)}")


class AccessibilityTest(unittest.TestCase):
    def find_application(self, name):
        desktop = pyatspi.Registry.getDesktop(0)
        application = wait_until(lambda: next(
            (app for app in desktop if app is not None and app.name == name), None))
        self.assertIsNotNone(application, [app.name for app in desktop if app is not None])
        return application

    def test_lists_captions_and_description(self):
        with X11Session() as session:
            # The AT-SPI library connects on first use, through the bus this
            # process's environment names.
            os.environ["DBUS_SESSION_BUS_ADDRESS"] = session.bus_address
            program = session.install_program(
                "Qelview", {"Qel/1.jpg": Image.new("RGB", (300, 300), (0, 90, 200))})
            _, window = session.start(program, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
            application = self.find_application("Qelview")
            nodes = list(descendants(application))

            lists = [node for node in nodes if node.getRole() == pyatspi.ROLE_COMBO_BOX]
            self.assertEqual([labelled_by(node) for node in lists], [[c] for c in CAPTIONS])
            items = {labelled_by(node)[0]: [item.name for item in descendants(node)
                                            if item.getRole() == pyatspi.ROLE_LIST_ITEM]
                     for node in lists}
            self.assertEqual([len(items[c]) for c in CAPTIONS], [6, 20, 23, 7])
            self.assertEqual(items["眉毛"][:3], ["真面目", "困る", "にこり"])
            self.assertEqual(items["眼睛"][10:12], ["キリッ     ", "瞳小            "])
            self.assertEqual(items["其他"][-1], "髪影消")

            picture = next(node for node in nodes if node.name == "表情图片")
            self.assertEqual(picture.getRole(), pyatspi.ROLE_IMAGE)
            labels = [node for node in nodes if node.getRole() == pyatspi.ROLE_LABEL]
            description = next(node for node in labels if node.name.startswith(" [表情说明]"))
            self.assertEqual(description.name, " [表情说明]")
            # Picture 0 is missing, so the built-in picture shows, and says so.
            self.assertEqual(picture.description, "内置图片")

            session.key("Down")
            self.assertTrue(wait_until(
                lambda: description.name == " [表情说明]\n   眉毛朝下，严肃的表情", 3),
                description.name)
            self.assertEqual(picture.description, "Qel/1.jpg：真面目")
            # The announcement left no description on the list's field.
            field = next(node for node in descendants(lists[0])
                         if node.getRole() == pyatspi.ROLE_TEXT)
            self.assertEqual(field.description, "")

            # A double-click shows picture 0, once it is there, and names it.
            Image.new("RGB", (300, 300), (200, 90, 0)).save(
                os.path.join(os.path.dirname(program), "Qel", "0.jpg"))
            x, y, _, _ = session.client_geometry(window)
            session.double_click(x + 150, y + 150)
            self.assertTrue(wait_until(lambda: picture.description == "Qel/0.jpg：总览", 5),
                            picture.description)

    def test_orca_speaks_each_pick_and_the_picture_a_double_click_shows(self):
        with open(GOLDEN_TABLE, encoding="utf-8", newline="") as file:
            rows = list(csv.DictReader(file, delimiter="\t", quoting=csv.QUOTE_NONE))
        reset_names = {"Qelview": ("Qel/0.jpg", "Qel/0.jpg：总览"),
                       "Velview": ("velisa/15.jpg", "velisa/15.jpg：びっくり")}
        with X11Session() as session:
            orca = Orca(session)
            self.assertTrue(orca.wait_to_say("Screen reader on.", 60), orca.report(orca.process))
            for name, (reset, reset_name) in reset_names.items():
                with self.subTest(program=name):
                    eyebrows = [row for row in rows if row["program"] == name
                                and row["list"] == "1"][:2]
                    program, window = session.start(session.install_program(
                        name, {reset: Image.new("RGB", (300, 300), (200, 90, 0))}))
                    # Keys go in once Orca has presented the focused list.
                    self.assertTrue(orca.wait_to_say("眉毛."), orca.report(program))
                    for row in eyebrows:
                        session.key("Down")
                        # The item first, then what the pick wrote.
                        for text in (row["list text"], row["description"]):
                            self.assertTrue(orca.wait_to_say(text), orca.report(program))
                    x, y, _, _ = session.client_geometry(window)
                    session.double_click(x + 150, y + 150)
                    self.assertTrue(orca.wait_to_say(reset_name), orca.report(program))
                    program.kill()
                    program.wait()
                    wait_until(lambda: window.id not in
                               [client.id for client in session.client_windows()])


if __name__ == "__main__":
    unittest.main()
