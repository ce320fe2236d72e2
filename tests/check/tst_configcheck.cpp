// The pre-flight check: SMS counting at its edges, every code-page byte's
// place in the GSM alphabet, phone findings in several regions, and the
// voice part over real files.
#include "TestSupport.h"
#include "check/ConfigCheck.h"
#include "config/VoiceFiles.h"
#include "voice/WaveFile.h"

#include <QTemporaryDir>
#include <QTest>

class TestConfigCheck : public QObject {
    Q_OBJECT
private slots:
    void smsCount_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("label");
        const QByteArray a(1, 'a');
        QTest::newRow("empty") << QByteArray() << "0/160, 1 SMS";
        QTest::newRow("23") << a.repeated(23) << "23/160, 1 SMS";
        QTest::newRow("160 GSM") << a.repeated(160) << "160/160, 1 SMS";
        QTest::newRow("161 GSM") << a.repeated(161) << "161/306, 2 SMS";
        QTest::newRow("extension at 160") << a.repeated(158) + "{"
                                          << "160/160, 1 SMS";
        QTest::newRow("extension past 160") << a.repeated(159) + "{"
                                            << "161/306, 2 SMS";
        QTest::newRow("81 braces") << QByteArray(81, '{') << "162/306, 2 SMS";
        // 306 septets fit two parts only if the escape pair may be split.
        QTest::newRow("pair not split")
            << a.repeated(152) + "{" + a.repeated(152) << "306/459, 3 SMS";
        QTest::newRow("euro is extension") << QByteArray("\x80") << "2/160, 1 SMS";
        QTest::newRow("70 UCS-2") << QByteArray(70, '\x8E') << "UCS-2 (Ž): 70/70, 1 SMS";
        QTest::newRow("71 UCS-2") << QByteArray(71, '\x8E') << "UCS-2 (Ž): 71/134, 2 SMS";
        // In UCS-2 an extension character is one character like any other.
        QTest::newRow("UCS-2 braces") << "Caf\xE9 \x9A" + QByteArray(63, '{') + "x"
                                      << "UCS-2 (š): 70/70, 1 SMS";
        QTest::newRow("backtick") << QByteArray("`") << "UCS-2 (`): 1/70, 1 SMS";
    }
    void smsCount() {
        QFETCH(QByteArray, text);
        QFETCH(QString, label);
        QCOMPARE(countSms(text).label(), label);
    }

    void everyByteClassified() {
        QByteArray basic = "\n\r";
        for (int c = 0x20; c < 0x7F; ++c)
            basic += char(c);
        const QByteArray extension = "^{}\\[~]|\f\x80";
        basic.append("\xA3\xA5\xE8\xE9\xF9\xEC\xF2\xC7\xD8\xF8\xC5\xE5\xC6\xE6\xDF\xC9"
                     "\xA4\xA1\xC4\xD6\xD1\xDC\xA7\xBF\xE4\xF6\xF1\xFC\xE0");
        int counts[3] = {0, 0, 0};
        for (int byte = 1; byte <= 255; ++byte) {
            const char c = char(byte);
            const SmsCount count = countSms(QByteArray(1, c));
            const int expected = extension.contains(c)              ? 2
                                 : (c == '`' || !basic.contains(c)) ? 0
                                                                    : 1;
            const int got = count.ucs2 ? 0 : count.characters;
            if (got != expected)
                QFAIL(qPrintable(QStringLiteral("byte 0x%1: %2 septets, expected %3")
                                     .arg(byte, 2, 16, QChar('0'))
                                     .arg(got)
                                     .arg(expected)));
            ++counts[got];
        }
        QCOMPARE(counts[1], 117);
        QCOMPARE(counts[2], 10);
        QCOMPARE(counts[0], 128);
    }

    void phoneList_data() {
        QTest::addColumn<QByteArray>("list");
        QTest::addColumn<QString>("region");
        QTest::addColumn<QString>("codes");
        QTest::addColumn<QString>("firstMessage");
        QTest::newRow("CZ international") << QByteArray("+420601234567") << "CZ"
                                          << ""
                                          << "";
        QTest::newRow("CZ 00") << QByteArray("00420601234567") << "CZ"
                               << ""
                               << "";
        QTest::newRow("CZ national")
            << QByteArray("601234567") << "cz"
            << "phone-not-international"
            << "input 3 phone numbers: 601234567 is not in international form (+420601234567)";
        QTest::newRow("CZ spaces") << QByteArray("+420 601 234 567") << "CZ"
                                   << "phone-format"
                                   << "";
        QTest::newRow("CZ dashes national") << QByteArray("601-234-567") << "CZ"
                                            << "phone-format,phone-not-international"
                                            << "";
        QTest::newRow("too short") << QByteArray("+4212") << "CZ"
                                   << "phone-invalid"
                                   << "input 3 phone numbers: +4212 is not a valid phone "
                                      "number (region CZ)";
        QTest::newRow("+ inside") << QByteArray("+420601+234567") << "CZ"
                                  << "phone-format,phone-invalid"
                                  << "";
        QTest::newRow("letters") << QByteArray("12ab") << "CZ"
                                 << "phone-format,phone-invalid"
                                 << "";
        QTest::newRow("duplicate in E.164")
            << QByteArray("+420601234567, 00420601234567,,601234567") << "CZ"
            << "phone-duplicate,phone-not-international,phone-duplicate"
            << "input 3 phone numbers: 00420601234567 is in the list twice (+420601234567)";
        QTest::newRow("DE national")
            << QByteArray("015112345678") << "DE"
            << "phone-not-international"
            << "input 3 phone numbers: 015112345678 is not in international form (+4915112345678)";
        QTest::newRow("SK national")
            << QByteArray("0905123456") << "SK"
            << "phone-not-international"
            << "input 3 phone numbers: 0905123456 is not in international form (+421905123456)";
        QTest::newRow("short in SK") << QByteArray("123") << "SK"
                                     << "phone-invalid"
                                     << "";
        QTest::newRow("no region") << QByteArray("601234567,+421905123456") << ""
                                   << "phone-not-international"
                                   << "";
        // 00 is read as + with no region and in one whose own prefix is 011.
        QTest::newRow("no region, 00")
            << QByteArray("+4212,00420601234567,+420601234567") << ""
            << "phone-invalid,phone-duplicate"
            << "input 3 phone numbers: +4212 is not a valid phone number";
        QTest::newRow("US, 00") << QByteArray("00420601234567") << "US"
                                << ""
                                << "";
    }
    void phoneList() {
        QFETCH(QByteArray, list);
        QFETCH(QString, region);
        QFETCH(QString, codes);
        QFETCH(QString, firstMessage);
        const QList<CheckFinding> findings =
            checkPhoneList(list, region, 3, QStringLiteral("inputs[2].phoneNumbers"),
                           QStringLiteral("input 3 phone numbers"));
        QStringList got;
        for (const CheckFinding& f : findings) {
            got << f.code;
            QCOMPARE(f.severity == CheckFinding::Error, f.code == "phone-invalid");
            QVERIFY(list.contains(f.number.toLatin1()));
        }
        QCOMPARE(got.join(','), codes);
        if (!firstMessage.isEmpty())
            QCOMPARE(findings.first().message, firstMessage);
    }

    void wholeConfigAndVoice() {
        QTemporaryDir dir;
        RegisterStore store;
        store.setText(3, "601234567.");   // the final dot is no part of the list
        store.setText(17, "Po\x9e\x61r"); // "Požar": ž is not GSM
        store.setText(82, "CLEAR");
        store.setText(84, "0100000000000000");
        CheckOptions options{QStringLiteral("CZ"), dir.path(), QStringLiteral("Plant")};

        auto codes = [&] {
            QStringList list;
            for (const CheckFinding& f : checkConfig(store, options).findings)
                list << QStringLiteral("%1 %2 %3 %4")
                            .arg(f.severityName(), f.code)
                            .arg(f.reg)
                            .arg(f.field);
            return list;
        };
        const CheckResult first = checkConfig(store, options);
        QCOMPARE(first.texts.size(), 2);
        QCOMPARE(first.texts[0].field, QStringLiteral("inputs[0].highText"));
        QCOMPARE(first.texts[0].count.label(), QStringLiteral("UCS-2 (ž): 5/70, 1 SMS"));
        QCOMPARE(first.texts[1].reg, 82);
        QVERIFY(first.hasError());
        QCOMPARE(codes(), (QStringList{"warning phone-not-international 3 inputs[2].phoneNumbers",
                                       "warning sms-ucs2 17 inputs[0].highText",
                                       "error voice-missing 84 inputs[1].voiceOnHigh",
                                       "error voice-missing 0 ", "error voice-missing 0 "}));

        QString error;
        const QByteArray samples(250000, char(0x80));
        QVERIFY(WaveFile::writeUnitWave(dir.filePath("Plant_H02.WAV"), 8000, samples, &error));
        QVERIFY(
            WaveFile::writeUnitWave(dir.filePath("plant_selectoutput.wav"), 8000, samples, &error));
        writeFile(dir.filePath("Plant_SelectOnOff.wav"), "RIFF....WAVEjunk");
        QCOMPARE(codes().mid(2), (QStringList{"error voice-format 0 "}));
        // 250,000 + 250,000 + 40,672 bytes fill the memory exactly; one more is too many.
        QVERIFY(WaveFile::writeUnitWave(dir.filePath("Plant_SelectOnOff.wav"), 8000,
                                        QByteArray(40672, char(0x80)), &error));
        QCOMPARE(codes().mid(2), QStringList());
        QVERIFY(WaveFile::writeUnitWave(dir.filePath("Plant_SelectOnOff.wav"), 8000,
                                        QByteArray(40673, char(0x80)), &error));
        QCOMPARE(codes().mid(2), (QStringList{"error voice-memory 0 "}));
        // An input switched off does not count.
        store.slot(84)[1] = '0';
        QCOMPARE(codes().size(), 2);
    }
};

QTEST_GUILESS_MAIN(TestConfigCheck)
#include "tst_configcheck.moc"
