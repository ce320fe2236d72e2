// End to end through the library's C interface, over a real pseudo-terminal,
// against the unit simulator.
#include "FifoWriter.h"
#include "LinkTestHelpers.h"
#include "SimProcess.h"
#include "velklink.h"

#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <new>
#include <optional>
#include <sys/stat.h>
#include <vector>

class TestLinkTransfer : public QObject {
    Q_OBJECT

private slots:
    void init() { LinkStartup(); }
    void cleanup() { LinkCleanup(); }

    void registersRoundTripAndReachTheImage();
    void voiceFilesArriveIdenticalInOrderWithProgress();
    void clockRecordIsStored();
    void stateSurvivesRestartAndReconnect();
    void unreadableVoiceFileFailsBeforeSending();
    void callsCheckTheirArguments();
    void onlyASerialDeviceIsOpened_data();
    void onlyASerialDeviceIsOpened();
    void callbackMayDestroyTheLink();
    void throwingCallbackEndsTheCallWithAResult();
};

void TestLinkTransfer::registersRoundTripAndReachTheImage() {
    SimProcess sim;
    QVERIFY(sim.start());
    const int32_t link = openLink();
    QCOMPARE(LinkConnect(link, ""), LINK_OK);
    int32_t model = -1, firmware = -1;
    QCOMPARE(LinkQueryUnit(link, &model, &firmware), LINK_OK);
    QVERIFY(model > 0);
    QCOMPARE(LinkPrepareTransfer(link), LINK_OK);
    const QByteArray image = patternImage(3);
    QCOMPARE(writeAllRegisters(link, image), LINK_OK);
    QCOMPARE(LinkFinishTransfer(link), LINK_OK);
    QCOMPARE(sim.readState("registers.QRB"), image);

    // A second operation starts with its own connect, as the program does.
    QCOMPARE(LinkConnect(link, ""), LINK_OK);
    QCOMPARE(LinkPrepareTransfer(link), LINK_OK);
    QByteArray readBack;
    QCOMPARE(readAllRegisters(link, readBack), LINK_OK);
    QCOMPARE(readBack, image);
    LinkClose(link);
    LinkDestroy(link);
}

void TestLinkTransfer::voiceFilesArriveIdenticalInOrderWithProgress() {
    SimProcess sim;
    QVERIFY(sim.start());
    QTemporaryDir folder;
    const QStringList names{"H16.WAV", "H01.WAV", "L03.WAV", "SelectOutput.wav", "SelectOnOff.wav"};
    const QList<int> sizes{20000, 256, 0, 1024, 5000};
    QList<QByteArray> contents;
    for (int i = 0; i < names.size(); ++i) {
        contents.append(patternBytes(sizes[i], i));
        QVERIFY(writeFile(folder.filePath(names[i]), contents.last()));
    }
    // Relative names are read from the current folder, which the caller chooses.
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(folder.path()));
    const int32_t link = openLink();
    QCOMPARE(LinkConnect(link, ""), LINK_OK);
    QCOMPARE(LinkPrepareTransfer(link), LINK_OK);
    std::vector<QByteArray> storage;
    const auto pointers = namePointers(names, storage);
    std::vector<int32_t> positions;
    const int32_t result =
        LinkUploadVoice(link, static_cast<int32_t>(pointers.size()), pointers.data(),
                        recordProgress, reinterpret_cast<intptr_t>(&positions));
    QDir::setCurrent(previous);
    QCOMPARE(result, LINK_OK);
    QCOMPARE(LinkFinishTransfer(link), LINK_OK);

    for (int i = 0; i < names.size(); ++i)
        QCOMPARE(sim.readState("voice/" + names[i]), contents[i]);
    QCOMPARE(QString::fromLatin1(sim.readState("voice.log")).split('\n', Qt::SkipEmptyParts),
             names);
    QCOMPARE(QDir(sim.statePath("voice")).entryList(QDir::Files | QDir::Hidden).size(),
             names.size());

    QVERIFY(positions.size() > 3);
    QCOMPARE(positions.front(), 0);
    QCOMPARE(positions.back(), 100);
    for (size_t i = 1; i < positions.size(); ++i)
        QVERIFY2(positions[i] > positions[i - 1], "positions rise");

    // Absolute names are sent under their file name alone.
    const QString absolute = folder.filePath("H01.WAV");
    QCOMPARE(LinkPrepareTransfer(link), LINK_OK);
    std::vector<QByteArray> single;
    const auto one = namePointers({absolute}, single);
    QCOMPARE(LinkUploadVoice(link, 1, one.data(), nullptr, 0), LINK_OK);
    QCOMPARE(sim.readState("voice/H01.WAV"), contents[1]);
    LinkDestroy(link);
}

