// The Setup dialog with the profile, and the progress bar as the commands'
// progress sink.
#include "TestSupport.h"
#include "config/Profile.h"
#include "unit/CSetupDlg.h"
#include "unit/ProgressBarSink.h"
#include "unit/UnitTexts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

class TestUnitWidgets : public QObject {
    Q_OBJECT
private slots:
    void setup_data() {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<int>("shown");  // the selection the dialog opens with
        QTest::addColumn<int>("choice"); // -2: leave the selection alone
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QVariant>("storedAfter");
        QTest::addColumn<bool>("restartMessage");
        QTest::newRow("unset, unchanged") << QVariant() << 1 << -2 << true << QVariant(1) << false;
        QTest::newRow("usb chosen") << QVariant() << 1 << 0 << true << QVariant(0) << true;
        QTest::newRow("com 3 again") << QVariant(3) << 3 << 3 << true << QVariant(3) << false;
        QTest::newRow("out of range, ok")
            << QVariant(7) << -1 << -2 << true << QVariant(7) << false;
        QTest::newRow("negative") << QVariant(-1) << -1 << -2 << true << QVariant(-1) << false;
        QTest::newRow("not a number") << QVariant("abc") << 0 << 2 << true << QVariant(2) << true;
        QTest::newRow("not a number, ok")
            << QVariant("abc") << 0 << -2 << true << QVariant(0) << false;
        QTest::newRow("cancel") << QVariant(3) << 3 << 0 << false << QVariant(3) << false;
        QTest::newRow("cancel, unset") << QVariant() << 1 << 4 << false << QVariant() << false;
    }
    void setup() {
        QFETCH(QVariant, stored);
        QFETCH(int, shown);
        QFETCH(int, choice);
        QFETCH(bool, ok);
        QFETCH(QVariant, storedAfter);
        QFETCH(bool, restartMessage);
        QTemporaryDir dir;
        const QString ini = dir.filePath("quillary.ini");
        {
            Profile profile(ini);
            if (stored.isValid())
                profile.settings().setValue("Options/COMPORT", stored);
        }
        Profile profile(ini);
        ScriptedUserInteraction ui;
        int shownSelection = -99;
        QStringList items;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<CSetupDlg*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            QComboBox* combo = dialog->portComboBox();
            shownSelection = combo->currentIndex();
            for (int i = 0; i < combo->count(); ++i)
                items << combo->itemText(i);
            if (choice != -2)
                combo->setCurrentIndex(choice);
            dialog->findChild<QPushButton*>(ok ? "okButton" : "cancelButton")->click();
        });
        // Whatever goes wrong above, the dialog must not stay open.
        QTimer guard;
        connect(&guard, &QTimer::timeout, [] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                dialog->reject();
        });
        guard.start(5000);

        SetupCommand(profile, ui, nullptr);

        QCOMPARE(items, QStringList({"USB", "COM 1", "COM 2", "COM 3", "COM 4"}));
        QCOMPARE(shownSelection, shown);
        QCOMPARE(Profile(ini).settings().value("Options/COMPORT"),
                 storedAfter.isValid() ? QVariant(storedAfter.toString()) : QVariant());
        if (restartMessage) {
            QCOMPARE(ui.messages.size(), 1);
            QCOMPARE(ui.messages[0].text, UnitTexts::restartNeeded());
            QCOMPARE(ui.messages[0].icon, MessageIcon::Information);
            QCOMPARE(ui.messages[0].buttons, MessageButtons::Ok);
        } else {
            QVERIFY(ui.messages.isEmpty());
        }
    }

    // The USB serial devices attached are listed and follow plugging while
    // the dialog is open; choosing one ties "USB" to it.
    void setupListsUsbDevices() {
        QTemporaryDir dir;
        const QString ini = dir.filePath("quillary.ini");
        Profile profile(ini);
        profile.setComPort(2);
        FakeSerialDeviceFinder finder;
        finder.attached = {
            {"/dev/ttyACM0", "/dev/serial/by-id/usb-Example_VELK_A1-if00", "Example", "VELK", "A1"},
            {"/dev/ttyS0", {}, {}, {}, {}, false}};
        ScriptedUserInteraction ui;
        QStringList before, after;
        const auto rows = [](QTreeWidget* list) {
            QStringList texts;
            for (int i = 0; i < list->topLevelItemCount(); ++i) {
                QStringList cells;
                for (int c = 0; c < 4; ++c)
                    cells << list->topLevelItem(i)->text(c);
                texts << cells.join('|');
            }
            return texts;
        };
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<CSetupDlg*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            before = rows(dialog->deviceList());
            finder.attached.prepend({"/dev/ttyUSB0", {}, "Adapter", "Cable", "B2"});
            dialog->refreshDevices();
            after = rows(dialog->deviceList());
            dialog->deviceList()->setCurrentItem(dialog->deviceList()->topLevelItem(1));
            dialog->findChild<QPushButton*>("okButton")->click();
        });
        QTimer guard;
        connect(&guard, &QTimer::timeout, [] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                dialog->reject();
        });
        guard.start(5000);

        SetupCommand(profile, ui, nullptr, &finder);

        QCOMPARE(before,
                 QStringList({"Any|(the only one attached)||", "Example|VELK|A1|/dev/ttyACM0"}));
        QCOMPARE(after,
                 QStringList({"Any|(the only one attached)||", "Adapter|Cable|B2|/dev/ttyUSB0",
                              "Example|VELK|A1|/dev/ttyACM0"}));
        const Profile stored(ini);
        QCOMPARE(stored.comPort(), 0);
        QCOMPARE(stored.usbDevice(), QStringLiteral("usb:Adapter/Cable/B2"));
        QCOMPARE(ui.messages.size(), 1);
        QCOMPARE(ui.messages[0].text, UnitTexts::restartNeeded());
    }

    // Each step lets the window paint and its timers run; the user's keys
    // meanwhile (Esc would run Close in the middle of a transfer) are dropped,
    // not kept for when the command has ended.
    void progressKeepsTheWindowAliveButDropsInput() {
        QDialog window;
        auto* bar = new QProgressBar(&window);
        (new QVBoxLayout(&window))->addWidget(bar);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        int rejected = 0;
        connect(&window, &QDialog::rejected, [&rejected] { ++rejected; });
        bool ticked = false;
        QTimer::singleShot(0, [&ticked] { ticked = true; });
        QCoreApplication::postEvent(
            &window, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
        QCoreApplication::postEvent(&window, new QCloseEvent);

        ProgressBarSink sink(bar);
        sink.setProgress(42);
        QCoreApplication::processEvents();

        QCOMPARE(bar->value(), 42);
        QVERIFY(ticked);
        QCOMPARE(rejected, 0);
        QVERIFY(window.isVisible());
        QTest::keyClick(&window, Qt::Key_Escape); // input works again afterwards
        QCOMPARE(rejected, 1);
    }
};

QTEST_MAIN(TestUnitWidgets)
#include "tst_unitwidgets.moc"
