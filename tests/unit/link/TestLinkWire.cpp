// The frame codec both sides share, and the port names, without any device.
#include "LinkPort.h"
#include "LinkWire.h"

#include <QtTest>

#include <string>
#include <vector>

namespace wire = velklink::wire;

namespace {

std::vector<uint8_t> bytesOf(const std::string& text) {
    return {text.begin(), text.end()};
}

std::vector<wire::Frame> decodeAll(const std::vector<uint8_t>& stream, size_t pieceSize,
                                   size_t* discarded = nullptr) {
    wire::FrameDecoder decoder;
    std::vector<wire::Frame> frames;
    size_t thrownAway = 0;
    for (size_t at = 0; at < stream.size(); at += pieceSize) {
        const size_t length = std::min(pieceSize, stream.size() - at);
        decoder.feed(std::span(stream.data() + at, length));
        while (auto frame = decoder.next())
            frames.push_back(std::move(*frame));
        thrownAway += decoder.takeDiscarded();
    }
    if (discarded)
        *discarded = thrownAway;
    return frames;
}

} // namespace

class TestLinkWire : public QObject {
    Q_OBJECT

private slots:
    void framesSurviveAnyChunkingAndRubbishBetween();
    void damagedFramesAreRejected_data();
    void damagedFramesAreRejected();
    void requestsDecodeStrictly();
    void answersDecodeStrictly();
    void voiceNames_data();
    void voiceNames();
    void portTexts_data();
    void portTexts();
};

void TestLinkWire::framesSurviveAnyChunkingAndRubbishBetween() {
    std::vector<uint8_t> stream = bytesOf("noise\xA5\xA5");
    std::vector<std::vector<uint8_t>> payloads{
        {}, {0xA5, 0xA5, 0x00}, std::vector<uint8_t>(1100, 0xA5)};
    for (int value = 0; value < 256; ++value)
        payloads[0].push_back(static_cast<uint8_t>(value));
    for (size_t i = 0; i < payloads.size(); ++i) {
        const auto frame = wire::encodeFrame(static_cast<uint8_t>(i + 1),
                                             static_cast<uint8_t>(200 + i), payloads[i]);
        stream.insert(stream.end(), frame.begin(), frame.end());
        stream.push_back(wire::kSync); // a stray sync byte between frames
    }
    for (size_t piece : {size_t{1}, size_t{7}, size_t{4096}}) {
        size_t discarded = 0;
        const auto frames = decodeAll(stream, piece, &discarded);
        QCOMPARE(frames.size(), payloads.size());
        for (size_t i = 0; i < frames.size(); ++i) {
            QCOMPARE(frames[i].type, static_cast<uint8_t>(i + 1));
            QCOMPARE(frames[i].seq, static_cast<uint8_t>(200 + i));
            QVERIFY(frames[i].payload == payloads[i]);
        }
        QVERIFY(discarded >= 7);
    }
}

void TestLinkWire::damagedFramesAreRejected_data() {
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("flip");
    // A frame of 4 payload bytes: header 0..5, payload 6..9, CRC 10..13.
    QTest::newRow("sync") << 0 << 0x01;
    QTest::newRow("type") << 1 << 0x02;
    QTest::newRow("sequence") << 2 << 0x80;
    QTest::newRow("length") << 3 << 0x01;
    QTest::newRow("length high") << 4 << 0x10;
    QTest::newRow("header check") << 5 << 0xFF;
    QTest::newRow("payload") << 7 << 0x04;
    QTest::newRow("crc") << 13 << 0x01;
}

void TestLinkWire::damagedFramesAreRejected() {
    QFETCH(int, offset);
    QFETCH(int, flip);
    auto damaged = wire::encodeFrame(0x04, 9, std::vector<uint8_t>{1, 2, 3, 4});
    damaged[static_cast<size_t>(offset)] ^= static_cast<uint8_t>(flip);
    const auto good = wire::encodeFrame(0x05, 10, std::vector<uint8_t>{7});
    std::vector<uint8_t> stream = damaged;
    stream.insert(stream.end(), good.begin(), good.end());
    size_t discarded = 0;
    const auto frames = decodeAll(stream, 3, &discarded);
    QCOMPARE(frames.size(), size_t{1}); // the damaged frame is gone, the next one still comes
    QCOMPARE(frames[0].seq, uint8_t{10});
    QCOMPARE(discarded, damaged.size());

    // A truncated frame yields nothing yet.
    wire::FrameDecoder decoder;
    decoder.feed(std::span(good.data(), good.size() - 1));
    QVERIFY(!decoder.next());
}