void TestLinkTransfer::clockRecordIsStored() {
    SimProcess sim;
    QVERIFY(sim.start());
    const int32_t link = openLink();
    QCOMPARE(LinkConnect(link, ""), LINK_OK);
    // 17:05:09 on 6 December 2026; the fifth byte is not filled by the program.
    const auto record = clockRecord(2026, 12, 6, 17, 5, 9);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(record.data()), 8).toHex(' '),
             QByteArray("ea 07 0c 06 00 11 05 09"));
    QCOMPARE(LinkSetClock(link, record.data()), LINK_OK);
    QCOMPARE(sim.readState("clock.bin"),
             QByteArray(reinterpret_cast<const char*>(record.data()), 8));

    // A record that is no time (month 13, hour 24, minute 60, 30 February)
    // is refused and leaves the stored one alone.
    for (const auto& invalid :
         {clockRecord(2026, 13, 6, 17, 5, 9), clockRecord(2026, 12, 6, 24, 5, 9),
          clockRecord(2026, 12, 6, 17, 60, 9), clockRecord(2028, 2, 30, 17, 5, 9)}) {
        QCOMPARE(LinkSetClock(link, invalid.data()), LINK_ERR_REFUSED);
        QCOMPARE(sim.readState("clock.bin"),
                 QByteArray(reinterpret_cast<const char*>(record.data()), 8));
    }
    LinkDestroy(link);
}

void TestLinkTransfer::stateSurvivesRestartAndReconnect() {
    SimProcess sim;
    QVERIFY(sim.start());
    const int32_t link = openLink();
    QCOMPARE(LinkConnect(link, ""), LINK_OK);
    QCOMPARE(LinkConnect(link, ""), LINK_OK); // reconnecting on an open link is clean
    QCOMPARE(LinkPrepareTransfer(link), LINK_OK);
    const QByteArray image = patternImage(11);
    QCOMPARE(writeAllRegisters(link, image), LINK_OK);
    LinkClose(link);
    QCOMPARE(LinkPrepareTransfer(link), LINK_ERR_NOT_CONNECTED);

    sim.stop();
    QVERIFY(sim.start());
    QCOMPARE(LinkConnect(link, ""), LINK_OK);
    // Register access belongs to a prepared transfer.
    unsigned char slot[256];
    QCOMPARE(LinkReadRegister(link, 1, slot, nullptr, 0), LINK_ERR_REFUSED);
    QCOMPARE(LinkPrepareTransfer(link), LINK_OK);
    QByteArray readBack;
    QCOMPARE(readAllRegisters(link, readBack), LINK_OK);
    QCOMPARE(readBack, image);
    LinkDestroy(link);
}

void TestLinkTransfer::unreadableVoiceFileFailsBeforeSending() {
    SimProcess sim;
    QVERIFY(sim.start());
    QTemporaryDir folder;
    QVERIFY(writeFile(folder.filePath("H01.WAV"), patternBytes(3000, 1)));
    const int32_t link = openLink();
    QCOMPARE(LinkConnect(link, ""), LINK_OK);
    QCOMPARE(LinkPrepareTransfer(link), LINK_OK);
    const QStringList cases[] = {
        {folder.filePath("H01.WAV"), folder.filePath("missing.wav")},
        {folder.filePath("H01.WAV"), folder.path()},              // a folder, not a file
        {folder.filePath("H01.WAV"), folder.filePath(".hidden")}, // a name the unit refuses
        {folder.filePath("H01.WAV"), folder.filePath("L01.WAV")}, // a pipe: never opened
    };
    QVERIFY(writeFile(folder.filePath(".hidden"), "x"));
    QCOMPARE(::mkfifo(QFile::encodeName(folder.filePath("L01.WAV")).constData(), 0666), 0);
    for (const auto& names : cases) {
        std::vector<QByteArray> storage;
        const auto pointers = namePointers(names, storage);
        std::vector<int32_t> positions;
        QCOMPARE(LinkUploadVoice(link, 2, pointers.data(), recordProgress,
                                 reinterpret_cast<intptr_t>(&positions)),
                 LINK_ERR_FILE);
        QVERIFY(positions.empty());
    }
    QVERIFY(QDir(sim.statePath("voice")).entryList(QDir::Files | QDir::Hidden).isEmpty());
    // The link is still usable afterwards.
    QCOMPARE(LinkFinishTransfer(link), LINK_OK);
    LinkDestroy(link);
}

