#include "report/CPrinter.h"

#include "report/ColourTokens.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPalette>
#include <QPdfWriter>
#include <QPrinter>

namespace {

// Rounds like the Windows MulDiv the sizes were first specified with.
int mulDiv(int number, int numerator, int denominator) {
    return int((qint64(number) * numerator + denominator / 2) / denominator);
}

int cellHeight(const QFontMetrics& metrics) {
    return metrics.ascent() + metrics.descent();
}

// The desktop's text colour, unless a dark theme makes it too light to read
// on white paper.
QColor paperTextColour() {
    const QColor colour = QPalette().color(QPalette::WindowText);
    return colour.lightness() > 160 ? QColor(Qt::black) : colour;
}

} // namespace

CPrinter::CPrinter(QPagedPaintDevice* device, QString title)
    : m_device(device), m_title(std::move(title)) {}

CPrinter::~CPrinter() {
    if (m_documentOpen)
        EndDocument();
}

QFont CPrinter::courierFont(int cellHeightPixels, int weight, QPaintDevice* device) {
    QFont font(QStringLiteral("Courier"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    if (!QFontInfo(font).fixedPitch()) {
        // A proportional stand-in would wreck the listing's columns.
        font.setFamily(QFontDatabase::systemFont(QFontDatabase::FixedFont).family());
    }
    font.setWeight(QFont::Weight(weight));
    font.setKerning(false);
    // The height asked for is the character cell (ascent + descent), as the
    // printed sizes were first meant; Qt's pixel size is the em, so scale it.
    font.setPixelSize(qMax(1, cellHeightPixels));
    const int measured = cellHeight(QFontMetrics(font, device));
    if (measured > 0 && measured != cellHeightPixels)
        font.setPixelSize(qMax(1, mulDiv(cellHeightPixels, cellHeightPixels, measured)));
    return font;
}

void CPrinter::selectFont(int tenthsOfMillimetre, int weight) {
    m_font =
        courierFont(mulDiv(tenthsOfMillimetre, m_device->logicalDpiY(), 254), weight, m_device);
    if (m_painter.isActive())
        m_painter.setFont(m_font);
    // Cell height plus internal leading (the part of the cell above the em).
    const QFontMetrics metrics(m_font, m_device);
    const int cell = cellHeight(metrics);
    m_lineHeight = cell + qMax(0, cell - m_font.pixelSize());
}

void CPrinter::SelectTextFont() {
    selectFont(35, 500);
}

void CPrinter::SelectHeaderFont() {
    selectFont(45, 700);
}

bool CPrinter::StartDocument() {
    SelectTextFont();
    if (auto* printer = dynamic_cast<QPrinter*>(m_device))
        printer->setDocName(m_title);
    else if (auto* writer = dynamic_cast<QPdfWriter*>(m_device))
        writer->setTitle(m_title);
    if (!m_painter.begin(m_device))
        return false;
    m_documentOpen = true;
    m_painter.setFont(m_font);
    m_topMargin = m_device->logicalDpiY() / 2;
    m_leftMargin = m_device->logicalDpiX() / 2;
    m_pageHeight = m_device->height();
    m_pageWidth = m_device->width();
    m_lineTop = m_topMargin;
    return true;
}

void CPrinter::drawClipped(const QString& text, int& x, int top, int right) {
    if (text.isEmpty())
        return;
    const QFontMetrics metrics(m_font, m_device);
    const int baseline = top + metrics.ascent();
    const int width = metrics.horizontalAdvance(text);
    if (x + width <= right) {
        m_painter.drawText(QPoint(x, baseline), text);
    } else if (x < right) {
        // Only the characters that start before the margin, and those cut
        // at it: nothing lands in the margin or off the page.
        qsizetype count = 0;
        for (int start = x; count < text.size() && start < right; ++count)
            start += metrics.horizontalAdvance(text[count]);
        m_painter.save();
        m_painter.setClipRect(
            QRect(QPoint(m_leftMargin, top), QPoint(right - 1, top + m_lineHeight)));
        m_painter.drawText(QPoint(x, baseline), text.left(count));
        m_painter.restore();
    }
    x += width;
}

void CPrinter::PrintLine(const QString& text) {
    if (!m_documentOpen)
        return;
    if (!m_pageOpen || m_lineTop > m_pageHeight - m_topMargin) {
        if (m_pageOpen)
            m_device->newPage();
        ++m_pageNumber;
        m_lineTop = m_topMargin;
        m_pageOpen = true;
        PrintPageHeader();
    }
    SelectTextFont();
    m_painter.setPen(paperTextColour());
    const int right = m_pageWidth - m_leftMargin;
    int x = m_leftMargin;
    for (const ColouredRun& run : splitColourTokens(text)) {
        if (run.colour)
            m_painter.setPen(QColor(run.colour->red, run.colour->green, run.colour->blue));
        drawClipped(run.text, x, m_lineTop, right);
    }
    m_lineTop += m_lineHeight;
}

void CPrinter::PrintPageHeader() {
    SelectHeaderFont();
    const int headerTop = m_topMargin - (3 * m_lineHeight) / 2;
    const int ruleY = m_topMargin - m_lineHeight / 2;
    const QFontMetrics metrics(m_font, m_device);
    const int baseline = headerTop + metrics.ascent();

    m_painter.save();
    m_painter.setPen(Qt::black);
    const QString number = QString::number(m_pageNumber);
    const int numberLeft = m_pageWidth - m_leftMargin - metrics.horizontalAdvance(number);
    // A long title stops a character short of the page number.
    int x = m_leftMargin;
    drawClipped(m_title, x, headerTop, numberLeft - metrics.horizontalAdvance(QLatin1Char(' ')));
    m_painter.drawText(QPoint(numberLeft, baseline), number);
    QPen rule(QColor(255, 0, 0), m_device->logicalDpiX() / 100, Qt::SolidLine, Qt::FlatCap);
    m_painter.setPen(rule);
    m_painter.drawLine(m_leftMargin, ruleY, m_pageWidth - m_leftMargin, ruleY);
    m_painter.restore();
}

void CPrinter::EndDocument() {
    if (m_painter.isActive())
        m_painter.end();
    m_pageOpen = false;
    m_documentOpen = false;
}
