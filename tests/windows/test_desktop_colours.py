"""The window under the user's system colours: the description panel stays
readable whatever the button text colour is."""

import unittest

from wine_session import WineTestCase

DESCRIPTION_RECT = (16, 304, 265, 60)
PINK = (255, 192, 192)


def luminance(rgb):
    """Relative luminance as the WCAG 2 define it."""
    def linear(channel):
        c = channel / 255
        return c / 12.92 if c <= 0.03928 else ((c + 0.055) / 1.055) ** 2.4
    red, green, blue = (linear(c) for c in rgb[:3])
    return 0.2126 * red + 0.7152 * green + 0.0722 * blue


def contrast(a, b):
    la, lb = luminance(a), luminance(b)
    return (max(la, lb) + 0.05) / (min(la, lb) + 0.05)


class SystemColoursTest(WineTestCase):
    def test_description_readable_with_white_button_text(self):
        # White on black, as a High Contrast scheme sets them. Wine cannot turn
        # High Contrast itself on, so the panel keeps its pink and must keep
        # its own dark text.
        colours = {"ButtonText": "255 255 255", "ButtonFace": "0 0 0", "Window": "0 0 0",
                   "WindowText": "255 255 255"}
        for name, value in colours.items():
            self.session.run_wine(["reg", "add", r"HKCU\Control Panel\Colors", "/v", name,
                                   "/t", "REG_SZ", "/d", value, "/f"], check=True)
        _, window = self.start("Qelview")
        x, y, _, _ = self.session.client_geometry(window)
        left, top, width, height = DESCRIPTION_RECT

        def panel():
            return self.session.screenshot().crop(
                (x + left, y + top, x + left + width, y + top + height)).convert("RGB")

        def drawn_panel():
            # The pink panel with the heading drawn on it, once both show.
            image = panel()
            drawn = image.getpixel((1, 1)) == PINK and len(image.getcolors(4096) or []) > 2
            return image if drawn else None

        shot = self.wait_for(drawn_panel, "the description panel never showed on pink")
        best = max(contrast(colour, PINK) for _, colour in shot.getcolors(4096))
        self.assertGreaterEqual(best, 4.5)


if __name__ == "__main__":
    unittest.main()