void TestLinkTransfer::callsCheckTheirArguments() {
    unsigned char slot[256] = {};
    const unsigned char record[8] = {0xEA, 0x07, 12, 6, 0, 17, 5, 9};
    QCOMPARE(LinkConnect(12345, ""), LINK_ERR_BAD_HANDLE);
    QCOMPARE(LinkWriteRegister(12345, 1, slot, 0, 0), LINK_ERR_BAD_HANDLE);

    const int32_t link = openLink();
    // Nothing connected yet: the calls say so without touching a device.
    QCOMPARE(LinkQueryUnit(link, nullptr, nullptr), LINK_ERR_NOT_CONNECTED);
    QCOMPARE(LinkPrepareTransfer(link), LINK_ERR_NOT_CONNECTED);
    QCOMPARE(LinkWriteRegister(link, 1, slot, 0, 0), LINK_ERR_NOT_CONNECTED);
    QCOMPARE(LinkReadRegister(link, 1, slot, nullptr, 0), LINK_ERR_NOT_CONNECTED);
    QCOMPARE(LinkSetClock(link, record), LINK_ERR_NOT_CONNECTED);
    QCOMPARE(LinkFinishTransfer(link), LINK_ERR_NOT_CONNECTED);
    QCOMPARE(LinkUploadVoice(link, 0, nullptr, nullptr, 0), LINK_ERR_NOT_CONNECTED);

    for (int32_t reg : {0, 88, -1}) {
        QCOMPARE(LinkWriteRegister(link, reg, slot, 0, 0), LINK_ERR_BAD_ARGUMENT);
        QCOMPARE(LinkReadRegister(link, reg, slot, nullptr, 0), LINK_ERR_BAD_ARGUMENT);
    }
    QCOMPARE(LinkWriteRegister(link, 1, nullptr, 0, 0), LINK_ERR_BAD_ARGUMENT);
    QCOMPARE(LinkReadRegister(link, 1, nullptr, nullptr, 0), LINK_ERR_BAD_ARGUMENT);
    QCOMPARE(LinkSetClock(link, nullptr), LINK_ERR_BAD_ARGUMENT);
    QCOMPARE(LinkUploadVoice(link, -1, nullptr, nullptr, 0), LINK_ERR_BAD_ARGUMENT);
    QCOMPARE(LinkUploadVoice(link, 2, nullptr, nullptr, 0), LINK_ERR_BAD_ARGUMENT);
    const std::string longPassword(300, 'x');
    QCOMPARE(LinkConnect(link, longPassword.c_str()), LINK_ERR_BAD_ARGUMENT);

    // Without the override the port text decides; COM0 and unknown ports have no device.
    ::unsetenv("QUILLARY_LINK_DEVICE");
    QCOMPARE(LinkSetPort(link, "COM0", "COM0"), LINK_OK);
    QCOMPARE(LinkConnect(link, ""), LINK_ERR_NO_DEVICE);
    QCOMPARE(LinkSetPort(link, "LPT1", "COM0"), LINK_OK);
    QCOMPARE(LinkConnect(link, ""), LINK_ERR_NO_DEVICE);
    ::setenv("QUILLARY_LINK_DEVICE", "/nonexistent/tty", 1);
    QCOMPARE(LinkConnect(link, ""), LINK_ERR_NO_DEVICE);
    ::unsetenv("QUILLARY_LINK_DEVICE");
    LinkDestroy(link);
    QCOMPARE(LinkQueryUnit(link, nullptr, nullptr), LINK_ERR_BAD_HANDLE);

    LinkCleanup();
    QCOMPARE(LinkCreate(), 0);
    QCOMPARE(LinkConnect(link, ""), LINK_ERR_NOT_STARTED);
}

