// The library against a unit that misbehaves in each of the simulator's ways,
// and the simulator against a host that sends rubbish.
#include "LinkPort.h"
#include "LinkTestHelpers.h"
#include "LinkWire.h"
#include "SimProcess.h"
#include "velklink.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {
// Generous: the library promises a few seconds; this only catches hangs.
constexpr qint64 kBoundMs = 10'000;

namespace wire = velklink::wire;

// A host that writes its own frames straight onto the line.
class RawHost {
public:
    explicit RawHost(const QString& device)
        : fd_(velklink::openSerialDevice(QFile::encodeName(device).toStdString(), 115200)) {}
    ~RawHost() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    bool isOpen() const { return fd_ >= 0; }

    // The status byte of the answer, or -1 when none came.
    int request(wire::Type type, const std::vector<uint8_t>& payload) {
        using namespace std::chrono_literals;
        const uint8_t seq = ++seq_;
        const auto deadline = velklink::Clock::now() + 3s;
        if (velklink::writeAll(fd_, wire::encodeFrame(static_cast<uint8_t>(type), seq, payload),
                               deadline) != velklink::IoResult::Ok)
            return -1;
        uint8_t buffer[2048];
        for (;;) {
            while (auto frame = decoder_.next()) {
                if (frame->type == (static_cast<uint8_t>(type) | wire::kAnswerBit) &&
                    frame->seq == seq && !frame->payload.empty())
                    return frame->payload[0];
            }
            size_t count = 0;
            if (velklink::readSome(fd_, buffer, deadline, count) != velklink::IoResult::Ok)
                return -1;
            decoder_.feed(std::span(buffer, count));
        }
    }

    // Open, data and close of one voice file; the three statuses.
    QList<int> sendVoiceFile(const std::string& name, const std::vector<uint8_t>& bytes) {
        return {request(wire::Type::VoiceOpen,
                        wire::voiceOpenPayload(static_cast<uint32_t>(bytes.size()), name)),
                request(wire::Type::VoiceData, wire::voiceDataPayload(0, bytes)),
                request(wire::Type::VoiceClose, wire::voiceClosePayload(wire::crc32Of(bytes)))};
    }

private:
    int fd_;
    uint8_t seq_ = 0;
    wire::FrameDecoder decoder_;
};

} // namespace

class TestLinkFaults : public QObject {
    Q_OBJECT

private slots:
    void init() { LinkStartup(); }
    void cleanup() { LinkCleanup(); }

    void passwordProtectedUnit();
    void failingRegisterWriteKeepsEarlierRegisters();
    void failingRegisterRead();
    void silentUnitFailsWithinBound();
    void garbageAnswersFailWithinBound();
    void vanishingLineIsNoticedOnce();
    void corruptedAnswersAreRetried();
    void hostileHostDoesNotHurtTheUnit();
    void voiceNamesCannotEscapeTheStateFolder();
    void lineRateIsEmulated();
    void simulatorRefusesBadStartup_data();
    void simulatorRefusesBadStartup();
};

void TestLinkFaults::passwordProtectedUnit() {
    SimProcess sim;
    QVERIFY(sim.start({"--password"}));
    const int32_t link = openLink();
    QCOMPARE(LinkConnect(link, ""), LINK_ERR_PASSWORD);
    QCOMPARE(LinkQueryUnit(link, nullptr, nullptr), LINK_ERR_NOT_CONNECTED);
    QCOMPARE(LinkConnect(link, ""), LINK_ERR_PASSWORD);
    LinkDestroy(link);
}

void TestLinkFaults::failingRegisterWriteKeepsEarlierRegisters() {
    SimProcess sim;
    QVERIFY(sim.start({"--fail-write", "40"}));
    const int32_t link = openLink();
    QCOMPARE(LinkConnect(link, ""), LINK_OK);
    QCOMPARE(LinkPrepareTransfer(link), LINK_OK);
    const QByteArray image = patternImage(5);
    int failedAt = 0;
    QCOMPARE(writeAllRegisters(link, image, kRegisters, &failedAt), LINK_ERR_REFUSED);
    QCOMPARE(failedAt, 40);
    const QByteArray stored = sim.readState("registers.QRB");
    QCOMPARE(stored.size(), kRegisters * kSlot);
    QCOMPARE(stored.left(39 * kSlot), image.left(39 * kSlot));
    QCOMPARE(stored.mid(39 * kSlot), QByteArray((kRegisters - 39) * kSlot, '\0'));
    // The refusal is an answer: the line stays usable.
    QCOMPARE(LinkWriteRegister(link, 41, reinterpret_cast<const unsigned char*>(image.constData()),
                               0, 0),
             LINK_OK);
    LinkDestroy(link);
}

