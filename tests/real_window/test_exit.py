"""Each program closed from the desktop ends with exit code 0, in a session
with a bus and in one without; under the sanitizers, a leak fails it."""

import unittest

from x11_session import X11Session


class ExitTest(unittest.TestCase):
    def test_closed_program_exits_cleanly(self):
        for name in ("Qelview", "Velview"):
            for session_bus in (True, False):
                with self.subTest(program=name, session_bus=session_bus), \
                        X11Session(session_bus=session_bus) as session:
                    process, window = session.start(session.install_program(name))
                    session.close(window)
                    self.assertEqual(session.exit_code(process, timeout=30), 0,
                                     session.output(process))


if __name__ == "__main__":
    unittest.main()
