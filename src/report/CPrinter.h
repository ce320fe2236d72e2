// A small line printer: draws lines of text in a fixed-pitch font on any
// paged paint device (a printer, a PDF writer), breaks pages when a line
// would start below the bottom margin, and puts the title, the page number
// and a red rule at the top of every page. The device is not owned.
#pragma once

#include <QFont>
#include <QPainter>
#include <QString>

class QPagedPaintDevice;

class CPrinter {
public:
    CPrinter(QPagedPaintDevice* device, QString title);
    virtual ~CPrinter();
    CPrinter(const CPrinter&) = delete;
    CPrinter& operator=(const CPrinter&) = delete;

    // Starts the job; false when the print system refuses it.
    bool StartDocument();
    // One line. Colour tokens in it change the text colour; what would run
    // past the right margin is cut off there.
    void PrintLine(const QString& text);
    // Ends the open page and the job.
    void EndDocument();

    // "Courier" in the given cell height (ascent + descent, in device pixels)
    // and weight, or the system's fixed-pitch font when "Courier" would come
    // out proportional.
    static QFont courierFont(int cellHeight, int weight, QPaintDevice* device);

    int topMargin() const { return m_topMargin; }
    int leftMargin() const { return m_leftMargin; }
    int lineHeight() const { return m_lineHeight; }
    int pageNumber() const { return m_pageNumber; }

protected:
    virtual void PrintPageHeader();
    virtual void SelectTextFont();
    virtual void SelectHeaderFont();

private:
    void selectFont(int tenthsOfMillimetre, int weight);
    void drawClipped(const QString& text, int& x, int top, int right);

    QPagedPaintDevice* m_device;
    QPainter m_painter;
    int m_topMargin = 0;
    int m_leftMargin = 0;
    int m_pageHeight = 0;
    int m_pageWidth = 0;
    int m_lineTop = 0;
    int m_lineHeight = 0;
    bool m_pageOpen = false;
    bool m_documentOpen = false;
    int m_pageNumber = 0;
    QString m_title;
    QFont m_font;
};
