"""What a screen reader finds through AT-SPI, over the session's private bus,
which starts the accessibility bus on demand."""

import os
import unittest

import pyatspi
from gi.repository import GLib
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


class DescriptionChanges:
    """The descriptions that AT-SPI announces as changed, the events a
    screen reader speaks from, in the order they come."""

    def __init__(self):
        self.seen = []
        self._listener = lambda event: self.seen.append((event.source.getRole(),
                                                         event.source.description))
        pyatspi.Registry.registerEventListener(
            self._listener, "object:property-change:accessible-description")

    def close(self):
        pyatspi.Registry.deregisterEventListener(
            self._listener, "object:property-change:accessible-description")

    def wait_for(self, expected, timeout=5):
        def arrived():
            while GLib.MainContext.default().iteration(False):
                pass
            return expected in self.seen
        return wait_until(arrived, timeout)


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

            changes = DescriptionChanges()
            session.key("Down")
            self.assertTrue(wait_until(
                lambda: description.name == " [表情说明]\n   眉毛朝下，严肃的表情", 3),
                description.name)
            self.assertEqual(picture.description, "Qel/1.jpg：真面目")
            # The focused list's field tells screen readers what the pick wrote.
            spoken = (pyatspi.ROLE_TEXT, " [表情说明]\r\n   眉毛朝下，严肃的表情")
            self.assertTrue(changes.wait_for(spoken), changes.seen)

            # A double-click shows picture 0, once it is there, and names it.
            Image.new("RGB", (300, 300), (200, 90, 0)).save(
                os.path.join(os.path.dirname(program), "Qel", "0.jpg"))
            x, y, _, _ = session.client_geometry(window)
            session.double_click(x + 150, y + 150)
            spoken = (pyatspi.ROLE_TEXT, "Qel/0.jpg：总览")
            self.assertTrue(changes.wait_for(spoken), changes.seen)
            self.assertEqual(picture.description, "Qel/0.jpg：总览")
            changes.close()


if __name__ == "__main__":
    unittest.main()
