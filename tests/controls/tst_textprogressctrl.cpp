// The text progress bar's pixels: where the fill ends, which way it grows,
// the text and its two colours, and when a change reaches the screen.
#include "controls/TextProgressCtrl.h"

#include <QImage>
#include <QScreen>
#include <QTest>
#include <QWindow>

namespace {

const QColor Bar(0, 0, 255);
const QColor Background(255, 255, 255);
const QColor TextOverBar(0, 255, 0);
const QColor TextOverBackground(255, 0, 0);

struct ShownBar {
    CTextProgressCtrl bar;
    explicit ShownBar(QSize size, bool showText = false) {
        bar.SetBarColour(Bar);
        bar.SetBgColour(Background);
        bar.SetTextBarColour(TextOverBar);
        bar.SetTextColour(TextOverBackground);
        bar.SetShowText(showText);
        bar.setFixedSize(size);
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
    }
    QImage image() { return bar.grab().toImage(); }
    // What the screen shows now, without painting again.
    QImage onScreen() { return bar.screen()->grabWindow(bar.winId()).toImage(); }
};

int filledColumns(const QImage& image, int row) {
    int n = 0;
    while (n < image.width() && QColor(image.pixel(n, row)) == Bar)
        ++n;
    for (int x = n; x < image.width(); ++x) {
        if (QColor(image.pixel(x, row)) != Background)
            return -1;
    }
    return n;
}

// Pixels in columns [from, to) tinted by one of the two text colours.
int pixelsLike(const QImage& image, const QColor& colour, int from, int to) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = from; x < to; ++x) {
            const QColor c(image.pixel(x, y));
            const int lean = colour == TextOverBar ? c.green() - c.red() : c.red() - c.green();
            if (lean > 50)
                ++count;
        }
    }
    return count;
}

} // namespace

class TestTextProgressCtrl : public QObject {
    Q_OBJECT
private slots:
    void fillEnds_data() {
        QTest::addColumn<int>("upper");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("filled");
        QTest::newRow("half of the voice memory") << 540672 << 270336 << 100;
        QTest::newRow("one short of full") << 100 << 99 << 198;
        QTest::newRow("full") << 100 << 100 << 200;
        QTest::newRow("truncated") << 3 << 1 << 66;
        QTest::newRow("above the range") << 100 << 120 << 200;
        QTest::newRow("below the range") << 100 << -10 << 0;
    }
    void fillEnds() {
        QFETCH(int, upper);
        QFETCH(int, position);
        QFETCH(int, filled);
        ShownBar shown(QSize(200, 20));
        shown.bar.SetRange(0, upper);
        shown.bar.SetPos(position);
        const QImage image = shown.onScreen();
        QCOMPARE(filledColumns(image, 0), filled);
        QCOMPARE(filledColumns(image, 19), filled);
    }

    void verticalFillsFromTheBottom() {
        ShownBar shown(QSize(20, 100));
        shown.bar.SetVertical(true);
        shown.bar.SetRange(0, 100);
        shown.bar.SetPos(25);
        const QImage image = shown.image();
        for (int y = 0; y < 100; ++y)
            QCOMPARE(QColor(image.pixel(0, y)), y >= 75 ? Bar : Background);
    }

    void textChangesColourAtTheEdge() {
        ShownBar shown(QSize(200, 20), true);
        shown.bar.SetRange(0, 540672);
        shown.bar.SetPos(270336);
        QCOMPARE(shown.bar.DisplayText(), QStringLiteral("50.0%"));
        const QImage image = shown.image();
        QVERIFY(pixelsLike(image, TextOverBar, 0, 100) > 0);
        QCOMPARE(pixelsLike(image, TextOverBackground, 0, 100), 0);
        QVERIFY(pixelsLike(image, TextOverBackground, 100, 200) > 0);
        QCOMPARE(pixelsLike(image, TextOverBar, 100, 200), 0);
        QCOMPARE(filledColumns(image, 0), 100);

        shown.bar.SetPos(120);
        shown.bar.SetRange(0, 100);
        shown.bar.SetPos(120);
        QCOMPARE(shown.bar.DisplayText(), QStringLiteral("120.0%"));
    }

    void captionReplacesThePercentage() {
        ShownBar shown(QSize(200, 20), true);
        shown.bar.SetRange(0, 100);
        shown.bar.SetPos(0);
        const QImage percentage = shown.image();
        QCOMPARE(pixelsLike(percentage, TextOverBackground, 0, 60), 0);

        shown.bar.SetWindowText(QStringLiteral("Recording the message now"));
        const QImage caption = shown.image();
        QCOMPARE(shown.bar.DisplayText(), QStringLiteral("Recording the message now"));
        QVERIFY(pixelsLike(caption, TextOverBackground, 0, 60) > 0);

        QChar buffer[8];
        QCOMPARE(shown.bar.GetWindowText(buffer, 8), 7);
        QCOMPARE(QString(buffer), QStringLiteral("Recordi"));
        QCOMPARE(shown.bar.GetWindowText(buffer, 0), 0);

        shown.bar.SetWindowText(QString());
        QCOMPARE(shown.image(), percentage);
    }

    void noTextDrawsOnlyTheTwoParts() {
        ShownBar shown(QSize(200, 20), true);
        shown.bar.SetRange(0, 100);
        shown.bar.SetPos(50);
        shown.bar.SetShowText(false);
        const QImage image = shown.image();
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                colours.insert(image.pixel(x, y));
        QCOMPARE(colours, (QSet<QRgb>{Bar.rgb(), Background.rgb()}));
    }

    void colourShowsAtTheNextRepaint() {
        ShownBar shown(QSize(200, 20));
        shown.bar.SetRange(0, 100);
        shown.bar.SetPos(100);
        const QColor green(0, 160, 0);
        shown.bar.SetBarColour(green);
        QCOMPARE(shown.bar.GetBarColour(), green);
        QTest::qWait(50);
        QCOMPARE(QColor(shown.onScreen().pixel(10, 10)), Bar);
        shown.bar.SetPos(100);
        QCOMPARE(QColor(shown.onScreen().pixel(10, 10)), green);
    }

    void positionBeforeTheWindowExists() {
        CTextProgressCtrl bar;
        QCOMPARE(bar.SetPos(40), -1);
        QCOMPARE(bar.StepIt(), -1);
        QCOMPARE(bar.GetPos(), 0);
        QCOMPARE(bar.SetStep(10), 1);
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        QCOMPARE(bar.SetPos(40), 0);
        QCOMPARE(bar.StepIt(), 40);
        QCOMPARE(bar.OffsetPos(-5), 50);
        QCOMPARE(bar.GetPos(), 45);
    }
};

QTEST_MAIN(TestTextProgressCtrl)
#include "tst_textprogressctrl.moc"
