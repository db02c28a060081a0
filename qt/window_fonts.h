#pragma once

#include "form_appearance.h"

#include <QFont>

// A label's font: the face the window was designed with at its size and
// weight, else a face with Simplified Chinese forms that covers GB2312.
QFont chineseLabelFont(const LabelFont& design);

// The interface font at its usual size, with a face of Japanese forms first,
// since the lists show the model's Japanese morph names.
QFont japaneseListFont();
