#include "controls/TextProgressCtrl.h"

#include "controls/MemDC.h"

#include <QFont>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>

#include <algorithm>
#include <cmath>
#include <utility>

CTextProgressCtrl::CTextProgressCtrl(QWidget* parent) : QFrame(parent) {
    const QPalette colours = palette();
    barColour_ = colours.color(QPalette::Highlight);
    bgColour_ = colours.color(QPalette::Base);
    textColour_ = colours.color(QPalette::Highlight);
    textBarColour_ = colours.color(QPalette::Base);
    // Every pixel is painted; there is nothing to erase first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    updateAccessibleText();
}

void CTextProgressCtrl::SetRange(int lower, int upper) {
    lower_ = lower;
    upper_ = upper;
    updateAccessibleText();
}

void CTextProgressCtrl::GetRange(int& lower, int& upper) const {
    lower = lower_;
    upper = upper_;
}

int CTextProgressCtrl::SetPos(int position) {
    if (!testAttribute(Qt::WA_WState_Created))
        return -1;
    const int previous = position_;
    position_ = position;
    updateAccessibleText();
    repaint();
    return previous;
}

int CTextProgressCtrl::OffsetPos(int amount) {
    return SetPos(position_ + amount);
}

int CTextProgressCtrl::StepIt() {
    return SetPos(position_ + step_);
}

int CTextProgressCtrl::SetStep(int step) {
    return std::exchange(step_, step);
}

void CTextProgressCtrl::SetShowText(bool show) {
    if (testAttribute(Qt::WA_WState_Created) && show != showText_)
        update();
    showText_ = show;
}

void CTextProgressCtrl::SetVertical(bool vertical) {
    vertical_ = vertical;
    update();
}

void CTextProgressCtrl::SetWindowText(const QString& text) {
    setWindowTitle(text);
    if (text != caption_) {
        caption_ = text;
        updateAccessibleText();
        update();
    }
}

int CTextProgressCtrl::GetWindowText(QChar* buffer, int size) const {
    if (size <= 0)
        return 0;
    const int count = std::min<int>(size - 1, int(caption_.size()));
    std::copy_n(caption_.constData(), count, buffer);
    buffer[count] = QChar(0);
    return count;
}

double CTextProgressCtrl::fraction() const {
    return double(position_ - double(lower_)) / (double(upper_) - double(lower_));
}

QString CTextProgressCtrl::DisplayText() const {
    if (!caption_.isEmpty())
        return caption_;
    if (lower_ >= upper_)
        return {};
    return QString::asprintf("%.1f%%", fraction() * 100.0);
}

// Screen readers get what the bar shows; its name comes from its label.
void CTextProgressCtrl::updateAccessibleText() {
    setAccessibleDescription(DisplayText());
}

void CTextProgressCtrl::paintEvent(QPaintEvent*) {
    if (lower_ >= upper_)
        return;
    const QRect client = contentsRect();
    const double part = fraction();

    QPainter target(this);
    CMemDC dc(target);
    QPainter& painter = dc.painter();

    // Edges as half-open coordinates, as the fill split is defined on them;
    // a part whose edges cross is empty.
    int fillLeft = client.left(), fillTop = client.top();
    int fillRight = client.left() + client.width(), fillBottom = client.top() + client.height();
    int emptyLeft = fillLeft, emptyTop = fillTop, emptyRight = fillRight, emptyBottom = fillBottom;
    if (vertical_) {
        const int edge = fillBottom + int(std::trunc(double(fillTop - fillBottom) * part));
        fillTop = edge;
        emptyBottom = edge;
    } else {
        const int edge = fillLeft + int(std::trunc(double(fillRight - fillLeft) * part));
        fillRight = edge;
        emptyLeft = edge;
    }
    const auto span = [](int left, int top, int right, int bottom) {
        return right > left && bottom > top ? QRect(left, top, right - left, bottom - top)
                                            : QRect();
    };
    // Past the range the fill reaches beyond the bar; the frame keeps its own pixels.
    const QRect filled = span(fillLeft, fillTop, fillRight, fillBottom).intersected(client);
    const QRect empty = span(emptyLeft, emptyTop, emptyRight, emptyBottom).intersected(client);

    drawFrame(&painter);
    if (!filled.isNull())
        painter.fillRect(filled, barColour_);
    if (!empty.isNull())
        painter.fillRect(empty, bgColour_);

    if (showText_) {
        const QString text = DisplayText();
        QFont font(QStringLiteral("Courier"));
        font.setStyleHint(QFont::TypeWriter);
        font.setFixedPitch(true);
        font.setPixelSize(8);
        font.setWeight(QFont::Normal);
        painter.setFont(font);
        painter.setBackgroundMode(Qt::TransparentMode);
        const int flags = Qt::AlignCenter | Qt::TextSingleLine;

        painter.setClipRect(filled);
        painter.setPen(textBarColour_);
        painter.drawText(client, flags, text);
        painter.setClipRect(empty);
        painter.setPen(textColour_);
        painter.drawText(client, flags, text);
        painter.setClipping(false);
    }
}
