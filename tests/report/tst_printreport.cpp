// The printed listing end to end: the print command to a PDF file read back
// with poppler, CPrinter's drawing rendered to pixels, and the real dialog.
#include "TestSupport.h"
#include "app/QuillaryDlg.h"
#include "report/CPrinter.h"
#include "report/PrintCommand.h"
#include "report/ReportLines.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <unistd.h>

namespace {

// Stands in for the print dialog: cancels, or picks a PDF file.
class PdfChooser final : public PrinterChooser {
public:
    QString path;
    bool accept = true;
    int shown = 0;
    bool choosePrinter(QPrinter& printer) override {
        ++shown;
        if (!accept)
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        return true;
    }
};

QString runTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        qWarning() << program << arguments << process.readAllStandardError();
        return QString();
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

QStringList simplifiedNonEmpty(const QStringList& lines) {
    QStringList result;
    for (const QString& line : lines) {
        if (!line.trimmed().isEmpty())
            result << line.simplified();
    }
    return result;
}

RegisterStore fullStore() {
    RegisterStore store;
    for (int reg = 1; reg <= RegisterStore::RegisterCount; ++reg)
        store.setText(reg, "register " + QByteArray::number(reg) + " text %s");
    store.setText(83, "PNPNPNPNPNPNPNPN");
    return store;
}

bool isInk(QRgb pixel) {
    return qRed(pixel) < 200 || qGreen(pixel) < 200 || qBlue(pixel) < 200;
}
bool isGreen(QRgb pixel) {
    return qGreen(pixel) > 150 && qRed(pixel) < 110 && qBlue(pixel) < 110;
}
bool isRed(QRgb pixel) {
    return qRed(pixel) > 200 && qGreen(pixel) < 110 && qBlue(pixel) < 110;
}
bool isDark(QRgb pixel) {
    return qRed(pixel) < 110 && qGreen(pixel) < 110 && qBlue(pixel) < 110;
}

// The bounding box of the pixels in `area` that satisfy `test`.
template <typename Test> QRect boxOf(const QImage& image, const QRect& area, Test test) {
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = area.left(); x <= area.right(); ++x) {
            if (test(row[x]))
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

} // namespace

class TestPrintReport : public QObject {
    Q_OBJECT
private slots:
    void init() {
        ui_ = ScriptedUserInteraction();
        chooser_ = PdfChooser();
        chooser_.path = dir_.filePath("report.pdf");
        QFile::remove(chooser_.path);
    }

    void fullConfigurationToPdf() {
        const RegisterStore store = fullStore();
        const QString configPath = dir_.filePath("Full.QRB");
        PrintCommand(store, configPath, clock_, ui_, chooser_).run();
        QCOMPARE(ui_.messages, QList<MessageRequest>{{ReportText::printed()}});

        const QString info = runTool("pdfinfo", {chooser_.path});
        const QString title = "Configuration for <" + configPath + ">";
        QVERIFY2(info.contains(QRegularExpression("Title: +" + QRegularExpression::escape(title))),
                 qPrintable(info));
        const int pages = QRegularExpression("Pages: +(\\d+)").match(info).captured(1).toInt();
        QVERIFY2(pages > 1, qPrintable(info));

        // Every page starts with its header; the rest, read in order, is the
        // listing line by line.
        QStringList text = runTool("pdftotext", {"-layout", chooser_.path, "-"}).split('\f');
        if (text.last().trimmed().isEmpty())
            text.removeLast();
        QCOMPARE(text.size(), pages);
        QStringList body;
        for (int page = 0; page < pages; ++page) {
            QStringList lines = simplifiedNonEmpty(text[page].split('\n'));
            QVERIFY(!lines.isEmpty());
            QCOMPARE(lines.takeFirst(), title + ' ' + QString::number(page + 1));
            body << lines;
        }
        const QStringList expected =
            simplifiedNonEmpty(reportLines(store, configPath, clock_.now()));
        QCOMPARE(body, expected);
        QCOMPARE(reportLines(store, configPath, clock_.now()).size(), 127);
        QVERIFY(body.contains("Printed 2026-12-06 09:05"));
    }

