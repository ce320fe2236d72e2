// Which device "USB" means: the one chosen in Setup, else the only one
// attached; and the unit commands asking for it before they connect.
#include "UnitTestHelpers.h"
#include "unit/SerialDevices.h"
#include "unit/SyncClockCommand.h"
#include "unit/UnitTexts.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

const SerialDevice Acm0{"/dev/ttyACM0", "/dev/serial/by-id/usb-Example_VELK_A1-if00", "Example",
                        "VELK", "A1"};
const SerialDevice Usb0{"/dev/ttyUSB0", {}, "Adapter", "Cable", "B2"};
const SerialDevice NoSerial{"/dev/ttyUSB1", {}, "Adapter", "Cable", {}};
const SerialDevice Com1{"/dev/ttyS0", {}, {}, {}, {}, false};

} // namespace

class TestSerialDevices : public QObject {
    Q_OBJECT
private slots:
    void chooseUsbDevice_data() {
        QTest::addColumn<QList<SerialDevice>>("attached");
        QTest::addColumn<QString>("chosen"); // Options/Device
        QTest::addColumn<QString>("node");   // empty: none
        QTest::addColumn<QString>("error");  // a part of the message
        using L = QList<SerialDevice>;
        QTest::newRow("none") << L{} << ""
                              << ""
                              << "No USB serial device is attached";
        QTest::newRow("a COM port is not USB") << L{Com1} << ""
                                               << ""
                                               << "No USB serial device";
        QTest::newRow("one") << L{Usb0, Com1} << ""
                             << "/dev/ttyUSB0"
                             << "";
        QTest::newRow("several")
            << L{Acm0, Usb0} << ""
            << ""
            << "Several USB serial devices are attached (/dev/ttyACM0 (Example VELK A1), "
               "/dev/ttyUSB0 (Adapter Cable B2)): choose the unit's in Setup.";
        QTest::newRow("chosen by stable name") << L{Usb0, Acm0} << Acm0.stableName << "/dev/ttyACM0"
                                               << "";
        QTest::newRow("chosen by vendor, model, serial") << L{Acm0, Usb0} << "usb:Adapter/Cable/B2"
                                                         << "/dev/ttyUSB0"
                                                         << "";
        QTest::newRow("chosen without serial: by node") << L{Acm0, NoSerial} << "/dev/ttyUSB1"
                                                        << "/dev/ttyUSB1"
                                                        << "";
        QTest::newRow("chosen, not attached")
            << L{Usb0} << Acm0.stableName << ""
            << "The USB device chosen in Setup (" + Acm0.stableName + ") is not attached";
    }
    void chooseUsbDevice() {
        QFETCH(QList<SerialDevice>, attached);
        QFETCH(QString, chosen);
        QFETCH(QString, node);
        QFETCH(QString, error);
        QString why;
        const auto device = ::chooseUsbDevice(attached, chosen, &why);
        QCOMPARE(device ? device->node : QString(), node);
        QVERIFY2(error.isEmpty() ? why.isEmpty() : why.contains(error), qPrintable(why));
        // What Setup stores finds the device again.
        if (device)
            QCOMPARE(::chooseUsbDevice(attached, device->identity(), nullptr)->node, node);
    }

    // Before its connect a command asks which device "USB" means: the device's
    // path goes to the link; with none the user is told and nothing is sent.
    void commandsAskForTheDeviceFirst() {
        FakeSerialDeviceFinder finder;
        qunsetenv("QUILLARY_LINK_DEVICE");
        QTemporaryDir dir;
        ConfigSession session(dir.path());
        RecordingLinkApi link;
        ScriptedUserInteraction scripted;
        EventLog log(scripted);
        FixedClock clock;
        UnitCommandContext context{link, RecordingLinkApi::Handle, log, log, log, session, [&] {
                                       return choosePortDevice(0, QString(), finder);
                                   }};

        SyncClockCommand(context, clock).run();
        QCOMPARE(link.calls, QStringList());
        QCOMPARE(log.events,
                 QStringList({buttonsEvent(EnableState::AllDisabled),
                              messageEvent(UnitTexts::communicationError() +
                                           "\nNo USB serial device is attached: plug the unit in."),
                              buttonsEvent(EnableState::AllEnabled)}));

        finder.attached = {Com1, Usb0};
        SyncClockCommand(context, clock).run();
        QCOMPARE(link.calls.mid(0, 2),
                 QStringList({"LinkSetPort(7,/dev/ttyUSB0,COM0)", "LinkConnect(7,)"}));

        // A COM port, or a device named in the environment, keeps the port set at start.
        link.calls.clear();
        context.choosePort = [&] { return choosePortDevice(2, QString(), finder); };
        SyncClockCommand(context, clock).run();
        QCOMPARE(link.calls.first(), QStringLiteral("LinkConnect(7,)"));
        qputenv("QUILLARY_LINK_DEVICE", "/dev/pts/9");
        finder.attached.clear();
        QCOMPARE(choosePortDevice(0, QString(), finder).error, QString());
        qunsetenv("QUILLARY_LINK_DEVICE");
    }
};

QTEST_GUILESS_MAIN(TestSerialDevices)
#include "tst_serialdevices.moc"
