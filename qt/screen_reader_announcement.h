#pragma once

class QString;
class QWidget;

// Has screen readers speak this text once, as news about the control that
// holds the focus, without leaving it as that control's description.
void announceToScreenReaders(QWidget& focus, const QString& text);
