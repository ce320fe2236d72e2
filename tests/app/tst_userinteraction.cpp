// The real dialogs behind the user-interaction seam: what a message box shows
// and answers, and the file dialog adding ".QRB" to a bare name.
#include "app/WidgetUserInteraction.h"
#include "config/ConfigCommands.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// Runs `act` on the modal widget once it is up; closes it if `act` did not,
// so a failing check never leaves the test hanging.
template <typename Widget, typename Act> void whenModal(Act act) {
    QTimer::singleShot(50, [act] {
        auto* widget = qobject_cast<Widget*>(QApplication::activeModalWidget());
        if (widget)
            act(widget);
        if (QWidget* still = QApplication::activeModalWidget())
            still->close();
    });
}

} // namespace

class TestUserInteraction : public QObject {
    Q_OBJECT
private slots:
    void errorBoxHasOkAndNoIcon() {
        WidgetUserInteraction ui;
        QString text, caption;
        QMessageBox::Icon icon = QMessageBox::Warning;
        int buttons = 0;
        whenModal<QMessageBox>([&](QMessageBox* box) {
            text = box->text();
            caption = box->windowTitle();
            icon = box->icon();
            buttons = box->buttons().size();
            box->button(QMessageBox::Ok)->click();
        });
        ui.tell(QStringLiteral("Error communicating with unit !"));
        QCOMPARE(text, QStringLiteral("Error communicating with unit !"));
        QCOMPARE(caption, QStringLiteral("Quillary"));
        QCOMPARE(icon, QMessageBox::NoIcon);
        QCOMPARE(buttons, 1);
    }

    void questionDefaultsToNo() {
        WidgetUserInteraction ui;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        bool noIsDefault = false;
        whenModal<QMessageBox>([&](QMessageBox* box) {
            icon = box->icon();
            noIsDefault = box->defaultButton() == box->button(QMessageBox::No);
            box->button(QMessageBox::Yes)->click();
        });
        QVERIFY(ui.askYesNo(
            QStringLiteral("Do you also want to upload the voicemessages to the unit ?")));
        QCOMPARE(icon, QMessageBox::Question);
        QVERIFY(noIsDefault);

        whenModal<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::No)->click(); });
        QVERIFY(!ui.askYesNo(QStringLiteral("Sure ?")));
    }

    void saveDialogAddsTheExtension() {
        QTemporaryDir dir;
        WidgetUserInteraction ui;
        FileDialogRequest request = configFileDialog(FileDialogKind::Save);
        request.folder = dir.path();
        QStringList filters;
        whenModal<QFileDialog>([&](QFileDialog* dialog) {
            filters = dialog->nameFilters();
            dialog->findChild<QLineEdit*>("fileNameEdit")->setText("site");
            QMetaObject::invokeMethod(dialog, "accept");
        });
        const QString chosen = ui.chooseFile(request);
        QCOMPARE(chosen, dir.filePath("site.QRB"));
        QCOMPARE(filters, QStringList({"Configuration files (*.QRB)"}));
    }

    void cancelledFileDialogGivesNothing() {
        WidgetUserInteraction ui;
        whenModal<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
        QVERIFY(ui.chooseFile(configFileDialog(FileDialogKind::Open)).isEmpty());
    }
};

QTEST_MAIN(TestUserInteraction)
#include "tst_userinteraction.moc"
