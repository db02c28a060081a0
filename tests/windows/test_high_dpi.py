"""A program under Wine at 192 dpi: its layout and its picture at device
pixels, twice the size of the 96 dpi ones."""

import io
import unittest

from PIL import Image

from test_pictures import blocks, difference, jpeg_bytes
from test_window import LABEL_RECTS, cut_text
from wine_session import WineTestCase, controls_of


class HighDpiTest(WineTestCase):
    DPI = 192
    # A screen that holds the window at this density.
    SCREEN_SIZE = (1920, 1200)

    def test_layout_and_picture_at_192_dpi(self):
        data = jpeg_bytes(blocks((300, 300), 4, 4))
        _, window = self.start("Qelview", {"Qel/0.jpg": data})
        state = self.program_window()
        self.assertEqual(state["dpi"], 192)
        self.assertEqual(state["client"], [598, 864])
        self.assertEqual(self.session.client_geometry(window)[2:], (598, 864))
        description = max(controls_of(state, "Static"), key=lambda c: c["rect"][2])
        self.assertEqual(description["rect"], [32, 607, 530, 120])
        self.assertEqual(controls_of(state, "ComboBox")[0]["rect"][:3], [80, 736, 210])
        captions = [[2 * value for value in rect] for rect in LABEL_RECTS]
        self.assertEqual(cut_text(self.session, window, captions, covered=2), [])
        picture = [c for c in state["controls"] if c["class"] not in ("Static", "ComboBox")]
        self.assertEqual(picture[0]["rect"], [0, 0, 600, 600])

        # Decoded at 600 x 600 device pixels, not drawn at 300 and stretched.
        expected = Image.open(io.BytesIO(data)).convert("RGB").resize((600, 600), Image.BILINEAR)
        expected = expected.crop((0, 0, 598, 600))
        self.wait_for(lambda: difference(self.picture_area(window, (598, 600)), expected)[0] < 2)


if __name__ == "__main__":
    unittest.main()
