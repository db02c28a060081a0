"""What a screen reader finds through AT-SPI, over the session's private bus,
which starts the accessibility bus on demand."""

import os
import unittest

import pyatspi
from PIL import Image

from x11_session import X11Session, wait_until

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
            session.start(program, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
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


if __name__ == "__main__":
    unittest.main()