void TestLinkWire::requestsDecodeStrictly() {
    auto request = [](wire::Type type, std::vector<uint8_t> payload) {
        return wire::decodeRequest(wire::Frame{static_cast<uint8_t>(type), 0, std::move(payload)});
    };
    std::array<uint8_t, wire::kRegisterSize> slot{};
    slot[255] = 0xEE;
    auto write = request(wire::Type::WriteRegister, wire::writeRegisterPayload(87, slot));
    QVERIFY(write);
    QCOMPARE(std::get<wire::WriteRegisterRequest>(*write).reg, 87);
    QCOMPARE(std::get<wire::WriteRegisterRequest>(*write).slot[255], uint8_t{0xEE});
    auto connect = request(wire::Type::Connect, wire::connectPayload("secret"));
    QVERIFY(connect);
    QCOMPARE(std::get<wire::ConnectRequest>(*connect).password, std::string("secret"));
    auto data =
        request(wire::Type::VoiceData, wire::voiceDataPayload(4096, std::vector<uint8_t>(1024, 3)));
    QVERIFY(data);
    QCOMPARE(std::get<wire::VoiceDataRequest>(*data).offset, uint32_t{4096});

    auto bad = [&](wire::Type type, std::vector<uint8_t> payload) {
        return !request(type, std::move(payload)).has_value();
    };
    QVERIFY(bad(wire::Type::WriteRegister, {}));
    QVERIFY(bad(wire::Type::WriteRegister, std::vector<uint8_t>(257, 0)));  // register 0
    QVERIFY(bad(wire::Type::WriteRegister, std::vector<uint8_t>(257, 88))); // register 88
    QVERIFY(bad(wire::Type::WriteRegister, std::vector<uint8_t>(258, 1)));  // too long
    QVERIFY(bad(wire::Type::ReadRegister, {0}));
    QVERIFY(bad(wire::Type::ReadRegister, {1, 2}));
    QVERIFY(bad(wire::Type::Query, {0}));
    QVERIFY(bad(wire::Type::SetClock, std::vector<uint8_t>(7, 1)));
    QVERIFY(bad(wire::Type::Connect, {1, 5, 'a'})); // password cut short
    QVERIFY(bad(wire::Type::VoiceOpen, wire::voiceOpenPayload(1, "a/b")));
    QVERIFY(bad(wire::Type::VoiceOpen, wire::voiceOpenPayload(wire::kMaxVoiceFileSize + 1, "a")));
    QVERIFY(bad(wire::Type::VoiceData, wire::voiceDataPayload(0, {})));
    QVERIFY(bad(wire::Type::VoiceData, wire::voiceDataPayload(0, std::vector<uint8_t>(1025, 0))));
    QVERIFY(bad(wire::Type::VoiceData,
                wire::voiceDataPayload(wire::kMaxVoiceFileSize, std::vector<uint8_t>{1})));
    QVERIFY(bad(wire::Type::VoiceClose, {1, 2, 3}));
    QVERIFY(bad(static_cast<wire::Type>(0x42), {}));
}

