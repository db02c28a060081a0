#pragma once

class QWidget;

// Once the window's first frame has been painted and handed to the window
// system, prints "first_frame_ns=<CLOCK_MONOTONIC> rss_kb=<resident memory>"
// and ends the process at once, so that nothing after the first frame counts.
void reportFirstFrameAndExit(QWidget& window);
