// The register store and the configuration file: sizes, short and long files,
// byte fidelity, saves in every folder the file may be written in, and
// failures that harm nothing. Permission cases run as an unprivileged user.
#include "TestSupport.h"
#include "config/AnsiCodec.h"
#include "config/ConfigFile.h"
#include "config/RegisterStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

constexpr int Image = int(RegisterStore::ImageSize);

QByteArray patternedBytes(int size) {
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = char((i * 7 + 3) % 256);
    return bytes;
}

RegisterStore savedStore() {
    RegisterStore store;
    store.setText(17, "Door open"); // as config_file_helper saves it
    return store;
}

QByteArray imageOf(const RegisterStore& store) {
    return QByteArray(reinterpret_cast<const char*>(store.data()), Image);
}

struct stat statOf(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        qFatal("cannot stat %s", qPrintable(path));
    return info;
}

enum Situation { Plain, HardLink, LongName, ReadOnlyFolder };

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

    void saveKeepsTailLinksAndMode_data() {
        QTest::addColumn<int>("situation");
        QTest::addColumn<bool>("inPlace");
        QTest::newRow("through a temporary file") << int(Plain) << false;
        QTest::newRow("hard link: in place") << int(HardLink) << true;
        QTest::newRow("name too long for a temporary: in place") << int(LongName) << true;
        QTest::newRow("read-only folder: in place") << int(ReadOnlyFolder) << true;
    }

    void saveKeepsTailLinksAndMode() {
        QFETCH(int, situation);
        QFETCH(bool, inPlace);
        const QString folder = openFolder();
        const QString name = situation == LongName ? QString(250, 'n') + ".QRB" : "long.QRB";
        const QString path = folder + "/" + name;
        const QByteArray original = patternedBytes(30000);
        writeFile(path, original);
        // The unprivileged user must be able to write the file itself.
        const mode_t mode = situation == ReadOnlyFolder ? 0666 : 0640;
        QCOMPARE(::chmod(QFile::encodeName(path).constData(), mode), 0);
        if (situation == HardLink)
            QCOMPARE(::link(QFile::encodeName(path).constData(),
                            QFile::encodeName(folder + "/other.QRB").constData()),
                     0);
        const struct stat before = statOf(path);
        RegisterStore loaded;
        QVERIFY(loadConfigFile(path, loaded).ok);
        QCOMPARE(imageOf(loaded), original.left(Image)); // the tail is not read

        ConfigFileResult result;
        if (situation == ReadOnlyFolder) {
            QCOMPARE(::chmod(QFile::encodeName(folder).constData(), 0555), 0);
            result = runUnprivileged("save", path);
            ::chmod(QFile::encodeName(folder).constData(), 0755);
        } else {
            result = saveConfigFile(path, savedStore());
        }
        QVERIFY2(result.ok, qPrintable(result.error));

        const QByteArray saved = readFile(path);
        QCOMPARE(saved.size(), original.size());
        QCOMPARE(saved.left(Image), imageOf(savedStore()));
        QCOMPARE(saved.mid(Image), original.mid(Image));
        const struct stat after = statOf(path);
        QCOMPARE(after.st_mode & 07777, mode);
        QCOMPARE(after.st_ino == before.st_ino, inPlace);
        if (situation == HardLink) {
            QCOMPARE(after.st_nlink, nlink_t(2));
            QCOMPARE(readFile(folder + "/other.QRB"), saved);
        }
        // No temporary file left behind.
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(),
                 situation == HardLink ? 2 : 1);
    }

    void failedSaveKeepsTheOldFileAndSaysWhy_data() {
        QTest::addColumn<mode_t>("folderMode");
        QTest::newRow("read-only file in a writable folder") << mode_t(0777);
        QTest::newRow("read-only file in a read-only folder") << mode_t(0555);
    }

    void failedSaveKeepsTheOldFileAndSaysWhy() {
        QFETCH(mode_t, folderMode);
        const QString folder = openFolder();
        const QString path = folder + "/locked.QRB";
        const QByteArray original = patternedBytes(30000);
        writeFile(path, original);
        QCOMPARE(::chmod(QFile::encodeName(path).constData(), 0444), 0);
        QCOMPARE(::chmod(QFile::encodeName(folder).constData(), folderMode), 0);
        const ConfigFileResult result = runUnprivileged("save", path);
        ::chmod(QFile::encodeName(folder).constData(), 0755);

        QVERIFY(!result.ok);
        QVERIFY2(result.error.contains(path), qPrintable(result.error));
        QVERIFY(result.error.contains("could not be saved"));
        QVERIFY(!result.error.section('\n', 1).isEmpty()); // the system's reason
        QCOMPARE(readFile(path), original);
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }

    void specialFilesAreRefusedAtOnce_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("pipe") << "pipe";
        QTest::newRow("device") << "device";
        QTest::newRow("socket") << "socket";
    }

    void specialFilesAreRefusedAtOnce() {
        // Opening a pipe for reading would wait for a writer for ever.
        QFETCH(QString, kind);
        QString path = dir_.filePath(kind);
        const QByteArray native = QFile::encodeName(path);
        int socketFd = -1;
        if (kind == "pipe") {
            QCOMPARE(::mkfifo(native.constData(), 0666), 0);
        } else if (kind == "device") {
            path = "/dev/null";
        } else {
            socketFd = ::socket(AF_UNIX, SOCK_STREAM, 0);
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            QVERIFY(size_t(native.size()) < sizeof address.sun_path);
            std::memcpy(address.sun_path, native.constData(), size_t(native.size()));
            QCOMPARE(::bind(socketFd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        }
        RegisterStore store;
        store.setText(1, "kept");
        const ConfigFileResult loaded = loadConfigFile(path, store);
        QVERIFY(!loaded.ok);
        QVERIFY2(loaded.error.contains(path) && loaded.error.contains("not a regular file"),
                 qPrintable(loaded.error));
        QCOMPARE(store.text(1), QByteArray("kept"));
        const ConfigFileResult saved = saveConfigFile(path, store);
        QVERIFY(!saved.ok);
        QVERIFY2(saved.error.contains("not a regular file"), qPrintable(saved.error));
        QVERIFY(!QFileInfo(path).isFile());
        if (socketFd >= 0)
            ::close(socketFd);
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
        const QString folder = openFolder();
        const QString path = folder + "/secret.QRB";
        writeFile(path, QByteArray(Image, 's'));
        QCOMPARE(::chmod(QFile::encodeName(path).constData(), 0200), 0);
        const ConfigFileResult result = runUnprivileged("load", path);
        QVERIFY(!result.ok);
        QVERIFY2(result.error.contains(path), qPrintable(result.error));
        QCOMPARE(readFile(path), QByteArray(Image, 's'));
    }

private:
    // A folder that an unprivileged user may enter, with a copy of the helper.
    QString openFolder() {
        QFile::setPermissions(dir_.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                               QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                               QFileDevice::ExeOther);
        const QString folder = dir_.filePath(QStringLiteral("case%1").arg(++folders_));
        QDir().mkpath(folder);
        ::chmod(QFile::encodeName(folder).constData(), 0755);
        const QString helper = dir_.filePath("config_file_helper");
        if (!QFile::exists(helper))
            QFile::copy(QStringLiteral(CONFIG_FILE_HELPER), helper);
        return folder;
    }

    // Runs one load or save as a user whom permissions bind: as nobody when
    // the test runs as root, else as the test's own user.
    ConfigFileResult runUnprivileged(const QString& operation, const QString& path) {
        QProcess helper;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("LSAN_OPTIONS"); // its suppressions file may be out of reach
        environment.insert("ASAN_OPTIONS", "detect_leaks=0");
        helper.setProcessEnvironment(environment);
        helper.setWorkingDirectory(dir_.path());
        const QString program = dir_.filePath("config_file_helper");
        if (::geteuid() == 0)
            helper.start("setpriv", {"--reuid=65534", "--regid=65534", "--clear-groups", program,
                                     operation, path});
        else
            helper.start(program, {operation, path});
        ConfigFileResult result;
        if (!helper.waitForFinished(30000) || helper.exitStatus() != QProcess::NormalExit ||
            helper.exitCode() > 1) {
            result.ok = false;
            result.error = "helper failed: " + helper.readAllStandardError();
            qWarning("%s", qPrintable(result.error));
            return result;
        }
        result.ok = helper.exitCode() == 0;
        result.error = QString::fromUtf8(helper.readAllStandardOutput());
        return result;
    }

    QTemporaryDir dir_;
    int folders_ = 0;
};

QTEST_GUILESS_MAIN(TestConfigFile)
#include "tst_configfile.moc"
