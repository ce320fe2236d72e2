// A scoped off-screen buffer: painting goes into a pixmap the size of the
// target's clip box and reaches the target in one copy when the object is
// destroyed, so a control never shows a half-drawn state. On a printer the
// drawing goes straight to the target.
#pragma once

#include <QPainter>
#include <QPixmap>
#include <QRect>

class CMemDC {
public:
    explicit CMemDC(QPainter& target);
    ~CMemDC();
    CMemDC(const CMemDC&) = delete;
    CMemDC& operator=(const CMemDC&) = delete;

    // Draw here, in the target's own coordinates.
    QPainter& painter() { return offScreen_ ? buffer_ : target_; }
    QPainter* operator->() { return &painter(); }

private:
    QPainter& target_;
    QRect area_;
    bool offScreen_;
    QPixmap pixmap_;
    QPainter buffer_;
};