void TestLinkWire::answersDecodeStrictly() {
    auto frame = [](wire::Type type, std::vector<uint8_t> payload) {
        return wire::Frame{static_cast<uint8_t>(static_cast<uint8_t>(type) | wire::kAnswerBit), 0,
                           std::move(payload)};
    };
    std::array<uint8_t, wire::kRegisterSize> slot{};
    slot[0] = 0x41;
    auto read = wire::decodeReadRegisterAnswer(frame(
        wire::Type::ReadRegister, wire::readRegisterAnswerPayload(wire::Status::Ok, 12, slot)));
    QVERIFY(read);
    QCOMPARE(read->reg, 12);
    QCOMPARE(read->slot[0], uint8_t{0x41});
    auto refused = wire::decodeReadRegisterAnswer(
        frame(wire::Type::ReadRegister,
              wire::readRegisterAnswerPayload(wire::Status::ReadFailed, 12, slot)));
    QVERIFY(refused && refused->status == wire::Status::ReadFailed);
    auto query = wire::decodeQueryAnswer(
        frame(wire::Type::Query, wire::queryAnswerPayload(wire::Status::Ok, 2, 0x0304)));
    QVERIFY(query && query->model == 2 && query->firmware == 0x0304);

    QVERIFY(!wire::decodeReadRegisterAnswer(frame(wire::Type::ReadRegister, {0, 12, 1})));
    QVERIFY(!wire::decodeReadRegisterAnswer(frame(wire::Type::ReadRegister, {0, 99})));
    QVERIFY(!wire::decodeStatusAnswer(frame(wire::Type::Prepare, {0}), wire::Type::Finish));
    QVERIFY(!wire::decodeStatusAnswer(frame(wire::Type::Prepare, {200}), wire::Type::Prepare));
    QVERIFY(!wire::decodeStatusAnswer(frame(wire::Type::Prepare, {0, 0}), wire::Type::Prepare));
    QVERIFY(!wire::decodeConnectAnswer(frame(wire::Type::Connect, {0})));
    QVERIFY(!wire::decodeQueryAnswer(frame(wire::Type::Query, {0, 1, 2})));
    // A request is never taken for an answer.
    QVERIFY(!wire::decodeStatusAnswer(
        wire::Frame{static_cast<uint8_t>(wire::Type::Prepare), 0, {0}}, wire::Type::Prepare));
}

void TestLinkWire::voiceNames_data() {
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<bool>("valid");
    QTest::newRow("plain") << QByteArray("H01.WAV") << true;
    QTest::newRow("spaces and 8-bit") << QByteArray("Sél ect.wav") << true;
    QTest::newRow("longest") << QByteArray(255, 'a') << true;
    QTest::newRow("too long") << QByteArray(256, 'a') << false;
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("dot") << QByteArray(".") << false;
    QTest::newRow("parent") << QByteArray("..") << false;
    QTest::newRow("hidden") << QByteArray(".wav") << false;
    QTest::newRow("slash") << QByteArray("a/b.wav") << false;
    QTest::newRow("backslash") << QByteArray("a\\b.wav") << false;
    QTest::newRow("newline") << QByteArray("a\nb") << false;
    QTest::newRow("nul") << QByteArray("a\0b", 3) << false;
}

void TestLinkWire::voiceNames() {
    QFETCH(QByteArray, name);
    QFETCH(bool, valid);
    QCOMPARE(wire::isValidVoiceName(std::string_view(name.constData(), name.size())), valid);
}

void TestLinkWire::portTexts_data() {
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("device");
    QTest::newRow("COM1") << "COM1"
                          << "/dev/ttyS0";
    QTest::newRow("com12") << "com12"
                           << "/dev/ttyS11";
    QTest::newRow("COM0") << "COM0"
                          << "";
    QTest::newRow("COM") << "COM"
                         << "";
    QTest::newRow("COM1x") << "COM1x"
                           << "";
    QTest::newRow("COM-1") << "COM-1"
                           << "";
    QTest::newRow("USB1") << "USB1"
                          << "/dev/ttyACM0";
    QTest::newRow("USB2") << "USB2"
                          << "/dev/ttyUSB0";
    QTest::newRow("USB3") << "USB3"
                          << "";
    QTest::newRow("empty") << ""
                           << "";
}

void TestLinkWire::portTexts() {
    QFETCH(QString, port);
    QFETCH(QString, device);
    const std::vector<std::string> usb{"/dev/ttyACM0", "/dev/ttyUSB0"};
    const auto path = velklink::devicePathForPort(port.toStdString(), usb);
    QCOMPARE(QString::fromStdString(path.value_or("")), device);
}

QTEST_GUILESS_MAIN(TestLinkWire)
#include "TestLinkWire.moc"
