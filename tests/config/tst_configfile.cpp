// The register store and the configuration file: sizes, short and long files,
// byte fidelity, and saves that fail without harming the old file.
#include "TestSupport.h"
#include "config/AnsiCodec.h"
#include "config/ConfigFile.h"
#include "config/RegisterStore.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

namespace {

constexpr int Image = int(RegisterStore::ImageSize);

QByteArray patternedBytes(int size) {
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = char((i * 7 + 3) % 256);
    return bytes;
}

} // namespace

class TestConfigFile : public QObject {
    Q_OBJECT
private slots:
    void init() { QVERIFY(dir_.isValid()); }

    void registerTextsStayInsideTheirSlots() {
        RegisterStore store;
        store.setText(2, QByteArray(300, 'x'));
        QCOMPARE(store.text(2).size(), 255);
        QCOMPARE(store.slot(2)[255], 0);
        QCOMPARE(store.text(3), QByteArray()); // the neighbour is untouched

        // A slot without a zero byte reads as its first 255 bytes, no further.
        std::memset(store.slot(4), 'y', RegisterStore::SlotSize);
        store.slot(5)[0] = 'z';
        QCOMPARE(store.text(4), QByteArray(255, 'y'));

        // Writing a shorter text keeps the later bytes of the slot.
        store.setText(84, "1111");
        store.setText(84, "01");
        QCOMPARE(store.character(84, 2), '1');
        QCOMPARE(store.character(84, 3), '\0');
        QCOMPARE(store.character(84, 4), '1');
    }

    void newFileIsAllZeroAndStoreIsKept() {
        const QString path = dir_.filePath("missing.QRB");
        RegisterStore store;
        store.setText(1, "+4712345678");
        const RegisterStore before = store;
        const ConfigFileResult result = loadConfigFile(path, store);
        QVERIFY(result.ok);
        QVERIFY(result.created);
        QCOMPARE(readFile(path), QByteArray(Image, '\0'));
        QVERIFY(store == before);
    }

    void shortFileLeavesLaterRegistersEmpty() {
        const QString path = dir_.filePath("short.QRB");
        QByteArray bytes(300, 'a');
        bytes[10] = '\0';
        writeFile(path, bytes);
        RegisterStore store;
        for (int reg = 1; reg <= RegisterStore::RegisterCount; ++reg)
            store.setText(reg, "stale");
        QVERIFY(loadConfigFile(path, store).ok);
        QCOMPARE(store.text(1), QByteArray(10, 'a'));
        for (int reg = 2; reg <= RegisterStore::RegisterCount; ++reg) {
            QCOMPARE(store.text(reg), QByteArray());
            QCOMPARE(store.character(reg, 2), '\0'); // no stale flags behind the terminator
        }
    }

    void longFileKeepsItsTailOnSave() {
        const QString path = dir_.filePath("long.QRB");
        const QByteArray original = patternedBytes(30000);
        writeFile(path, original);
        RegisterStore store;
        QVERIFY(loadConfigFile(path, store).ok);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(store.data()), Image),
                 original.left(Image));

        store.setText(17, "Door open");
        QVERIFY(saveConfigFile(path, store).ok);
        const QByteArray saved = readFile(path);
        QCOMPARE(saved.size(), 30000);
        QCOMPARE(saved.left(Image), QByteArray(reinterpret_cast<const char*>(store.data()), Image));
        QCOMPARE(saved.mid(Image), original.mid(Image));
    }

    void everyByteRoundTrips() {
        // All byte values 1 to 255 through file, on-screen text and back.
        QByteArray all;
        for (int b = 1; b <= 255; ++b)
            all.append(char(b));
        RegisterStore store;
        store.setText(17, all);
        const QString path = dir_.filePath("bytes.QRB");
        QVERIFY(saveConfigFile(path, store).ok);

        RegisterStore loaded;
        QVERIFY(loadConfigFile(path, loaded).ok);
        QVERIFY(loaded == store);
        const QString shown = ansiToText(loaded.text(17));
        QCOMPARE(shown.size(), 255);
        loaded.setText(17, textToAnsi(shown));
        QVERIFY(saveConfigFile(path, loaded).ok);
        QCOMPARE(readFile(path).mid(16 * 256, 255), all);

        QCOMPARE(ansiToText(QByteArray("\x80\xE9")), QStringLiteral("\u20AC\u00E9"));
        QCOMPARE(textToAnsi(QStringLiteral("\u20AC\u00E9\u4E2D")), QByteArray("\x80\xE9?"));
    }

    void failedSaveKeepsTheOldFileAndSaysWhy() {
        // The temporary file beside a name of 254 bytes cannot be made, which
        // fails the save even for root.
        QTemporaryDir own;
        const QString path = own.filePath(QString(250, 'n') + ".QRB");
        const QByteArray original = patternedBytes(Image);
        writeFile(path, original);
        RegisterStore store;
        store.setText(1, "changed");
        const ConfigFileResult result = saveConfigFile(path, store);
        QVERIFY(!result.ok);
        QVERIFY2(result.error.contains(path), qPrintable(result.error));
        QVERIFY(result.error.contains("could not be saved"));
        QCOMPARE(readFile(path), original);
        QCOMPARE(QDir(own.path()).entryList(QDir::Files).size(), 1); // no temporary left
    }

    void readOnlyFileIsNotReplaced() {
        if (::geteuid() == 0)
            QSKIP("permissions do not bind root");
        const QString path = dir_.filePath("locked.QRB");
        writeFile(path, QByteArray(Image, 'k'));
        QFile::setPermissions(path, QFileDevice::ReadOwner);
        RegisterStore store;
        const ConfigFileResult result = saveConfigFile(path, store);
        QVERIFY(!result.ok);
        QCOMPARE(readFile(path), QByteArray(Image, 'k'));
    }

    void unopenableFileIsReportedAndNothingWritten() {
        const QString path = dir_.filePath("no/such/folder/x.QRB");
        RegisterStore store;
        store.setText(1, "kept");
        const ConfigFileResult result = loadConfigFile(path, store);
        QVERIFY(!result.ok);
        QVERIFY(result.error.contains(path));
        QVERIFY(!result.error.section('\n', 1).isEmpty()); // the system's reason
        QCOMPARE(store.text(1), QByteArray("kept"));
        QVERIFY(!QFile::exists(path));
        QVERIFY(!saveConfigFile(path, store).ok);
    }

    void unreadableExistingFileIsNeverTruncated() {
        if (::geteuid() == 0)
            QSKIP("permissions do not bind root");
        const QString path = dir_.filePath("secret.QRB");
        writeFile(path, QByteArray(Image, 's'));
        QFile::setPermissions(path, QFileDevice::WriteOwner);
        RegisterStore store;
        QVERIFY(!loadConfigFile(path, store).ok);
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QCOMPARE(readFile(path), QByteArray(Image, 's'));
    }

private:
    QTemporaryDir dir_;
};

QTEST_GUILESS_MAIN(TestConfigFile)
#include "tst_configfile.moc"
