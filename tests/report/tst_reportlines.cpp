// The listing's lines and the colour tokens, as text.
#include "config/AnsiCodec.h"
#include "report/ColourTokens.h"
#include "report/ReportLines.h"

#include <QTest>

Q_DECLARE_METATYPE(QList<ColouredRun>)

namespace {

const QDateTime PrintedAt(QDate(2026, 3, 7), QTime(8, 4, 59));
const QString Rule(79, QLatin1Char('-'));

RegisterStore numberedStore() {
    RegisterStore store;
    for (int reg = 1; reg <= RegisterStore::RegisterCount; ++reg)
        store.setText(reg, "R" + QByteArray::number(reg));
    return store;
}

} // namespace

class TestReportLines : public QObject {
    Q_OBJECT
private slots:
    void listingOfKnownStore() {
        RegisterStore store = numberedStore();
        store.setText(83, "PpNP"); // outputs 1 and 4 pulsed; shorter than 16
        store.slot(83)[5] = 'P';   // and 6, past the terminating zero
        const QStringList lines = reportLines(store, "/home/ann/Gate.QRB", PrintedAt);
        QCOMPARE(lines.size(), 127);
        const QList<QPair<int, QString>> expected = {
            {0, Rule},
            {1, " Configuration for \"/home/ann/Gate.QRB\""},
            {2, " Printed 2026-03-07 08:04"},
            {3, Rule},
            {4, ""},
            {5, "List of allowed phonenumbers:"},
            {6, "  R81"},
            {7, "Clear allowed phonenumber list:"},
            {8, "  R82"},
            {9, "Length of pulse on pulsed outputs (in mSec):"},
            {10, "  R87"},
            {11, ""},
            {12, "Configuration for inputs:"},
            {13, "Input: 1"},
            {14, "  Phonenumbers: R1"},
            {15, "  Hightext: R17"},
            {16, "  Lowtext:  R33"},
            {73, "Input: 16"},
            {74, "  Phonenumbers: R16"},
            {75, "  Hightext: R32"},
            {76, "  Lowtext:  R48"},
            {77, ""},
            {78, "Configuration for outputs:"},
            {79, "Output: 1 Type: Pulse"},
            {80, "  Hightext: R49"},
            {81, "  Lowtext:  R65"},
            {82, "Output: 2 Type: Normal"},
            {88, "Output: 4 Type: Pulse"},
            {91, "Output: 5 Type: Normal"},
            {94, "Output: 6 Type: Pulse"},
            {124, "Output: 16 Type: Normal"},
            {126, "  Lowtext:  R80"},
        };
        for (const auto& [index, text] : expected)
            QCOMPARE(lines[index], text);
    }

    void titleAndEmptyPath() {
        QCOMPARE(reportTitle(""), QStringLiteral("Configuration for <>"));
        QCOMPARE(reportTitle("/a/B.QRB"), QStringLiteral("Configuration for </a/B.QRB>"));
        QCOMPARE(reportLines(RegisterStore(), "", PrintedAt)[1],
                 QStringLiteral(" Configuration for \"\""));
    }

    // Register texts are data: format directives, the longest text and
    // every high byte come out as they stand.
    void registerTextsAsTheyStand_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("%s") << QByteArray("%s%s%s");
        QTest::newRow("%n") << QByteArray("%n%n %d%%");
        QTest::newRow("255 characters") << QByteArray(255, 'W');
        QByteArray high;
        for (int byte = 0x80; byte <= 0xFF; ++byte)
            high.append(char(byte));
        QTest::newRow("bytes 0x80-0xFF") << high;
    }
    void registerTextsAsTheyStand() {
        QFETCH(QByteArray, bytes);
        RegisterStore store;
        store.setText(81, bytes);
        store.setText(17, bytes);
        const QStringList lines = reportLines(store, "%s%n", PrintedAt);
        QCOMPARE(lines[1], QStringLiteral(" Configuration for \"%s%n\""));
        QCOMPARE(lines[6], "  " + ansiToText(bytes));
        QCOMPARE(lines[15], "  Hightext: " + ansiToText(bytes));
    }

    void colourTokens_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QList<ColouredRun>>("runs");
        const TextColour green{0, 255, 0};
        const auto plain = [](const QString& text) {
            return QList<ColouredRun>{{std::nullopt, text}};
        };
        QTest::newRow("no token") << "Hightext: gate" << plain("Hightext: gate");
        QTest::newRow("green after text")
            << "ab{0000,00FF,0000}cd" << QList<ColouredRun>{{std::nullopt, "ab"}, {green, "cd"}};
        QTest::newRow("token at the very end")
            << "x{0000,00FF,0000}" << QList<ColouredRun>{{std::nullopt, "x"}, {green, ""}};
        QTest::newRow("'{' 14 before the end") << "x{0000,00FF,000}" << plain("x{0000,00FF,000}");
        QTest::newRow("not hexadecimal") << "{zz00,00FF,0000}" << plain("{zz00,00FF,0000}");
        QTest::newRow("blank before a comma") << "{00 ,00,00     }" << plain("{00 ,00,00     }");
        QTest::newRow("two numbers only") << "{0000,00FF     }" << plain("{0000,00FF     }");
        QTest::newRow("blanks, prefix, low 8 bits, trailing text")
            << "{1FF, 2, 0x3 zz}"
            << QList<ColouredRun>{{std::nullopt, ""}, {TextColour{255, 2, 3}, ""}};
        QTest::newRow("a failed '{' before a token")
            << "{{0000,00FF,0000}" << QList<ColouredRun>{{std::nullopt, "{"}, {green, ""}};
        QTest::newRow("two tokens in a row")
            << "{00FF,0000,0000}{0000,0000,00FF}b"
            << QList<ColouredRun>{
                   {std::nullopt, ""}, {TextColour{255, 0, 0}, ""}, {TextColour{0, 0, 255}, "b"}};
    }
    void colourTokens() {
        QFETCH(QString, line);
        QFETCH(QList<ColouredRun>, runs);
        QCOMPARE(splitColourTokens(line), runs);
    }
};

QTEST_GUILESS_MAIN(TestReportLines)
#include "tst_reportlines.moc"
