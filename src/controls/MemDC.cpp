#include "controls/MemDC.h"

#include <QPaintDevice>

CMemDC::CMemDC(QPainter& target)
    : target_(target), offScreen_(target.device()->devType() != QInternal::Printer) {
    if (!offScreen_)
        return;
    QPaintDevice* device = target.device();
    area_ = target.hasClipping() ? target.clipBoundingRect().toAlignedRect()
                                 : QRect(0, 0, device->width(), device->height());
    const qreal ratio = device->devicePixelRatioF();
    pixmap_ = QPixmap((QSizeF(area_.size()) * ratio).toSize());
    pixmap_.setDevicePixelRatio(ratio);
    pixmap_.fill(Qt::transparent);
    buffer_.begin(&pixmap_);
    buffer_.translate(-area_.topLeft());
}

CMemDC::~CMemDC() {
    if (!offScreen_)
        return;
    buffer_.end();
    target_.save();
    target_.setCompositionMode(QPainter::CompositionMode_Source);
    target_.drawPixmap(area_.topLeft(), pixmap_);
    target_.restore();
}
