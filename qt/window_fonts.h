#pragma once

#include <QFont>

// The captions' and description's face at the given size: the face the
// window was designed with, else a face with Simplified Chinese forms that
// covers GB2312.
QFont chineseLabelFont(qreal pointSize);

// The interface font at its usual size, with a face of Japanese forms first,
// since the lists show the model's Japanese morph names.
QFont japaneseListFont();