void TestLinkTransfer::onlyASerialDeviceIsOpened_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("regular file") << "file";
    QTest::newRow("folder") << "folder";
    // Opening it would let a program that feeds it go on.
    QTest::newRow("FIFO") << "fifo";
}

void TestLinkTransfer::onlyASerialDeviceIsOpened() {
    QFETCH(QString, kind);
    QTemporaryDir folder;
    const QString port = folder.filePath("port");
    std::optional<FifoWriter> writer;
    if (kind == "file")
        QVERIFY(writeFile(port, "not a line"));
    else if (kind == "folder")
        QVERIFY(QDir(folder.path()).mkdir("port"));
    else
        QVERIFY(writer.emplace(port).isWaiting());
    ::setenv("QUILLARY_LINK_DEVICE", QFile::encodeName(port).constData(), 1);
    const int32_t link = openLink();
    QCOMPARE(LinkConnect(link, ""), LINK_ERR_NO_DEVICE);
    ::unsetenv("QUILLARY_LINK_DEVICE");
    int32_t reason = -1, osError = -1;
    char device[256] = {};
    QCOMPARE(LinkGetOpenError(link, &reason, &osError, device, sizeof device), LINK_OK);
    QCOMPARE(reason, int32_t(LINK_OPEN_NOT_SERIAL));
    QCOMPARE(QString::fromUtf8(device), port);
    if (writer)
        QVERIFY(!writer->wasReleased());
    LinkDestroy(link);
}

namespace {
struct DestroyingCallback {
    int32_t link = 0;
    int calls = 0;
};
void destroyOnFirstCall(intptr_t context, int32_t) {
    auto* state = reinterpret_cast<DestroyingCallback*>(context);
    if (state->calls++ == 0)
        QCOMPARE(LinkDestroy(state->link), LINK_OK);
}
} // namespace

void TestLinkTransfer::callbackMayDestroyTheLink() {
    SimProcess sim;
    QVERIFY(sim.start());
    QTemporaryDir folder;
    QVERIFY(writeFile(folder.filePath("H01.WAV"), patternBytes(4000, 2)));
    DestroyingCallback state;
    state.link = openLink();
    QCOMPARE(LinkConnect(state.link, ""), LINK_OK);
    QCOMPARE(LinkPrepareTransfer(state.link), LINK_OK);
    std::vector<QByteArray> storage;
    const auto pointers = namePointers({folder.filePath("H01.WAV")}, storage);
    QCOMPARE(LinkUploadVoice(state.link, 1, pointers.data(), destroyOnFirstCall,
                             reinterpret_cast<intptr_t>(&state)),
             LINK_ERR_NOT_CONNECTED);
    QCOMPARE(state.calls, 1);
    QCOMPARE(LinkConnect(state.link, ""), LINK_ERR_BAD_HANDLE);
}

void TestLinkTransfer::throwingCallbackEndsTheCallWithAResult() {
    // No exception may leave the C interface, and the link stays usable.
    SimProcess sim;
    QVERIFY(sim.start());
    QTemporaryDir folder;
    QVERIFY(writeFile(folder.filePath("H01.WAV"), patternBytes(4000, 2)));
    const int32_t link = openLink();
    QCOMPARE(LinkConnect(link, ""), LINK_OK);
    QCOMPARE(LinkPrepareTransfer(link), LINK_OK);
    std::vector<QByteArray> storage;
    const auto pointers = namePointers({folder.filePath("H01.WAV")}, storage);
    const auto throwing = [](intptr_t, int32_t) { throw std::bad_alloc(); };
    QCOMPARE(LinkUploadVoice(link, 1, pointers.data(), throwing, 0), LINK_ERR_NO_MEMORY);
    QCOMPARE(LinkUploadVoice(link, 1, pointers.data(), nullptr, 0), LINK_OK);
    QCOMPARE(LinkFinishTransfer(link), LINK_OK);
    QCOMPARE(sim.readState("voice/H01.WAV"), patternBytes(4000, 2));
    QCOMPARE(LinkDestroy(link), LINK_OK);
}

QTEST_GUILESS_MAIN(TestLinkTransfer)
#include "TestLinkTransfer.moc"
