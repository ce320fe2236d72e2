// Voice-file naming, the copy that never overwrites, and seeding a new
// configuration from the templates.
#include "TestSupport.h"
#include "config/VoiceFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace VoiceFiles;

class TestVoiceFiles : public QObject {
    Q_OBJECT
private slots:
    void names() {
        QCOMPARE(configHighName("Alarm", 1), QStringLiteral("Alarm_H01.WAV"));
        QCOMPARE(configLowName("Alarm", 16), QStringLiteral("Alarm_L16.WAV"));
        QCOMPARE(configSelectOutputName("Alarm"), QStringLiteral("Alarm_SelectOutput.wav"));
        QCOMPARE(configSelectOnOffName("Alarm"), QStringLiteral("Alarm_SelectOnOff.wav"));
        QCOMPARE(unitHighName(9), QStringLiteral("H09.WAV"));
        QCOMPARE(unitLowName(10), QStringLiteral("L10.WAV"));
        // A title is any file name: placeholders in it are not expanded.
        QCOMPARE(configHighName("Plant%2", 3), QStringLiteral("Plant%2_H03.WAV"));
        QCOMPARE(configLowName("%1%L2 50%", 12), QStringLiteral("%1%L2 50%_L12.WAV"));
        QCOMPARE(configSelectOnOffName("%1"), QStringLiteral("%1_SelectOnOff.wav"));
    }

    void copyResults() {
        QTemporaryDir dir;
        const QString source = dir.filePath("src.wav");
        const QString destination = dir.filePath("dst.wav");
        writeFile(source, "RIFFdata");

        QCOMPARE(CopyFileIfAbsent(destination, source), int(CopyDone));
        QCOMPARE(readFile(destination), QByteArray("RIFFdata"));

        writeFile(destination, "mine");
        QCOMPARE(CopyFileIfAbsent(destination, source), int(CopyDestinationExists));
        QCOMPARE(readFile(destination), QByteArray("mine"));
        QCOMPARE(readFile(source), QByteArray("RIFFdata"));

        // Another spelling of an existing name is the same file.
        QCOMPARE(CopyFileIfAbsent(dir.filePath("DST.WAV"), source), int(CopyDestinationExists));
        QVERIFY(!QFile::exists(dir.filePath("DST.WAV")));

        const QString fromNothing = dir.filePath("empty.wav");
        QCOMPARE(CopyFileIfAbsent(fromNothing, dir.filePath("missing.wav")),
                 int(CopySourceNotOpened));
        QVERIFY(QFile::exists(fromNothing));
        QCOMPARE(QFileInfo(fromNothing).size(), 0);

        QCOMPARE(CopyFileIfAbsent(dir.filePath("no/folder/x.wav"), source),
                 int(CopyDestinationNotCreated));
        QCOMPARE(CopyFileIfAbsent(dir.filePath("pipe.wav"), "/dev/zero"),
                 int(CopySourceLengthUnknown));
    }

    void seedingCopiesAllTemplatesOnce() {
        QTemporaryDir templates;
        QTemporaryDir config;
        QStringList templateNames;
        for (int n = 1; n <= InputCount; ++n)
            templateNames << unitHighName(n) << unitLowName(n);
        templateNames << unitSelectOutputName() << unitSelectOnOffName();
        for (const QString& name : templateNames)
            writeFile(templates.filePath(name), "template " + name.toLatin1());

        writeFile(config.filePath("alarm_h03.wav"), "recorded"); // the user's own, other case
        SeedVoiceFiles(config.path(), "Alarm", templates.path());

        QDir folder(config.path());
        QCOMPARE(folder.entryList(QDir::Files).size(), 34);
        QCOMPARE(readFile(config.filePath("Alarm_H01.WAV")), QByteArray("template H01.WAV"));
        QCOMPARE(readFile(config.filePath("Alarm_L16.WAV")), QByteArray("template L16.WAV"));
        QCOMPARE(readFile(config.filePath("Alarm_SelectOnOff.wav")),
                 QByteArray("template SelectOnOff.wav"));
        QCOMPARE(readFile(config.filePath("alarm_h03.wav")), QByteArray("recorded"));

        writeFile(config.filePath("Alarm_L05.WAV"), "changed");
        const QDateTime stamp = QFileInfo(config.filePath("Alarm_H01.WAV")).lastModified();
        SeedVoiceFiles(config.path(), "Alarm", templates.path());
        QCOMPARE(folder.entryList(QDir::Files).size(), 34);
        QCOMPARE(readFile(config.filePath("Alarm_L05.WAV")), QByteArray("changed"));
        QCOMPARE(QFileInfo(config.filePath("Alarm_H01.WAV")).lastModified(), stamp);
    }

    void shippedTemplatesArePresent() {
        // The build puts the recordings beside the executables.
        const QString folder = templateFolder();
        for (int n = 1; n <= InputCount; ++n) {
            QVERIFY2(QFile::exists(resolveNoCase(folder, unitHighName(n))), qPrintable(folder));
            QVERIFY(QFile::exists(resolveNoCase(folder, unitLowName(n))));
        }
        QVERIFY(QFile::exists(resolveNoCase(folder, unitSelectOutputName())));
        const QByteArray header = readFile(resolveNoCase(folder, unitSelectOnOffName())).left(44);
        QCOMPARE(header.left(4), QByteArray("RIFF"));
        QCOMPARE(header.mid(8, 8), QByteArray("WAVEfmt "));
        QCOMPARE(header.mid(22, 2), QByteArray("\x01\x00", 2));         // mono
        QCOMPARE(header.mid(24, 4), QByteArray("\x40\x1f\x00\x00", 4)); // 8000 Hz
        QCOMPARE(header.mid(34, 2), QByteArray("\x08\x00", 2));         // 8 bits
        QCOMPARE(header.mid(36, 4), QByteArray("data"));
    }
};

QTEST_GUILESS_MAIN(TestVoiceFiles)
#include "tst_voicefiles.moc"
