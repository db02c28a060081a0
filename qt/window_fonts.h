#pragma once

#include "form_appearance.h"

#include <QFont>

#include <span>

class QComboBox;
class QLabel;

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

// The lists' font, made smaller where needed so that every item and every
// text their fields show fits a field at the lists' size: a larger desktop
// font never clips or scrolls a name. The lists are all of one size.
QFont fittingListFont(std::span<QComboBox* const> lists);
