#pragma once

#include <QLabel>

// A plain-text label whose caption may hold CR LF line breaks. The caption is
// kept exactly as given, while the label draws each CR LF as one line break
// and nothing of the CR.
class CaptionLabel : public QLabel {
    Q_OBJECT

public:
    explicit CaptionLabel(QWidget* parent = nullptr);

    void setCaption(const QString& caption);
    const QString& caption() const { return m_caption; }

private:
    QString m_caption;
};
