// The zip writer's archives, checked record by record and byte by byte.
#include "ZipTestUtil.h"
#include "zip/ZipArchive.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// 2024-03-15 13:45:31 UTC: DOS date 0x586F, time 0x6DAF (31 s stored as 15).
constexpr std::time_t kFixedTime = 1710510331;

std::time_t UtcTime(int year, int month, int day, int hour, int minute, int second) {
    std::tm parts{};
    parts.tm_year = year - 1900;
    parts.tm_mon = month - 1;
    parts.tm_mday = day;
    parts.tm_hour = hour;
    parts.tm_min = minute;
    parts.tm_sec = second;
    return timegm(&parts);
}

std::string Path(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

} // namespace

class TestZipArchive : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_oldCurrent;

    QString File(const QString& name) const { return m_dir.filePath(name); }
    QString MakeFile(const QString& name, const QByteArray& data) const {
        WriteWholeFile(File(name), data);
        return File(name);
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        qputenv("TZ", "UTC");
        tzset();
        m_oldCurrent = QDir::currentPath();
        QDir::setCurrent(m_dir.path()); // bare names are stored as they are
    }
    void cleanupTestCase() { QDir::setCurrent(m_oldCurrent); }

    void emptyArchiveIsTheEndRecordAlone() {
        const QString zip = File("empty.zip");
        CZipArchive archive;
        archive.Open(Path(zip));
        archive.Close();
        QCOMPARE(ReadWholeFile(zip), QByteArray::fromHex("504b0506"
                                                         "0000"
                                                         "0000"
                                                         "0000"
                                                         "0000"
                                                         "00000000"
                                                         "00000000"
                                                         "0000"));
    }

    // Every byte of a small archive is known, including the two-byte deflate
    // stream of empty input and the stored, slash-less folder entry.
    void emptyFileAndFolderMatchByteForByte() {
        MakeFile("empty", {});
        QVERIFY(QDir(m_dir.path()).mkpath("folder"));
        const QString zip = File("golden.zip");
        CZipArchive archive;
        archive.SetModTimeOverride(kFixedTime);
        archive.Open(Path(zip));
        QVERIFY(archive.AddFile("empty"));
        QVERIFY(archive.AddFile("folder"));
        archive.Close();

        const QByteArray expected = QByteArray::fromHex(
            // local header "empty" at 0: CRC 0, compressed 2, uncompressed 0
            "504b0304"
            "1400"
            "0000"
            "0800"
            "af6d"
            "6f58"
            "00000000"
            "02000000"
            "00000000"
            "0500"
            "0000"
            "656d707479"
            "0300"
            // local header "folder" at 37: stored, flag 0
            "504b0304"
            "1400"
            "0000"
            "0000"
            "af6d"
            "6f58"
            "00000000"
            "00000000"
            "00000000"
            "0600"
            "0000"
            "666f6c646572"
            // central records at 73
            "504b0102"
            "1400"
            "1400"
            "0000"
            "0800"
            "af6d"
            "6f58"
            "00000000"
            "02000000"
            "00000000"
            "0500"
            "0000"
            "0000"
            "0000"
            "0000"
            "20000000"
            "00000000"
            "656d707479"
            "504b0102"
            "1400"
            "1400"
            "0000"
            "0000"
            "af6d"
            "6f58"
            "00000000"
            "00000000"
            "00000000"
            "0600"
            "0000"
            "0000"
            "0000"
            "0000"
            "10000000"
            "25000000"
            "666f6c646572"
            // end record: 2 entries, directory of 103 bytes at 73
            "504b0506"
            "0000"
            "0000"
            "0200"
            "0200"
            "67000000"
            "49000000"
            "0000");
        QCOMPARE(ReadWholeFile(zip).toHex(), expected.toHex());
    }

    // Entries larger than the write and output buffers, the same path twice,
    // and the patched local headers agreeing with the central records.
    void recordsOfDeflatedEntries() {
        struct Source {
            QString name;
            QByteArray data;
        };
        const QList<Source> sources = {
            {"Plant1.QRB", TextBytes(87 * 256)},
            {"random.bin", PseudoRandomBytes(300000, 7)},
            {"Plant1_H01.WAV", TextBytes(1 << 20)},
            {"one.txt", "x"},
        };
        QStringList added;
        for (const Source& source : sources)
            added << MakeFile(source.name, source.data);
        added << File("Plant1.QRB"); // again

        const QString zip = File("records.zip");
        CZipArchive archive;
        archive.Open(Path(zip));
        for (const QString& path : added)
            QVERIFY(archive.AddFile(Path(path)));
        archive.Close();

        const ParsedArchive parsed = ParseArchiveFile(zip);
        QVERIFY2(parsed.error.isEmpty(), qPrintable(parsed.error));
        QCOMPARE(parsed.end.totalEntries, quint16(added.size()));
        QCOMPARE(parsed.end.entriesHere, quint16(added.size()));
        QCOMPARE(parsed.end.thisVolume, quint16(0));
        QCOMPARE(parsed.end.centralVolume, quint16(0));

        quint32 expectedOffset = 0;
        for (int i = 0; i < added.size(); ++i) {
            const QByteArray data = ReadWholeFile(added[i]);
            const CentralRecord& c = parsed.centrals[i];
            const LocalRecord& l = parsed.locals[i];
            QCOMPARE(c.name, QFile::encodeName(added[i]).mid(1)); // leading root dropped
            QCOMPARE(l.name, c.name);
            QCOMPARE(c.versionMadeBy, quint16(20));
            QCOMPARE(c.versionNeeded, quint16(20));
            QCOMPARE(l.versionNeeded, quint16(20));
            QCOMPARE(c.flag, quint16(0));
            QCOMPARE(l.flag, quint16(0));
            QCOMPARE(c.method, quint16(8));
            QCOMPARE(l.method, quint16(8));
            QCOMPARE(c.crc, ReferenceCrc32(data));
            QCOMPARE(c.uncompressedSize, quint32(data.size()));
            QCOMPARE(l.crc, c.crc);
            QCOMPARE(l.compressedSize, c.compressedSize);
            QCOMPARE(l.uncompressedSize, c.uncompressedSize);
            QCOMPARE(l.time, c.time);
            QCOMPARE(l.date, c.date);
            QCOMPARE(l.extraLength, quint16(0));
            QCOMPARE(c.extraLength, quint16(0));
            QCOMPARE(c.commentLength, quint16(0));
            QCOMPARE(c.internalAttr, quint16(0));
            QCOMPARE(c.externalAttr, quint32(0x20));
            QCOMPARE(c.localOffset, expectedOffset);
            QVERIFY(parsed.Inflated(i) == data);
            expectedOffset = l.dataOffset + c.compressedSize;
        }
        // The patching seeks back into each local header; the directory must
        // still start right after the last entry's data.
        QCOMPARE(parsed.end.centralOffset, expectedOffset);
        QVERIFY(parsed.centrals[0].localOffset != parsed.centrals[4].localOffset);
        QCOMPARE(parsed.centrals[0].name, parsed.centrals[4].name);
    }

    void levelSetsTheFlag_data() {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("flag");
        QTest::newRow("default") << -1 << 0;
        QTest::newRow("0") << 0 << 0;
        QTest::newRow("1") << 1 << 6;
        QTest::newRow("2") << 2 << 4;
        QTest::newRow("3") << 3 << 0;
        QTest::newRow("7") << 7 << 0;
        QTest::newRow("8") << 8 << 2;
        QTest::newRow("9") << 9 << 2;
    }
    void levelSetsTheFlag() {
        QFETCH(int, level);
        QFETCH(int, flag);
        const QByteArray data = TextBytes(100000);
        const QString source = MakeFile("level.txt", data);
        const QString zip = File("level.zip");
        CZipArchive archive;
        archive.Open(Path(zip));
        QVERIFY(archive.AddFile(Path(source), level));
        archive.Close();
        const ParsedArchive parsed = ParseArchiveFile(zip);
        QVERIFY2(parsed.error.isEmpty(), qPrintable(parsed.error));
        QCOMPARE(int(parsed.centrals[0].flag), flag);
        QCOMPARE(int(parsed.locals[0].flag), flag);
        QCOMPARE(parsed.centrals[0].method, quint16(8));
        QVERIFY(parsed.Inflated(0) == data);
    }

    void dosDateAndTime_data() {
        QTest::addColumn<qint64>("time");
        QTest::addColumn<int>("date");
        QTest::addColumn<int>("dosTime");
        QTest::newRow("odd second rounds down")
            << qint64(UtcTime(2024, 3, 15, 13, 45, 31)) << ((44 << 9) | (3 << 5) | 15)
            << ((13 << 11) | (45 << 5) | 15);
        QTest::newRow("1980 gets year bits 0")
            << qint64(UtcTime(1980, 7, 4, 0, 0, 1)) << ((7 << 5) | 4) << 0;
        QTest::newRow("before 1980 gets year bits 0")
            << qint64(UtcTime(1975, 6, 15, 10, 20, 59)) << ((6 << 5) | 15)
            << ((10 << 11) | (20 << 5) | 29);
        QTest::newRow("1981 is year 1")
            << qint64(UtcTime(1981, 12, 31, 23, 59, 58)) << ((1 << 9) | (12 << 5) | 31)
            << ((23 << 11) | (59 << 5) | 29);
        QTest::newRow("2107 is the last year")
            << qint64(UtcTime(2107, 1, 1, 0, 0, 0)) << ((127 << 9) | (1 << 5) | 1) << 0;
        QTest::newRow("later years are held at 2107")
            << qint64(UtcTime(2200, 1, 1, 0, 0, 0)) << ((127 << 9) | (1 << 5) | 1) << 0;
    }
    // Through the file's own modification time, as a user's files arrive.
    void dosDateAndTime() {
        QFETCH(qint64, time);
        QFETCH(int, date);
        QFETCH(int, dosTime);
        const QString source = MakeFile("dated.txt", "dated");
        SetModificationTime(source, static_cast<std::time_t>(time));
        const QString zip = File("dated.zip");
        CZipArchive archive;
        archive.Open(Path(zip));
        QVERIFY(archive.AddFile(Path(source)));
        archive.Close();
        const ParsedArchive parsed = ParseArchiveFile(zip);
        QVERIFY2(parsed.error.isEmpty(), qPrintable(parsed.error));
        QCOMPARE(int(parsed.centrals[0].date), date);
        QCOMPARE(int(parsed.centrals[0].time), dosTime);
        QCOMPARE(int(parsed.locals[0].date), date);
        QCOMPARE(int(parsed.locals[0].time), dosTime);
    }

    void attributesFollowTheFileMode() {
        const QString writable = MakeFile("writable.txt", "w");
        const QString readOnly = MakeFile("readonly.txt", "r");
        QVERIFY(::chmod(QFile::encodeName(readOnly).constData(), 0444) == 0);
        QVERIFY(QDir(m_dir.path()).mkpath("lockedfolder"));
        QVERIFY(::chmod(QFile::encodeName(File("lockedfolder")).constData(), 0555) == 0);
        const QString zip = File("attributes.zip");
        CZipArchive archive;
        archive.Open(Path(zip));
        QVERIFY(archive.AddFile(Path(writable)));
        QVERIFY(archive.AddFile(Path(readOnly)));
        QVERIFY(archive.AddFile(Path(File("lockedfolder"))));
        archive.Close();
        const ParsedArchive parsed = ParseArchiveFile(zip);
        QVERIFY2(parsed.error.isEmpty(), qPrintable(parsed.error));
        QCOMPARE(parsed.centrals[0].externalAttr, quint32(0x20));
        QCOMPARE(parsed.centrals[1].externalAttr, quint32(0x21));
        QCOMPARE(parsed.centrals[2].externalAttr, quint32(0x11));
        QCOMPARE(parsed.centrals[2].method, quint16(0));
        QCOMPARE(parsed.centrals[2].name.endsWith('/'), false);
    }

    void storedNames_data() {
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("absolute") << QByteArray("/home/u/x.QRB") << QByteArray("home/u/x.QRB");
        QTest::newRow("bare") << QByteArray("Plant1_H01.WAV") << QByteArray("Plant1_H01.WAV");
        QTest::newRow("relative") << QByteArray("sub/x.QRB") << QByteArray("sub/x.QRB");
        QTest::newRow("doubled root") << QByteArray("//srv/x") << QByteArray("srv/x");
        QTest::newRow("root alone") << QByteArray("/") << QByteArray();
    }
    void storedNames() {
        QFETCH(QByteArray, path);
        QFETCH(QByteArray, stored);
        QCOMPARE(QByteArray::fromStdString(CZipArchive::StoredName(path.toStdString())), stored);
    }

    void namesInTheOemCodePage_data() {
        QTest::addColumn<QByteArray>("utf8");
        QTest::addColumn<QByteArray>("oem");
        QTest::newRow("ascii") << QByteArray("Plant 1~.QRB") << QByteArray("Plant 1~.QRB");
        QTest::newRow("accents") << QByteArray("caf\xc3\xa9_\xc3\x9f.wav")
                                 << QByteArray("caf\x82_\xe1.wav");
        QTest::newRow("missing from the code page")
            << QByteArray("x\xe2\x82\xacy") << QByteArray("x_y");
        QTest::newRow("not utf-8") << QByteArray("a\xff"
                                                 "b")
                                   << QByteArray("a_b");
    }
    void namesInTheOemCodePage() {
        QFETCH(QByteArray, utf8);
        QFETCH(QByteArray, oem);
        QCOMPARE(QByteArray::fromStdString(CZipArchive::ToOemName(utf8.toStdString())), oem);
    }

    void openWhileOpenDoesNothing() {
        const QString first = File("first.zip");
        const QString second = File("second.zip");
        QFile::remove(second);
        CZipArchive archive;
        archive.Open(Path(first));
        archive.Open(Path(second));
        QVERIFY(!QFile::exists(second));
        QVERIFY(archive.AddFile(Path(MakeFile("a.txt", "a"))));
        archive.Close();
        QCOMPARE(ParseArchiveFile(first).end.totalEntries, quint16(1));
    }

    void createTruncatesAnExistingFile() {
        const QString zip = MakeFile("old.zip", PseudoRandomBytes(200000, 3));
        CZipArchive archive;
        archive.Open(Path(zip));
        archive.Close();
        QCOMPARE(QFileInfo(zip).size(), qint64(22));
    }

    void closeFinishesAnEntryLeftOpen() {
        const QString zip = File("memory.zip");
        CZipArchive archive;
        archive.Open(Path(zip));
        CFileHeader header;
        header.m_name = "notes.txt";
        header.SetModTime(kFixedTime);
        QVERIFY(archive.BeginEntry(header));
        const QByteArray data = TextBytes(5000);
        QVERIFY(archive.WriteEntryData(data.constData(), quint32(data.size())));
        QVERIFY(!archive.AddFile(Path(MakeFile("later.txt", "l")))); // an entry is open
        archive.Close();
        const ParsedArchive parsed = ParseArchiveFile(zip);
        QVERIFY2(parsed.error.isEmpty(), qPrintable(parsed.error));
        QCOMPARE(parsed.centrals.size(), 1);
        QCOMPARE(parsed.centrals[0].name, QByteArray("notes.txt"));
        QVERIFY(parsed.Inflated(0) == data);
        QCOMPARE(parsed.centrals[0].crc, ReferenceCrc32(data));
    }

    void progressReachesTheFileSize() {
        const QString source = MakeFile("progress.bin", PseudoRandomBytes(200000, 5));
        CZipArchive archive;
        QList<quint64> reported;
        archive.SetProgressCallback([&](std::uint64_t done, std::uint64_t total) {
            QCOMPARE(total, std::uint64_t(200000));
            reported << done;
        });
        archive.Open(Path(File("progress.zip")));
        QVERIFY(archive.AddFile(Path(source)));
        archive.Close();
        QCOMPARE(reported, (QList<quint64>{65535, 131070, 196605, 200000}));
    }

    void refusalsLeaveTheArchiveUnchanged() {
        const QString good = MakeFile("good.txt", "good");
        const QString fifo = File("pipe");
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0644) == 0);
        // Too large for 32-bit sizes; sparse, so it costs no disk space.
        const QString huge = File("huge.bin");
        {
            QFile file(huge);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.resize(qint64(5) << 30));
        }
        const QString zip = File("refusals.zip");
        CZipArchive closed;
        QVERIFY(!closed.AddFile(Path(good))); // no archive open

        CZipArchive archive;
        archive.Open(Path(zip));
        QVERIFY(!archive.AddFile(Path(good), -1, 0));
        QVERIFY(!archive.AddFile(Path(File("missing.txt"))));
        QVERIFY(!archive.AddFile(Path(fifo))); // would block
        QVERIFY(!archive.AddFile(Path(huge)));
        QVERIFY(!archive.AddFile("/"));       // empty stored name
        QVERIFY(!archive.AddFile(Path(zip))); // the archive itself is locked while written
        QVERIFY(archive.AddFile(Path(good)));
        archive.Close();
        QFile::remove(huge);
        const ParsedArchive parsed = ParseArchiveFile(zip);
        QVERIFY2(parsed.error.isEmpty(), qPrintable(parsed.error));
        QCOMPARE(parsed.centrals.size(), 1);
        QCOMPARE(parsed.centrals[0].localOffset, quint32(0));
    }

    void entryCountStopsAt65535() {
        QVERIFY(QDir(m_dir.path()).mkpath("d"));
        const QString zip = File("many.zip");
        CZipArchive archive;
        archive.Open(Path(zip));
        for (int i = 0; i < 65535; ++i) {
            if (!archive.AddFile("d"))
                QFAIL(qPrintable(QString("entry %1 refused").arg(i)));
        }
        QVERIFY(!archive.AddFile("d"));
        archive.Close();
        const ParsedArchive parsed = ParseArchiveFile(zip);
        QVERIFY2(parsed.error.isEmpty(), qPrintable(parsed.error));
        QCOMPARE(parsed.end.totalEntries, quint16(65535));
        QCOMPARE(parsed.end.centralOffset, quint32(65535 * (30 + 1)));
    }

    void nameLongerThan65535BytesRaisesCause16() {
        const QString zip = File("longname.zip");
        CZipArchive archive;
        archive.Open(Path(zip));
        QVERIFY(archive.AddFile(Path(MakeFile("before.txt", "before"))));
        CFileHeader header;
        header.m_name.assign(65536, 'n');
        try {
            archive.BeginEntry(header);
            QFAIL("no exception");
        } catch (const CZipException& error) {
            QCOMPARE(error.Cause(), 16);
            QCOMPARE(error.ErrorCode(), -107);
            QCOMPARE(QString::fromStdString(error.ArchivePath()), zip);
        }
        header.m_name.assign(65535, 'n');
        QVERIFY(archive.BeginEntry(header));
        QVERIFY(archive.EndEntry());
        archive.Close();
        const ParsedArchive parsed = ParseArchiveFile(zip);
        QVERIFY2(parsed.error.isEmpty(), qPrintable(parsed.error));
        QCOMPARE(parsed.centrals.size(), 2);
        QCOMPARE(parsed.centrals[1].nameLength, quint16(65535));
    }

    void badLevelRaisesAStreamError() {
        const QString zip = File("badlevel.zip");
        CZipArchive archive;
        archive.Open(Path(zip));
        const QString source = MakeFile("level10.txt", "data");
        try {
            archive.AddFile(Path(source), 10);
            QFAIL("no exception");
        } catch (const CZipException& error) {
            QCOMPARE(error.Cause(), int(CZipException::zlibStreamError));
            QCOMPARE(QString::fromStdString(error.ArchivePath()), zip);
        }
        QCOMPARE(archive.TrackedZlibBlocks(), std::size_t(0));
        QVERIFY(archive.AddFile(Path(source)));
        archive.Close();
        QCOMPARE(ParseArchiveFile(zip).centrals.size(), 1);
    }

    void causeTable_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("cause");
        const QList<QPair<int, int>> rows = {
            {1, 2},     {2, 3},     {-1, 4},    {-2, 5},    {-3, 6},    {-4, 7},    {-5, 8},
            {-6, 9},    {-101, 10}, {-102, 11}, {-103, 12}, {-104, 13}, {-105, 14}, {-106, 15},
            {-107, 16}, {-100, 1},  {-108, 1},  {0, 1},     {3, 1},     {-7, 1}};
        for (const auto& [code, cause] : rows)
            QTest::newRow(qPrintable(QString::number(code))) << code << cause;
    }
    void causeTable() {
        QFETCH(int, code);
        QFETCH(int, cause);
        QCOMPARE(ZipErrorToCause(code), cause);
        QCOMPARE(CZipException(code, "a.zip").Cause(), cause);
    }

    void archiveThatCannotBeCreated_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("cause");
        QTest::addColumn<int>("systemError");
        QTest::newRow("missing folder") << m_dir.filePath("no/such/folder/x.zip")
                                        << int(CFileException::fileNotFound) << ENOENT;
        QTest::newRow("a folder") << m_dir.path() << int(CFileException::accessDenied) << EISDIR;
        // Never written through: the file it points to stays as it is.
        const QString target = MakeFile("pointed-to.zip", "kept");
        QFile::link(target, m_dir.filePath("link.zip"));
        QTest::newRow("a symbolic link")
            << m_dir.filePath("link.zip") << int(CFileException::badPath) << ELOOP;
    }
    void archiveThatCannotBeCreated() {
        QFETCH(QString, path);
        QFETCH(int, cause);
        QFETCH(int, systemError);
        CZipArchive archive;
        try {
            archive.Open(Path(path));
            QFAIL("no exception");
        } catch (const CFileException& error) {
            QCOMPARE(error.Cause(), cause);
            QCOMPARE(error.SystemError(), systemError);
            QCOMPARE(QString::fromStdString(error.FileName()), path);
            QVERIFY(QString(error.what()).contains(path));
        }
        QVERIFY(archive.IsClosed());
        QVERIFY(!archive.AddFile(Path(MakeFile("x.txt", "x"))));
        QCOMPARE(ReadWholeFile(m_dir.filePath("pointed-to.zip")), QByteArray("kept"));
    }

    // A second writer of the same archive must neither truncate nor interleave.
    void archiveHeldByAnotherWriter() {
        const QString zip = File("shared.zip");
        CZipArchive first;
        first.Open(Path(zip));
        QVERIFY(first.AddFile(Path(MakeFile("first.txt", TextBytes(70000)))));
        CZipArchive second;
        try {
            second.Open(Path(zip));
            QFAIL("no exception");
        } catch (const CFileException& error) {
            QCOMPARE(error.Cause(), int(CFileException::sharingViolation));
            QCOMPARE(QString::fromStdString(error.FileName()), zip);
        }
        first.Close();
        const ParsedArchive parsed = ParseArchiveFile(zip);
        QVERIFY2(parsed.error.isEmpty(), qPrintable(parsed.error));
        QCOMPARE(parsed.centrals.size(), 1);
    }

    void diskFullRaisesAndTheDestructorFreesZlibMemory() {
        const QString source = MakeFile("incompressible.bin", PseudoRandomBytes(300000, 11));
        auto archive = std::make_unique<CZipArchive>();
        archive->Open("/dev/full");
        try {
            archive->AddFile(Path(source));
            QFAIL("no exception");
        } catch (const CFileException& error) {
            QCOMPARE(error.Cause(), int(CFileException::diskFull));
            QCOMPARE(error.SystemError(), ENOSPC);
            QCOMPARE(error.FileName(), std::string("/dev/full"));
        }
        // The entry died mid-stream; its zlib blocks are still recorded and
        // go with the archive (LeakSanitizer checks the rest at exit).
        QVERIFY(archive->TrackedZlibBlocks() > 0);
        archive.reset();
    }

    void diskFullAtCloseRaises() {
        CZipArchive archive;
        archive.Open("/dev/full");
        // Small entries stay in the write buffer until the first flush.
        try {
            archive.AddFile(Path(MakeFile("small.txt", "small")));
            archive.Close();
            QFAIL("no exception");
        } catch (const CFileException& error) {
            QCOMPARE(error.Cause(), int(CFileException::diskFull));
            QCOMPARE(error.FileName(), std::string("/dev/full"));
        }
    }

    void sourceThatCannotBeOpenedLeavesNoTrace() {
        const QString zip = File("locked-source.zip");
        const QString locked = MakeFile("locked.txt", TextBytes(100000));
        const int lockHolder = ::open(QFile::encodeName(locked).constData(), O_RDWR);
        QVERIFY(lockHolder >= 0);
        QVERIFY(::flock(lockHolder, LOCK_EX) == 0); // another program writing it
        CZipArchive archive;
        archive.Open(Path(zip));
        QVERIFY(archive.AddFile(Path(MakeFile("before.txt", "before"))));
        QVERIFY(!archive.AddFile(Path(locked)));
        QCOMPARE(archive.GetCount(), std::size_t(1));
        QCOMPARE(archive.TrackedZlibBlocks(), std::size_t(0));
        ::close(lockHolder);
        QVERIFY(archive.AddFile(Path(locked))); // nothing left open blocks it
        archive.Close();
        const ParsedArchive parsed = ParseArchiveFile(zip);
        QVERIFY2(parsed.error.isEmpty(), qPrintable(parsed.error));
        QCOMPARE(parsed.centrals.size(), 2);
        QCOMPARE(parsed.centrals[1].localOffset,
                 parsed.locals[0].dataOffset + parsed.centrals[0].compressedSize);
    }

    void sourceThatFailsWhileReadIsRaisedAndCutOff() {
        const QString zip = File("vanishing.zip");
        CZipArchive archive;
        archive.Open(Path(zip));
        const QString before = MakeFile("before.bin", PseudoRandomBytes(100000, 13));
        QVERIFY(archive.AddFile(Path(before)));
        // Reading a process's memory at address 0 fails with EIO after the
        // file has been found and opened, as a vanished device would.
        try {
            archive.AddFile("/proc/self/mem");
            QFAIL("no exception");
        } catch (const CFileException& error) {
            QCOMPARE(error.Cause(), int(CFileException::hardIO));
            QCOMPARE(error.SystemError(), EIO);
            QCOMPARE(error.FileName(), std::string("/proc/self/mem"));
        }
        QCOMPARE(archive.GetCount(), std::size_t(1));
        QCOMPARE(archive.TrackedZlibBlocks(), std::size_t(0));
        archive.Close();
        const ParsedArchive parsed = ParseArchiveFile(zip);
        QVERIFY2(parsed.error.isEmpty(), qPrintable(parsed.error));
        QCOMPARE(parsed.centrals.size(), 1);
        QVERIFY(parsed.Inflated(0) == ReadWholeFile(before));
    }

    void vanishedSourceIsRefused() {
        const QString gone = MakeFile("gone.txt", "gone");
        QFile::remove(gone);
        CZipArchive archive;
        archive.Open(Path(File("gone.zip")));
        QVERIFY(!archive.AddFile(Path(gone)));
        archive.Close();
        QCOMPARE(QFileInfo(File("gone.zip")).size(), qint64(22));
    }
};

QTEST_GUILESS_MAIN(TestZipArchive)
#include "tst_zip_archive.moc"