    void refusedJobSaysSo() {
        chooser_.path = "/nonexistent-folder/report.pdf";
        RegisterStore store;
        const QString path;
        PrintCommand(store, path, clock_, ui_, chooser_).run();
        QCOMPARE(ui_.messages, QList<MessageRequest>{{ReportText::notPrinted()}});

        QPdfWriter writer(chooser_.path);
        CPrinter printer(&writer, "Refused");
        QVERIFY(!printer.StartDocument());
        printer.PrintLine("nothing to draw on");
        QCOMPARE(printer.pageNumber(), 0);
    }

    // A disk that fills up halfway is a failure, and the earlier printout
    // stays as it was.
    void fullDiskSaysSo() {
        if (geteuid() != 0)
            QSKIP("mounting a small file system needs root (CI runs as root)");
        const QString mountPoint = dir_.filePath("small");
        QVERIFY(QDir().mkpath(mountPoint));
        QCOMPARE(QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=12k", "tmpfs", mountPoint}),
                 0);
        const auto unmount = qScopeGuard([&] { QProcess::execute("umount", {mountPoint}); });
        chooser_.path = mountPoint + "/report.pdf";
        writeFile(chooser_.path, "earlier printout");

        const RegisterStore store = fullStore();
        const QString path = dir_.filePath("Full.QRB");
        PrintCommand(store, path, clock_, ui_, chooser_).run();
        QCOMPARE(ui_.messages, QList<MessageRequest>{{ReportText::notPrinted()}});
        QCOMPARE(readFile(chooser_.path), QByteArray("earlier printout"));
    }

    // Through the window: Print is one row of its command table.
    void printButton() {
        const QString configPath = dir_.filePath("Window.QRB");
        RegisterStore saved;
        saved.setText(81, "+4930555");
        writeFile(configPath, QByteArray(reinterpret_cast<const char*>(saved.data()),
                                         RegisterStore::ImageSize));
        RecordingLinkApi link;
        Profile profile(dir_.filePath("quillary.ini"));
        AppServices services{link, ui_, profile, clock_, dir_.filePath("templates"), &chooser_};
        CQuillaryDlg window(services);
        ui_.nextFiles << configPath;
        window.button(IdLoad)->click();
        QVERIFY(window.button(IdPrint)->isEnabled());
        ui_.messages.clear();

        chooser_.accept = false;
        window.button(IdPrint)->click();
        QCOMPARE(chooser_.shown, 1);
        QVERIFY(ui_.messages.isEmpty());
        QVERIFY(!QFile::exists(chooser_.path));

        chooser_.accept = true;
        window.button(IdPrint)->click();
        QCOMPARE(ui_.messages, QList<MessageRequest>{{ReportText::printed()}});
        const QString text = runTool("pdftotext", {"-layout", chooser_.path, "-"});
        QVERIFY(text.contains("Configuration for \"" + configPath + '"'));
        QVERIFY(text.contains("+4930555"));
    }

