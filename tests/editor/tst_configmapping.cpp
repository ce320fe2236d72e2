// The mapping between the registers and the configuration sheet, and the
// Configure command around it, driven without a window.
#include "TestSupport.h"
#include "config/ConfigFields.h"
#include "config/ConfigSession.h"
#include "editor/ConfigureCommand.h"
#include "seams/Commands.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <cstring>
#include <functional>

namespace {

void putSlot(RegisterStore& store, int reg, const QByteArray& bytes) {
    std::memcpy(store.slot(reg), bytes.constData(), std::size_t(bytes.size()));
}

class FakeSheet final : public ConfigSheet {
public:
    std::function<bool(ConfigValues&)> answer;
    int runs = 0;
    bool run(ConfigValues& values) override {
        ++runs;
        return answer(values);
    }
};

class RecordedButtons final : public CommandButtons {
public:
    QList<EnableState> states;
    void apply(EnableState state) override { states << state; }
};

} // namespace

class TestConfigMapping : public QObject {
    Q_OBJECT
private slots:
    void pulseDurationReadAndWritten_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("shown");
        QTest::newRow("empty") << QByteArray() << 1000;
        QTest::newRow("zero") << QByteArray("0") << 1000;
        QTest::newRow("negative") << QByteArray("-5") << 1000;
        QTest::newRow("no number") << QByteArray("abc") << 1000;
        QTest::newRow("unit after") << QByteArray("250ms") << 250;
        QTest::newRow("leading zero") << QByteArray("0250") << 250;
        QTest::newRow("blanks and sign") << QByteArray(" \t+40") << 40;
        QTest::newRow("too big to hold") << QByteArray("99999999999") << 2147483647;
    }
    void pulseDurationReadAndWritten() {
        QFETCH(QByteArray, stored);
        QFETCH(int, shown);
        RegisterStore store;
        store.setText(87, stored);
        const ConfigValues values = ConfigMapping::read(store);
        QCOMPARE(values.pulseDuration, shown);
        ConfigMapping::write(values, store);
        QCOMPARE(store.text(87), QByteArray::number(shown));
    }

    void finalDotsGoOnFillAndOnWriteBack() {
        RegisterStore store;
        store.setText(1, "123,456.");
        store.setText(2, "12..");
        store.setText(16, ".");
        store.slot(2)[255] = 'x'; // the byte just before the empty register 3
        const ConfigValues values = ConfigMapping::read(store);
        // The store itself loses the dot, whatever the sheet's end.
        QCOMPARE(store.text(1), QByteArray("123,456"));
        QCOMPARE(store.text(2), QByteArray("12."));
        QCOMPARE(store.text(16), QByteArray());
        QCOMPARE(store.text(3), QByteArray());
        QCOMPARE(store.slot(2)[255], 'x');
        QCOMPARE(values.inputs[0].phoneNumbers, QByteArray("123,456"));
        QCOMPARE(values.inputs[1].phoneNumbers, QByteArray("12."));

        ConfigMapping::write(values, store);
        QCOMPARE(store.text(2), QByteArray("12"));
        QCOMPARE(store.text(3), QByteArray());
    }

    void flagsAreSlotBytes() {
        RegisterStore store;
        putSlot(store, 84, "10100000000000001234"); // inputs 1 and 3, and 4 more bytes
        putSlot(store, 85,
                QByteArray("0\0"
                           "1",
                           3)); // past the text's end
        putSlot(store, 83, QByteArray("PO\0PPPPPPPPPPPPPPPPP", 20));
        const ConfigValues values = ConfigMapping::read(store);
        for (int n = 1; n <= 16; ++n) {
            QCOMPARE(values.inputs[n - 1].voiceOnHigh, n == 1 || n == 3);
            QCOMPARE(values.inputs[n - 1].voiceOnLow, n == 3);
            QCOMPARE(values.outputs[n - 1].pulse, n == 1 || n >= 4);
        }

        ConfigMapping::write(values, store);
        QCOMPARE(store.text(84), QByteArray("10100000000000001234"));
        QCOMPARE(store.text(85), QByteArray("0010000000000000"));
        QCOMPARE(store.text(83), QByteArray("POOPPPPPPPPPPPPP"));

        // A new configuration: all flags off, written as 16 characters each.
        RegisterStore fresh;
        ConfigMapping::write(ConfigMapping::read(fresh), fresh);
        QCOMPARE(fresh.text(83), QByteArray(16, 'O'));
        QCOMPARE(fresh.text(84), QByteArray(16, '0'));
        QCOMPARE(fresh.text(85), QByteArray(16, '0'));

        // A text longer than a register holds is cut; the next one is safe.
        ConfigValues longText = ConfigMapping::read(fresh);
        longText.outputs[0].highText = QByteArray(300, 'x');
        ConfigMapping::write(longText, fresh);
        QCOMPARE(fresh.text(49), QByteArray(255, 'x'));
        QCOMPARE(fresh.text(50), QByteArray());
    }

    void configureSavesAndEnables() {
        QTemporaryDir dir;
        const QString path = dir.filePath("alarm.QRB");
        ConfigSession session(dir.path());
        QVERIFY(session.create(path));
        ScriptedUserInteraction ui;
        RecordedButtons buttons;
        FakeSheet sheet;
        sheet.answer = [](ConfigValues& values) {
            values.callers = "+4412345";
            values.outputs[15].pulse = true;
            return true;
        };
        ConfigureCommand(session, ui, buttons, sheet).run();

        QCOMPARE(session.store().text(81), QByteArray("+4412345"));
        QCOMPARE(session.store().text(83), QByteArray("OOOOOOOOOOOOOOOP"));
        QCOMPARE(session.store().text(87), QByteArray("1000"));
        QCOMPARE(readFile(path), QByteArray(reinterpret_cast<const char*>(session.store().data()),
                                            qsizetype(RegisterStore::ImageSize)));
        QVERIFY(ui.fileDialogs.isEmpty());
        QVERIFY(ui.messages.isEmpty());
        QCOMPARE(buttons.states, QList<EnableState>{EnableState::Configured});
    }

    // Registers from a unit whose save was declined are not written over the
    // current file: the save dialog asks where they go.
    void configureAfterDeclinedUnitSaveAsks() {
        QTemporaryDir dir;
        const QString path = dir.filePath("site.QRB");
        ConfigSession session(dir.path());
        QVERIFY(session.create(path));
        RegisterStore fromUnit;
        fromUnit.setText(17, "unit");
        session.adoptUnitRegisters(fromUnit);
        ScriptedUserInteraction ui;
        RecordedButtons buttons;
        FakeSheet sheet;
        sheet.answer = [](ConfigValues&) { return true; };
        ConfigureCommand(session, ui, buttons, sheet).run();

        QCOMPARE(ui.fileDialogs.size(), 1);
        QCOMPARE(readFile(path), QByteArray(qsizetype(RegisterStore::ImageSize), '\0'));
        QCOMPARE(session.store().text(17), QByteArray("unit"));
        QCOMPARE(buttons.states, QList<EnableState>{EnableState::Configured});
    }

    // Without a current file a save dialog asks for one; cancelled, the edits
    // stay in the store only, and the commands are enabled all the same. A
    // save that fails is reported and keeps the edits for the save at Close.
    void configureWithoutFile_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<bool>("saved");
        QTest::newRow("chosen") << "new.QRB" << true;
        QTest::newRow("cancelled") << "" << false;
        QTest::newRow("cannot write") << "missing/folder/new.QRB" << false;
    }
    void configureWithoutFile() {
        QFETCH(QString, chosen);
        QFETCH(bool, saved);
        QTemporaryDir dir;
        ConfigSession session(dir.path());
        ScriptedUserInteraction ui;
        if (!chosen.isEmpty())
            ui.nextFiles << dir.filePath(chosen);
        RecordedButtons buttons;
        FakeSheet sheet;
        sheet.answer = [](ConfigValues& values) {
            values.clearCommand = "CLEAR";
            return true;
        };
        ConfigureCommand(session, ui, buttons, sheet).run();

        QCOMPARE(ui.fileDialogs.size(), 1);
        QCOMPARE(ui.fileDialogs[0].kind, FileDialogKind::Save);
        QCOMPARE(ui.fileDialogs[0].filter, QStringLiteral("Configuration files (*.QRB)"));
        QCOMPARE(ui.fileDialogs[0].defaultSuffix, QStringLiteral("QRB"));
        QCOMPARE(session.store().text(82), QByteArray("CLEAR"));
        QCOMPARE(session.hasFile(), saved);
        QVERIFY(session.current().g_configTitle.isEmpty());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).isEmpty(), !saved);
        const bool failed = chosen.contains('/');
        QCOMPARE(ui.messages.size(), failed ? 1 : 0);
        if (failed)
            QVERIFY(!ui.messages[0].text.isEmpty());
        QCOMPARE(buttons.states, QList<EnableState>{EnableState::Configured});
    }
};

QTEST_GUILESS_MAIN(TestConfigMapping)
#include "tst_configmapping.moc"
