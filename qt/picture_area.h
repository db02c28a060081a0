#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>

// Shows one picture stretched over the whole area, and reports double-clicks.
class PictureArea : public QWidget {
    Q_OBJECT

public:
    explicit PictureArea(QWidget* parent = nullptr);

    // Replaces the picture shown; an image at the area's size in device
    // pixels is painted one to one.
    void setPicture(QImage picture);
    const QPixmap& picture() const { return m_picture; }

    // The area's size in device pixels on its current screen.
    QSize deviceSize() const;

signals:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QPixmap m_picture;
};
