#pragma once

#include <QByteArray>

// True when the X server that display names (as DISPLAY would) accepts a
// connection from this program.
bool x11ServerAnswers(const QByteArray& display);
