"""The description stays readable under white-on-black system colours. Wine
cannot turn High Contrast itself on, so the panel keeps its pink there and
must keep its own dark text."""

import unittest

from wine_session import WineTestCase

PINK = (255, 192, 192)


def luminance(rgb):
    """Relative luminance as the WCAG 2 define it."""
    linear = [c / 255 / 12.92 if c <= 10 else ((c / 255 + 0.055) / 1.055) ** 2.4 for c in rgb]
    return 0.2126 * linear[0] + 0.7152 * linear[1] + 0.0722 * linear[2]


class SystemColoursTest(WineTestCase):
    def test_description_readable_with_white_button_text(self):
        for name, value in {"ButtonText": "255 255 255", "ButtonFace": "0 0 0",
                            "Window": "0 0 0", "WindowText": "255 255 255"}.items():
            self.session.run_wine(["reg", "add", r"HKCU\Control Panel\Colors", "/v", name,
                                   "/t", "REG_SZ", "/d", value, "/f"], check=True)
        _, window = self.start("Qelview")
        x, y, _, _ = self.session.client_geometry(window)

        def drawn_panel():
            panel = self.session.screenshot().crop((x + 16, y + 304, x + 281, y + 364))
            colours = panel.convert("RGB").getcolors(4096) or []
            return colours if panel.getpixel((1, 1))[:3] == PINK and len(colours) > 2 else None

        colours = self.wait_for(drawn_panel, "the panel never showed its heading on pink")
        darkest = min(luminance(colour) for _, colour in colours)
        self.assertGreaterEqual((luminance(PINK) + 0.05) / (darkest + 0.05), 4.5)


if __name__ == "__main__":
    unittest.main()
