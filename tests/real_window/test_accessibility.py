"""What a screen reader finds through AT-SPI, over the session's private bus,
which starts the accessibility bus on demand."""

import os
import re
import unittest

import pyatspi
from PIL import Image

from x11_session import X11Session, wait_for, wait_until

CAPTIONS = ["眉毛", "眼睛", "口型", "其他"]


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
    """Debian's screen reader, its speech replaced by lines in its log."""

    def __init__(self, session):
        home = os.path.join(session.folder, "orca")
        os.makedirs(home)
        with open(os.path.join(home, "orca-customizations.py"), "w") as file:
            # No sound device needed, and each line is in the log at once.
            file.write("import orca.debug, orca.speechdispatcherfactory as factory\n"
                       "factory.SpeechServer._speak = lambda *args, **kwargs: None\n"
                       "orca.debug.debugFile.reconfigure(line_buffering=True)\n")
        self.session, self.log, self.heard = session, os.path.join(home, "debug.log"), 0
        open(self.log, "w").close()
        # Its settings stay in memory, its files in the session's folder.
        self.process = session.launch(["orca", "--debug-file=" + self.log, "-u", home],
                                      HOME=home, XDG_CONFIG_HOME=home, XDG_DATA_HOME=home,
                                      GSETTINGS_BACKEND="memory")

    def spoken(self):
        with open(self.log, encoding="utf-8", errors="replace") as log:
            return re.findall(r"SPEECH OUTPUT: '(.*?)'", log.read())

    def says(self, text, timeout=20):
        # True once Orca says text after what the last true answer found.
        later = wait_for(lambda: self.spoken()[self.heard:], lambda said: text in said, timeout)
        self.heard += later.index(text) + 1 if text in later else 0
        return text in later

    def report(self, program):
        return (f"Orca said {self.spoken()}\n--- Orca:\n{self.session.output(self.process)}"
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
            field = next(n for n in descendants(lists[0]) if n.getRole() == pyatspi.ROLE_TEXT)
            self.assertEqual(field.description, "")

            # A double-click shows picture 0, once it is there, and names it.
            Image.new("RGB", (300, 300), (200, 90, 0)).save(
                os.path.join(os.path.dirname(program), "Qel", "0.jpg"))
            x, y, _, _ = session.client_geometry(window)
            session.double_click(x + 150, y + 150)
            self.assertTrue(wait_until(lambda: picture.description == "Qel/0.jpg：总览", 5),
                            picture.description)

    def test_orca_speaks_each_pick_and_the_picture_a_double_click_shows(self):
        for name, reset, reset_name in (("Qelview", "Qel/0.jpg", "Qel/0.jpg：总览"),
                                        ("Velview", "velisa/15.jpg", "velisa/15.jpg：びっくり")):
            with self.subTest(program=name), X11Session() as session:
                orca = Orca(session)
                self.assertTrue(orca.says("Screen reader on.", 60), orca.report(orca.process))
                program, window = session.start(session.install_program(
                    name, {reset: Image.new("RGB", (300, 300), (200, 90, 0))}))

                def hear(*texts):
                    for text in texts:
                        self.assertTrue(orca.says(text), orca.report(program))
                # Keys go in once Orca has presented the focused list.
                hear("眉毛.")
                session.key("Down")
                hear("真面目", "眉毛朝下，严肃的表情")
                session.key("Down")
                hear("困る", "眉毛前段往上，悲伤的表情")
                x, y, _, _ = session.client_geometry(window)
                session.double_click(x + 150, y + 150)
                hear(reset_name)


if __name__ == "__main__":
    unittest.main()
