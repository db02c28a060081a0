#pragma once

#include "form_appearance.h"

#include <QFont>
#include <QSize>
#include <QStringList>

class QLabel;
class QWidget;

// A label's font: the face the window was designed with at its size and
// weight, else a face with Simplified Chinese forms that covers GB2312.
QFont chineseLabelFont(const LabelFont& design);

// The interface font at its usual size, with a face of Japanese forms first,
// since the lists show the model's Japanese morph names.
QFont japaneseListFont();

// A caption's or the description's font: its designed font, made smaller
// where the label's text would not fit its box, whose height the
// description's wrapped lines share.
QFont fittingLabelFont(const QLabel& label, const LabelFont& design);

// The lists' font: the desktop's, made smaller where needed so that every
// text the lists show fits the field of an editable list of listSize in the
// window's style: a larger desktop font never clips or scrolls a name.
QFont fittingListFont(const QWidget& window, QSize listSize, const QStringList& texts);