    // A small page at 600 dpi, drawn to pixels by poppler: one pixel there is
    // one device pixel here.
    void drawingOnPixels() {
        // Under a dark theme the window-text colour is near white; on paper
        // the text must still come out dark.
        const QPalette original = QGuiApplication::palette();
        const auto restore = qScopeGuard([&] { QGuiApplication::setPalette(original); });
        QPalette darkTheme = original;
        darkTheme.setColor(QPalette::WindowText, QColor(0xFC, 0xFC, 0xFC));
        QGuiApplication::setPalette(darkTheme);

        const QString pdf = dir_.filePath("pixels.pdf");
        int lineHeight = 0;
        int charWidth = 0;
        {
            QPdfWriter writer(pdf);
            writer.setResolution(600);
            writer.setPageSize(QPageSize(QSizeF(4, 3), QPageSize::Inch, "small"));
            writer.setPageMargins(QMarginsF(0, 0, 0, 0));
            QCOMPARE(writer.width(), 2400);

            const QFont font = CPrinter::courierFont(83, 500, &writer);
            QVERIFY(QFontInfo(font).fixedPitch());
            const QFontMetrics metrics(font, &writer);
            QVERIFY(qAbs(metrics.ascent() + metrics.descent() - 83) <= 2);
            charWidth = metrics.horizontalAdvance('M');

            CPrinter printer(&writer, "Tokens");
            QVERIFY(printer.StartDocument());
            printer.PrintLine("AB{0000,00FF,0000}CD");
            printer.PrintLine("{zz00,00FF,0000}");
            printer.PrintLine(QString(255, 'M'));
            printer.EndDocument();
            QCOMPARE(printer.leftMargin(), 300);
            QCOMPARE(printer.topMargin(), 300);
            QCOMPARE(printer.pageNumber(), 1);
            lineHeight = printer.lineHeight();
        }

        const QStringList text =
            simplifiedNonEmpty(runTool("pdftotext", {"-layout", pdf, "-"}).split('\n'));
        QCOMPARE(text.size(), 4);
        QCOMPARE(text[0], QStringLiteral("Tokens 1"));
        QCOMPARE(text[1], QStringLiteral("ABCD"));
        QCOMPARE(text[2], QStringLiteral("{zz00,00FF,0000}"));
        QVERIFY(text[3].count('M') < 255); // cut at the margin, not run on
        QVERIFY(text[3].count('M') >= 1800 / charWidth);

        const QString base = dir_.filePath("pixels");
        runTool("pdftoppm", {"-r", "600", "-png", "-singlefile", pdf, base});
        const QImage image = QImage(base + ".png").convertToFormat(QImage::Format_RGB32);
        QCOMPARE(image.size(), QSize(2400, 1800));

        // Nothing in the left and right margins; the body starts at them.
        QVERIFY(boxOf(image, QRect(0, 0, 300, 1800), isInk).isEmpty());
        QVERIFY(boxOf(image, QRect(2100, 0, 300, 1800), isInk).isEmpty());
        const QRect body = boxOf(image, QRect(0, 300, 2400, 1500), isInk);
        QVERIFY2(body.left() <= 300 + charWidth / 4, qPrintable(QString::number(body.left())));
        QVERIFY2(body.right() >= 2100 - charWidth, qPrintable(QString::number(body.right())));

        // The red rule: 6 pixels (600 dpi / 100) from margin to margin,
        // between the heading and the body.
        const QRect rule = boxOf(image, QRect(0, 0, 2400, 300), isRed);
        QVERIFY(qAbs(rule.left() - 300) <= 1 && qAbs(rule.right() - 2099) <= 1);
        QVERIFY2(qAbs(rule.height() - 6) <= 1, qPrintable(QString::number(rule.height())));
        const QRect heading = boxOf(image, QRect(0, 0, 2400, rule.top()), isDark);
        QVERIFY(!heading.isEmpty());

        // "AB" dark, "CD" green, the token not drawn.
        const QRect first(0, 300, 2400, lineHeight);
        const QRect dark = boxOf(image, first, isDark);
        const QRect green = boxOf(image, first, isGreen);
        QVERIFY(!dark.isEmpty() && !green.isEmpty());
        QVERIFY(dark.right() < green.left());
        QVERIFY(green.left() >= 300 + 2 * charWidth - 2);
        QVERIFY(boxOf(image, first, isInk).right() < 300 + 4 * charWidth + 2);

        // The malformed token is ordinary text, all 16 characters of it.
        const QRect second(0, 300 + lineHeight, 2400, lineHeight);
        QVERIFY(boxOf(image, second, isGreen).isEmpty());
        QVERIFY(boxOf(image, second, isDark).right() > 300 + 15 * charWidth);
    }

    // The real dialog: "Print to File (PDF)" on offer, no page range or
    // selection, and Cancel ends the command without a word.
    void realDialog() {
        QString printerNames;
        QAbstractPrintDialog::PrintDialogOptions options;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
            if (!dialog) {
                if (QWidget* other = QApplication::activeModalWidget())
                    other->close();
                return;
            }
            options = dialog->options();
            for (QComboBox* box : dialog->findChildren<QComboBox*>()) {
                for (int i = 0; i < box->count(); ++i)
                    printerNames += box->itemText(i) + ';';
            }
            dialog->reject();
        });
        DialogPrinterChooser chooser;
        RegisterStore store;
        const QString path;
        PrintCommand(store, path, clock_, ui_, chooser).run();
        QVERIFY(ui_.messages.isEmpty());
        QVERIFY2(printerNames.contains("Print to File (PDF)"), qPrintable(printerNames));
        QVERIFY(options.testFlag(QAbstractPrintDialog::PrintToFile));
        QVERIFY(!options.testFlag(QAbstractPrintDialog::PrintPageRange));
        QVERIFY(!options.testFlag(QAbstractPrintDialog::PrintSelection));
    }

private:
    QTemporaryDir dir_;
    ScriptedUserInteraction ui_;
    FixedClock clock_;
    PdfChooser chooser_;
};

QTEST_MAIN(TestPrintReport)
#include "tst_printreport.moc"
