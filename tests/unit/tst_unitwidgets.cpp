// The Setup dialog with the profile, and the window while a unit command
// runs.
#include "TestSupport.h"
#include "config/Profile.h"
#include "seams/OffUiThread.h"
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
#include <QThread>
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

    // A unit command runs on a thread of its own: while its link waits, the
    // window's timers run; the user's keys (Esc would run Close in the middle
    // of a transfer) and a close request are dropped, not kept for later; what
    // the command asks of the user, the bar and the buttons is done on the
    // window's thread, in order.
    void unitWorkKeepsTheWindowAliveButDropsInput() {
        QDialog window;
        auto* bar = new QProgressBar(&window);
        (new QVBoxLayout(&window))->addWidget(bar);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        int rejected = 0;
        connect(&window, &QDialog::rejected, [&rejected] { ++rejected; });
        int ticks = 0;
        QTimer timer;
        connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
        timer.start(5);

        ScriptedUserInteraction ui;
        ui.nextAnswers = {Answer::Yes};
        QStringList seen; // what reached the window's thread, in order
        ui.onMessage = [&](const MessageRequest& request) {
            if (QThread::currentThread() == window.thread())
                seen << request.text << QString::number(bar->value());
        };
        RecordingCommandButtons buttons;
        ProgressBarSink sink(bar);
        bool offThread = false;
        bool answered = false;
        // Made here: a key event made on another thread makes Qt's keyboard there.
        auto* escape = new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        auto* close = new QCloseEvent;
        runOffUiThread({ui, sink, buttons}, [&](const CommandSeams& seams) {
            offThread = QThread::currentThread() != window.thread();
            seams.buttons.apply(EnableState::AllDisabled);
            seams.progress.setProgress(10);
            QCoreApplication::postEvent(&window, escape);
            QCoreApplication::postEvent(&window, close);
            QThread::msleep(200); // the link waiting for the unit
            answered = seams.ui.askYesNo(QStringLiteral("Go on?"));
            seams.progress.setProgress(42);
            seams.buttons.apply(EnableState::AllEnabled);
        });

        QVERIFY(offThread);
        QVERIFY2(ticks >= 10, qPrintable(QString::number(ticks))); // stalled: at most one
        QVERIFY(answered);
        QCOMPARE(seen, QStringList({"Go on?", "10"}));
        QCOMPARE(bar->value(), 42);
        QCOMPARE(buttons.states, QList({EnableState::AllDisabled, EnableState::AllEnabled}));
        QCOMPARE(rejected, 0);
        QVERIFY(window.isVisible());
        QTest::keyClick(&window, Qt::Key_Escape); // input works again afterwards
        QCOMPARE(rejected, 1);
    }
};

QTEST_MAIN(TestUnitWidgets)
#include "tst_unitwidgets.moc"