void TestLinkFaults::failingRegisterRead() {
    SimProcess sim;
    QVERIFY(sim.start({"--fail-read", "7"}));
    const int32_t link = openLink();
    QCOMPARE(LinkConnect(link, ""), LINK_OK);
    QCOMPARE(LinkPrepareTransfer(link), LINK_OK);
    unsigned char slot[kSlot];
    std::fill(std::begin(slot), std::end(slot), 0x55);
    QCOMPARE(LinkReadRegister(link, 7, slot, nullptr, 0), LINK_ERR_REFUSED);
    QCOMPARE(slot[0], 0x55); // a failed read leaves the caller's slot alone
    QCOMPARE(LinkReadRegister(link, 8, slot, nullptr, 0), LINK_OK);
    QCOMPARE(slot[0], 0);
    LinkDestroy(link);
}

void TestLinkFaults::silentUnitFailsWithinBound() {
    SimProcess sim;
    QVERIFY(sim.start({"--silent"}));
    const int32_t link = openLink();
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(LinkConnect(link, ""), LINK_ERR_TIMEOUT);
    QVERIFY2(timer.elapsed() < kBoundMs, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(LinkPrepareTransfer(link), LINK_ERR_NOT_CONNECTED);
    LinkDestroy(link);
}

void TestLinkFaults::garbageAnswersFailWithinBound() {
    SimProcess sim;
    QVERIFY(sim.start({"--corrupt", "1", "--seed", "7"}));
    const int32_t link = openLink();
    QElapsedTimer timer;
    timer.start();
    const int32_t result = LinkConnect(link, "");
    QVERIFY2(result == LINK_ERR_PROTOCOL || result == LINK_ERR_TIMEOUT,
             qPrintable(QString::number(result)));
    QVERIFY(timer.elapsed() < kBoundMs);
    LinkDestroy(link);
}

void TestLinkFaults::vanishingLineIsNoticedOnce() {
    SimProcess sim;
    QVERIFY(sim.start({"--drop-after", "6000"}));
    QTemporaryDir folder;
    const int32_t link = openLink();
    QCOMPARE(LinkConnect(link, ""), LINK_OK);
    QCOMPARE(LinkPrepareTransfer(link), LINK_OK);
    QElapsedTimer timer;
    timer.start();
    int failedAt = 0;
    QCOMPARE(writeAllRegisters(link, patternImage(1), kRegisters, &failedAt), LINK_ERR_IO);
    QVERIFY(failedAt > 1 && failedAt < kRegisters);
    QVERIFY(timer.elapsed() < kBoundMs);

    // Every later call fails at once instead of finding the loss again.
    timer.restart();
    unsigned char slot[kSlot] = {};
    QCOMPARE(LinkWriteRegister(link, failedAt + 1, slot, 0, 0), LINK_ERR_NOT_CONNECTED);
    QCOMPARE(LinkFinishTransfer(link), LINK_ERR_NOT_CONNECTED);
    QVERIFY(timer.elapsed() < 500);
    // The device has gone with the line.
    QCOMPARE(LinkConnect(link, ""), LINK_ERR_NO_DEVICE);
    LinkDestroy(link);
}

void TestLinkFaults::corruptedAnswersAreRetried() {
    SimProcess sim;
    QVERIFY(sim.start({"--corrupt", "0.001", "--seed", "12345"}));
    QTemporaryDir folder;
    const QStringList names{"H01.WAV", "H02.WAV", "SelectOutput.wav", "SelectOnOff.wav"};
    QList<QByteArray> contents;
    for (int i = 0; i < names.size(); ++i) {
        contents.append(patternBytes(30000 + i * 777, i + 3));
        QVERIFY(writeFile(folder.filePath(names[i]), contents.last()));
    }
    QStringList paths;
    for (const auto& name : names)
        paths << folder.filePath(name);

    const int32_t link = openLink();
    QCOMPARE(LinkConnect(link, ""), LINK_OK);
    QCOMPARE(LinkQueryUnit(link, nullptr, nullptr), LINK_OK);
    QCOMPARE(LinkPrepareTransfer(link), LINK_OK);
    const QByteArray image = patternImage(9);
    QCOMPARE(writeAllRegisters(link, image), LINK_OK);
    std::vector<QByteArray> storage;
    const auto pointers = namePointers(paths, storage);
    QCOMPARE(
        LinkUploadVoice(link, static_cast<int32_t>(pointers.size()), pointers.data(), nullptr, 0),
        LINK_OK);
    QCOMPARE(LinkFinishTransfer(link), LINK_OK);
    QCOMPARE(LinkPrepareTransfer(link), LINK_OK);
    QByteArray readBack;
    QCOMPARE(readAllRegisters(link, readBack), LINK_OK);
    QCOMPARE(readBack, image);
    QCOMPARE(sim.readState("registers.QRB"), image);
    for (int i = 0; i < names.size(); ++i)
        QCOMPARE(sim.readState("voice/" + names[i]), contents[i]);
    QCOMPARE(QString::fromLatin1(sim.readState("voice.log")).split('\n', Qt::SkipEmptyParts),
             names);
    LinkDestroy(link);
}

void TestLinkFaults::hostileHostDoesNotHurtTheUnit() {
    SimProcess sim;
    QVERIFY(sim.start());
    const int fd = ::open(QFile::encodeName(sim.linkPath()).constData(), O_RDWR | O_NOCTTY);
    QVERIFY(fd >= 0);
    std::vector<uint8_t> rubbish;
    auto frame = [&](wire::Type type, std::vector<uint8_t> payload) {
        const auto bytes = wire::encodeFrame(static_cast<uint8_t>(type), 1, payload);
        rubbish.insert(rubbish.end(), bytes.begin(), bytes.end());
    };
    for (int i = 0; i < 3000; ++i)
        rubbish.push_back(static_cast<uint8_t>((i * 2654435761u) >> 13));
    rubbish.insert(rubbish.end(), {wire::kSync, 0x04, 0, 0xFF, 0xFF, 0}); // absurd length
    frame(wire::Type::Connect, wire::connectPayload(""));
    frame(wire::Type::Prepare, {});
    frame(wire::Type::VoiceOpen, wire::voiceOpenPayload(10, "../escaped"));
    frame(wire::Type::VoiceOpen, wire::voiceOpenPayload(10, "ok.wav"));
    frame(wire::Type::VoiceData, wire::voiceDataPayload(5, std::vector<uint8_t>(4, 1)));
    frame(wire::Type::VoiceData, wire::voiceDataPayload(0, std::vector<uint8_t>(20, 1)));
    frame(wire::Type::VoiceClose, wire::voiceClosePayload(0));
    frame(wire::Type::WriteRegister, {0, 1, 2});
    frame(wire::Type::WriteRegister, std::vector<uint8_t>(257, 88));
    frame(wire::Type::ReadRegister, {200});
    frame(wire::Type::SetClock, {1, 2, 3});
    frame(static_cast<wire::Type>(0x7F), {1, 2, 3});
    frame(static_cast<wire::Type>(0x81), {0, 1});
    QCOMPARE(::write(fd, rubbish.data(), rubbish.size()), static_cast<ssize_t>(rubbish.size()));
    QTest::qWait(300);
    ::close(fd);

    const int32_t link = openLink();
    QCOMPARE(LinkConnect(link, ""), LINK_OK);
    QCOMPARE(LinkPrepareTransfer(link), LINK_OK);
    QByteArray image;
    QCOMPARE(readAllRegisters(link, image), LINK_OK);
    QCOMPARE(image, QByteArray(kRegisters * kSlot, '\0'));
    QVERIFY(!QFile::exists(sim.stateDir() + "/escaped"));
    QVERIFY(QDir(sim.statePath("voice")).entryList(QDir::Files | QDir::Hidden).isEmpty());
    LinkDestroy(link);
}

void TestLinkFaults::voiceNamesCannotEscapeTheStateFolder() {
    SimProcess sim;
    QVERIFY(sim.start());
    RawHost host(sim.linkPath());
    QVERIFY(host.isOpen());
    QCOMPARE(host.request(wire::Type::Connect, wire::connectPayload("")), 0);
    QCOMPARE(host.request(wire::Type::Prepare, {}), 0);

    const std::vector<uint8_t> bytes{'R', 'I', 'F', 'F', '\n', 0, 0xFF};
    const int bad = static_cast<int>(wire::Status::BadRequest);
    const std::string target = "qx-escape";
    const std::vector<std::string> escapes{"/../" + target,
                                           "a/../../" + target,
                                           "../" + target,
                                           "..\\" + target,
                                           "..",
                                           ".",
                                           "../../" + std::string(255 - 6 - target.size(), 'e') +
                                               target};
    for (const auto& name : escapes)
        QCOMPARE(host.sendVoiceFile(name, bytes), (QList<int>{bad, bad, bad}));
    // The longest legal name is stored in full.
    const std::string longest(255, 'L');
    QCOMPARE(host.sendVoiceFile(longest, bytes), (QList<int>{0, 0, 0}));
    QCOMPARE(host.request(wire::Type::Finish, {}), 0);

    QCOMPARE(sim.readState("voice/" + QString::fromStdString(longest)),
             QByteArray(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    // Nothing anywhere else: not beside the state folder, not in the
    // simulator's working folder, not at the root.
    const QDir outside = QFileInfo(sim.stateDir()).dir();
    QDirIterator all(outside.path(),
                     QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                     QDirIterator::Subdirectories);
    QStringList found;
    while (all.hasNext())
        found << outside.relativeFilePath(all.next());
    found.sort();
    QCOMPARE(found, (QStringList{"state", "state/registers.QRB", "state/voice", "state/voice.log",
                                 "state/voice/" + QString::fromStdString(longest), "tty"}));
    for (const QString& folder : {QDir::currentPath(), QStringLiteral("/"), QDir::tempPath()})
        QVERIFY2(!QFile::exists(folder + "/qx-escape"), qPrintable(folder));
}

void TestLinkFaults::lineRateIsEmulated() {
    SimProcess sim;
    QVERIFY(sim.start({"--baud", "38400"}));
    const int32_t link = LinkCreate();
    QCOMPARE(LinkConfigure(link, "baud=38400"), LINK_OK);
    QCOMPARE(LinkConnect(link, ""), LINK_OK);
    QCOMPARE(LinkPrepareTransfer(link), LINK_OK);
    QElapsedTimer timer;
    timer.start();
    const QByteArray image = patternImage(4);
    QCOMPARE(writeAllRegisters(link, image, 10), LINK_OK);
    // Ten frames of 267 bytes cannot cross a 38400 baud line in less than 0.69 s.
    QVERIFY2(timer.elapsed() >= 690, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(sim.readState("registers.QRB").left(10 * kSlot), image.left(10 * kSlot));
    LinkDestroy(link);
}

void TestLinkFaults::simulatorRefusesBadStartup_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("no state folder") << QStringList{"--silent"} << 2;
    QTest::newRow("register 88") << QStringList{"--state", "STATE", "--fail-write", "88"} << 2;
    QTest::newRow("rate above 1") << QStringList{"--state", "STATE", "--corrupt", "1.5"} << 2;
    QTest::newRow("missing value") << QStringList{"--state", "STATE", "--drop-after"} << 2;
    QTest::newRow("unknown option") << QStringList{"--state", "STATE", "--fast"} << 2;
    QTest::newRow("short image") << QStringList{"--state", "SHORT"} << 1;
}

void TestLinkFaults::simulatorRefusesBadStartup() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("short"));
    // An image of the wrong size is not the simulator's to repair or overwrite.
    QVERIFY(writeFile(dir.filePath("short/registers.QRB"), QByteArray(100, 'x')));
    arguments.replaceInStrings("STATE", dir.filePath("state"));
    arguments.replaceInStrings("SHORT", dir.filePath("short"));
    QProcess process;
    process.start(QStringLiteral(VELK_UNIT_SIM), arguments);
    QVERIFY(process.waitForFinished(5000));
    QCOMPARE(process.exitCode(), exitCode);
    QVERIFY(process.readAllStandardError().startsWith("velk-unit-sim: "));
    QCOMPARE(QFileInfo(dir.filePath("short/registers.QRB")).size(), 100);
}

QTEST_GUILESS_MAIN(TestLinkFaults)
#include "TestLinkFaults.moc"
