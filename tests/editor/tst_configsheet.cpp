// The configuration sheet, its pages and editors, headless: refusals, the
// lists and their editors, Delete, the Record buttons, keyboard order and
// names, and whole runs of the sheet through the Configure command.
#include "TestSupport.h"
#include "config/ConfigSession.h"
#include "editor/EditInput.h"
#include "editor/EditOutput.h"
#include "editor/PropertyPages.h"
#include "editor/PropertySheet.h"
#include "seams/Commands.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QtEndian>
#include <functional>
#include <memory>

namespace {

class CountedButtons final : public CommandButtons {
public:
    int applied = 0;
    void apply(EnableState) override { ++applied; }
};

template <typename T> T* child(const QWidget* parent, const char* name) {
    T* found = parent->findChild<T*>(QLatin1String(name));
    if (!found)
        qFatal("no %s", name);
    return found;
}

QStringList rowTexts(const QTableWidget* list, int row) {
    QStringList texts;
    for (int column = 0; column < list->columnCount(); ++column)
        texts << (list->item(row, column) ? list->item(row, column)->text() : "<none>");
    return texts;
}

QString accessibleName(QObject* object) {
    return QAccessible::queryAccessibleInterface(object)->text(QAccessible::Name);
}

// Each editor a page opens is handed to `drive` and then ends with OK.
EditorRunner acceptingEditor(std::function<void(QDialog&)> drive, int* runs) {
    return [drive, runs](QDialog& editor) {
        ++*runs;
        drive(editor);
        editor.accept();
        return editor.result() == QDialog::Accepted;
    };
}

void writeWav(const QString& path, quint32 riffSize) {
    QByteArray head("RIFF\0\0\0\0WAVE", 12);
    qToLittleEndian(riffSize, head.data() + 4);
    writeFile(path, head);
}

// Key by key, as the keyboard sends them; QTest::keyClicks knows only Latin-1.
void typeInto(QLineEdit* edit, const QString& text) {
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void toggleAccessibly(QWidget* box) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(box);
    QVERIFY(accessible && accessible->actionInterface());
    accessible->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
}

} // namespace

class TestConfigSheet : public QObject {
    Q_OBJECT
private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        ui_ = ScriptedUserInteraction();
        recorded_.clear();
        services_ = std::make_unique<EditorServices>(
            EditorServices{ui_, dir_->path(), "Alarm",
                           [this](const VoiceRecorderRequest& r) { recorded_ << r; }, "CZ"});
    }

    void sheetAndFreshLists() {
        CMyPropertySheet sheet(*services_);
        sheet.setValues(ConfigValues());
        QCOMPARE(sheet.windowTitle(), QStringLiteral("Configuration"));
        auto* tabs = child<QTabWidget>(&sheet, "pagesTabWidget");
        QCOMPARE(tabs->count(), 3);
        QCOMPARE(tabs->currentIndex(), 0);
        QVERIFY(child<QPushButton>(&sheet, "applyButton")->isEnabled());
        QCOMPARE(child<QLineEdit>(&sheet, "pulseDurationEdit")->text(), QStringLiteral("1000"));

        const QTableWidget* inputs = sheet.m_page2->m_list;
        const QTableWidget* outputs = sheet.m_page3->m_list;
        QCOMPARE(inputs->rowCount(), 16);
        QCOMPARE(outputs->rowCount(), 16);
        for (int row = 0; row < 16; ++row) {
            const QString number = QString::number(row + 1);
            QCOMPARE(rowTexts(inputs, row), QStringList({number, "", "", "", ""}));
            QCOMPARE(rowTexts(outputs, row), QStringList({number, "Normal", "", ""}));
        }

        ConfigValues values;
        values.inputs[0].voiceOnHigh = values.inputs[0].voiceOnLow = true;
        values.inputs[1].voiceOnLow = true;
        values.inputs[2].voiceOnHigh = true;
        sheet.setValues(values);
        QCOMPARE(inputs->item(0, 4)->text(), QStringLiteral("H+L"));
        QCOMPARE(inputs->item(1, 4)->text(), QStringLiteral("L"));
        QCOMPARE(inputs->item(2, 4)->text(), QStringLiteral("H"));
    }

    // A refused value keeps its page current whether the user leaves it for
    // another page, presses Apply or presses OK.
    void parameterRefusals_data() {
        QTest::addColumn<QByteArray>("callers");
        QTest::addColumn<QByteArray>("clearCommand");
        QTest::addColumn<QString>("pulse");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QStringList>("named");
        QTest::newRow("callers too long") << QByteArray(157, '1') << QByteArray() << "1000"
                                          << "callersEdit" << QStringList{"callers", "156"};
        QTest::newRow("clear command too long")
            << QByteArray(156, '1') << QByteArray(156, 'C') << "1000"
            << "clearCommandEdit" << QStringList{"clear", "155"};
        QTest::newRow("pulse not a number") << QByteArray() << QByteArray() << "250ms"
                                            << "pulseDurationEdit" << QStringList{"number"};
        QTest::newRow("pulse too short") << QByteArray() << QByteArray() << "99"
                                         << "pulseDurationEdit" << QStringList{"100", "30000"};
        QTest::newRow("pulse too long") << QByteArray() << QByteArray() << "30001"
                                        << "pulseDurationEdit" << QStringList{"100", "30000"};
        QTest::newRow("bounds accepted")
            << QByteArray(156, '1') << QByteArray(155, 'C') << " 30000 "
            << "" << QStringList();
    }
    void parameterRefusals() {
        QFETCH(QByteArray, callers);
        QFETCH(QByteArray, clearCommand);
        QFETCH(QString, pulse);
        QFETCH(QString, field);
        QFETCH(QStringList, named);
        CMyPropertySheet sheet(*services_);
        ConfigValues values;
        values.callers = callers;
        values.clearCommand = clearCommand;
        sheet.setValues(values);
        child<QLineEdit>(&sheet, "pulseDurationEdit")->setText(pulse);
        sheet.show();
        QApplication::setActiveWindow(&sheet);
        QVERIFY(QTest::qWaitForWindowActive(&sheet));
        auto* tabs = child<QTabWidget>(&sheet, "pagesTabWidget");

        const std::function<void()> triggers[] = {
            [&] { tabs->setCurrentIndex(2); },
            [&] { child<QPushButton>(&sheet, "applyButton")->click(); },
            [&] { child<QPushButton>(&sheet, "okButton")->click(); }};
        for (const auto& trigger : triggers) {
            ui_.messages.clear();
            child<QLineEdit>(&sheet, "clearCommandEdit")->setFocus();
            trigger();
            if (field.isEmpty()) {
                QVERIFY(ui_.messages.isEmpty());
                QCOMPARE(sheet.values().pulseDuration, 30000);
                QCOMPARE(sheet.values().callers, callers);
                tabs->setCurrentIndex(0);
                continue;
            }
            QCOMPARE(ui_.messages.size(), 1);
            QCOMPARE(ui_.messages[0].icon, MessageIcon::Warning);
            for (const QString& word : named)
                QVERIFY2(ui_.messages[0].text.contains(word), qPrintable(ui_.messages[0].text));
            QCOMPARE(QApplication::focusWidget()->objectName(), field);
            QCOMPARE(tabs->currentIndex(), 0);
            QVERIFY(sheet.isVisible());
        }
    }

    // Typing stops at the limit; a longer text put in from a file is shown in
    // full and can only shrink.
    void typingLimits() {
        CMyPropertySheet sheet(*services_);
        ConfigValues values;
        values.callers = QByteArray(158, '1');
        sheet.setValues(values);
        CEditInput input(*services_);
        CEditOutput output;
        const struct {
            QLineEdit* edit;
            int limit;
        } fields[] = {{child<QLineEdit>(&sheet, "clearCommandEdit"), 155},
                      {child<QLineEdit>(&input, "phoneNumbersEdit"), 156},
                      {child<QLineEdit>(&input, "lowTextEdit"), 156},
                      {child<QLineEdit>(&output, "highTextEdit"), 255}};
        for (const auto& field : fields) {
            QTest::keyClicks(field.edit, QString(field.limit + 3, 'x'));
            QCOMPARE(field.edit->text().size(), field.limit);
        }
        auto* callers = child<QLineEdit>(&sheet, "callersEdit");
        QCOMPARE(callers->text().size(), 158);
        QTest::keyClicks(callers, "9");
        QCOMPARE(callers->text().size(), 158);
        QTest::keyClick(callers, Qt::Key_Backspace);
        QCOMPARE(callers->text().size(), 157);
    }

    // Under each SMS text its count against the field's limit and the SMS the
    // unit's bytes take, under each phone list what is wrong with which
    // number; read with the field too.
    void notesFollowTheTyping_data() {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("note");
        QTest::newRow("81 braces") << "input"
                                   << "highTextEdit" << QString(81, '{') << "81/156, 2 SMS";
        QTest::newRow("Ž is UCS-2") << "input"
                                    << "lowTextEdit"
                                    << "Žár"
                                    << "UCS-2 (Ž): 3/156, 1 SMS";
        QTest::newRow("national") << "input"
                                  << "phoneNumbersEdit"
                                  << "+420601234567,602345678"
                                  << "602345678 is not in international form (+420602345678)";
        QTest::newRow("duplicate and invalid")
            << "parameters"
            << "callersEdit"
            << "+420601234567,+4212,00420601234567"
            << "+4212 is not a valid phone number (region CZ)\n"
               "00420601234567 is in the list twice (+420601234567)";
        QTest::newRow("good list") << "parameters"
                                   << "callersEdit"
                                   << "+420601234567"
                                   << "";
        QTest::newRow("clear command") << "parameters"
                                       << "clearCommandEdit"
                                       << "CLEAR"
                                       << "5/155, 1 SMS";
        QTest::newRow("euro") << "output"
                              << "highTextEdit"
                              << "€"
                              << "1/255, 1 SMS";
        // ř is not in code page 1252: the unit gets '?', which is GSM.
        QTest::newRow("outside the code page") << "output"
                                               << "lowTextEdit"
                                               << "ř"
                                               << "1/255, 1 SMS";
    }
    void notesFollowTheTyping() {
        QFETCH(QString, dialog);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, note);
        CMyPropertySheet sheet(*services_);
        CEditInput input(*services_);
        CEditOutput output;
        QWidget* shown = dialog == "input"    ? static_cast<QWidget*>(&input)
                         : dialog == "output" ? static_cast<QWidget*>(&output)
                                              : sheet.m_page1;
        shown->window()->show();
        QVERIFY(QTest::qWaitForWindowExposed(shown->window()));
        auto* edit = child<QLineEdit>(shown, qPrintable(field));
        typeInto(edit, typed);
        QCOMPARE(edit->text(), typed);
        const QList<QLabel*> labels =
            shown->findChildren<QLabel*>(QRegularExpression("^" + field + "(Count|Note)$"));
        QCOMPARE(labels.size(), 1);
        QLabel* label = labels.first();
        QCOMPARE(label->text(), note);
        QCOMPARE(label->isVisible(), !note.isEmpty());
        QCOMPARE(edit->accessibleDescription(), note);
        if (!note.isEmpty())
            QCOMPARE(accessibleName(label), note);
    }

    // Three faulty numbers fill the note under a phone field: it wraps within
    // the dialog, the dialog keeps its size on the 1280 x 1024 screen, and
    // the field below stays where the user aims at it, key by key.
    void notesKeepTheFormInPlace_data() {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("below");
        QTest::newRow("sheet") << "parameters"
                               << "callersEdit"
                               << "pulseDurationEdit";
        QTest::newRow("input editor") << "input"
                                      << "phoneNumbersEdit"
                                      << "highTextEdit";
    }
    void notesKeepTheFormInPlace() {
        QFETCH(QString, dialog);
        QFETCH(QString, field);
        QFETCH(QString, below);
        CMyPropertySheet sheet(*services_);
        sheet.setValues(ConfigValues());
        CEditInput input(*services_);
        input.OnInitDialog();
        QWidget* window = dialog == "input" ? static_cast<QWidget*>(&input) : &sheet;
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QRect screen = window->screen()->availableGeometry();
        QVERIFY2(screen.width() <= 1280, "run at 1280 x 1024");
        auto* edit = child<QLineEdit>(window, qPrintable(field));
        auto* next = child<QLineEdit>(window, qPrintable(below));
        auto* note = child<QLabel>(window, qPrintable(field + "Note"));
        const QSize size = window->size();
        const QPoint place = next->mapTo(window, QPoint());
        for (const QChar c : QStringLiteral("+420 602 345 678,602345678,+4212")) {
            typeInto(edit, QString(c));
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
            QCOMPARE(next->mapTo(window, QPoint()), place);
            QCOMPARE(window->size(), size);
        }
        QCOMPARE(note->text().count('\n'), 3); // four findings
        QVERIFY(note->isVisible() && note->wordWrap());
        QVERIFY(note->mapTo(window, QPoint(note->width(), 0)).x() <= window->width());
        QVERIFY(window->frameGeometry().width() <= screen.width());
    }

    // A counter counts against the limit its field really stops at.
    void countersShowTheFieldsLimit_data() {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("id");
        QTest::newRow("clear command") << "parameters"
                                       << "clearCommandEdit" << int(FieldId::ClearCommand);
        QTest::newRow("input high") << "input"
                                    << "highTextEdit" << int(FieldId::InputHighText);
        QTest::newRow("input low") << "input"
                                   << "lowTextEdit" << int(FieldId::InputLowText);
        QTest::newRow("output high") << "output"
                                     << "highTextEdit" << int(FieldId::OutputHighText);
        QTest::newRow("output low") << "output"
                                    << "lowTextEdit" << int(FieldId::OutputLowText);
    }
    void countersShowTheFieldsLimit() {
        QFETCH(QString, dialog);
        QFETCH(QString, field);
        QFETCH(int, id);
        CMyPropertySheet sheet(*services_);
        CEditInput input(*services_);
        CEditOutput output;
        QWidget* shown = dialog == "input"    ? static_cast<QWidget*>(&input)
                         : dialog == "output" ? static_cast<QWidget*>(&output)
                                              : sheet.m_page1;
        auto* edit = child<QLineEdit>(shown, qPrintable(field));
        edit->setFocus();
        typeInto(edit, QString(400, 'a'));
        const int limit = configField(FieldId(id)).editorLimit;
        QCOMPARE(edit->text().size(), limit);
        QVERIFY2(child<QLabel>(shown, qPrintable(field + "Count"))
                     ->text()
                     .startsWith(QStringLiteral("%1/%1, ").arg(limit)),
                 qPrintable(child<QLabel>(shown, qPrintable(field + "Count"))->text()));
    }

    void doubleClickOpensTheRowsEditor() {
        CMyPropertySheet sheet(*services_);
        ConfigValues values;
        values.inputs[4] = {"555", "high", "low", false, true};
        sheet.setValues(values);
        sheet.resize(900, 1400); // room below the last row
        sheet.show();
        QVERIFY(QTest::qWaitForWindowExposed(&sheet));
        child<QTabWidget>(&sheet, "pagesTabWidget")->setCurrentIndex(1);
        QTableWidget* list = sheet.m_page2->m_list;

        int runs = 0;
        sheet.m_page2->setEditorRunner(acceptingEditor(
            [](QDialog& editor) {
                QCOMPARE(child<QLineEdit>(&editor, "phoneNumbersEdit")->text(), "555");
                QCOMPARE(child<QLineEdit>(&editor, "highTextEdit")->text(), "high");
                QCOMPARE(child<QLineEdit>(&editor, "lowTextEdit")->text(), "low");
                QVERIFY(!child<QCheckBox>(&editor, "voiceOnHighCheckBox")->isChecked());
                QVERIFY(!child<QPushButton>(&editor, "recordHighButton")->isEnabled());
                QVERIFY(child<QCheckBox>(&editor, "voiceOnLowCheckBox")->isChecked());
                QVERIFY(child<QPushButton>(&editor, "recordLowButton")->isEnabled());
                child<QLineEdit>(&editor, "phoneNumbersEdit")->setText("777,888");
            },
            &runs));
        // A click first, as a user's double-click starts with one.
        const QRect lastRow = list->visualRect(list->model()->index(15, 0));
        const QPoint empty(20, lastRow.bottom() + 40);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, empty);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, empty);
        QCOMPARE(runs, 0);

        const QRect row = list->visualRect(list->model()->index(4, 2));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row.center());
        QCOMPARE(runs, 1);
        QCOMPARE(sheet.values().inputs[4], (InputEntry{"777,888", "high", "low", false, true}));
        QCOMPARE(rowTexts(list, 4), QStringList({"5", "777,888", "high", "low", "L"}));
        QVERIFY(list->selectedItems().isEmpty());

        // Enter opens the current row too, so the list works without a mouse.
        int entered = 0;
        sheet.m_page2->setEditorRunner([&entered](QDialog&) {
            ++entered;
            return false;
        });
        list->setCurrentCell(4, 0);
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(entered, 1);

        // Cancel in the editor changes nothing.
        sheet.m_page2->setEditorRunner([](QDialog&) { return false; });
        sheet.m_page2->OnDblclkList(4);
        QCOMPARE(sheet.values().inputs[4].phoneNumbers, QByteArray("777,888"));
    }

    void deleteAsksFirst() {
        CMyPropertySheet sheet(*services_);
        ConfigValues values;
        values.inputs[2] = {"333", "h", "l", true, true};
        values.outputs[6] = {true, "on", "off"};
        sheet.setValues(values);
        sheet.show();
        QVERIFY(QTest::qWaitForWindowExposed(&sheet));
        QTableWidget* inputs = sheet.m_page2->m_list;
        QTableWidget* outputs = sheet.m_page3->m_list;

        QTest::keyClick(inputs, Qt::Key_Delete); // nothing selected since the fill
        QVERIFY(ui_.messages.isEmpty());

        inputs->selectRow(2);
        ui_.nextAnswers << Answer::No;
        QTest::keyClick(inputs, Qt::Key_Delete);
        const MessageRequest question{"Are you sure you want to delete the selected item ?",
                                      "Quillary", MessageButtons::YesNo, MessageIcon::Question,
                                      Answer::No};
        QCOMPARE(ui_.messages, QList<MessageRequest>{question});
        QCOMPARE(sheet.values().inputs[2].phoneNumbers, QByteArray("333"));

        ui_.nextAnswers << Answer::Yes;
        QTest::keyClick(inputs, Qt::Key_Delete);
        QCOMPARE(sheet.values().inputs[2], InputEntry());
        QCOMPARE(rowTexts(inputs, 2), QStringList({"3", "", "", "", ""}));

        outputs->selectRow(6);
        ui_.nextAnswers << Answer::Yes;
        QTest::keyClick(outputs, Qt::Key_Delete);
        QCOMPARE(sheet.values().outputs[6], OutputEntry());
        QCOMPARE(rowTexts(outputs, 6), QStringList({"7", "Normal", "", ""}));
        QCOMPARE(ui_.messages.size(), 3);
    }

    void recordButtonsFollowTheBoxes() {
        writeWav(dir_->filePath("Alarm_H01.WAV"), 236); // 200 bytes of sound
        writeWav(dir_->filePath("alarm_l12.wav"), 1036);
        CEditInput editor(*services_);
        editor.m_input = 11;
        editor.m_lowText = "T\xfcr offen"; // code page 1252
        editor.OnInitDialog();
        auto* highBox = child<QCheckBox>(&editor, "voiceOnHighCheckBox");
        auto* lowBox = child<QCheckBox>(&editor, "voiceOnLowCheckBox");
        auto* recordHigh = child<QPushButton>(&editor, "recordHighButton");
        auto* recordLow = child<QPushButton>(&editor, "recordLowButton");
        QVERIFY(!recordHigh->isEnabled() && !recordLow->isEnabled());
        highBox->click();
        QVERIFY(recordHigh->isEnabled() && !recordLow->isEnabled());
        toggleAccessibly(lowBox); // as an assistive tool does: the same as a click
        highBox->click();
        QVERIFY(!recordHigh->isEnabled() && recordLow->isEnabled());

        recordLow->click();
        // Speak says the text as it stands in the editor.
        const VoiceRecorderRequest low{540672, 1200, "Voicemessage for low on input 12",
                                       "Alarm_L12.WAV", QStringLiteral("Tür offen")};
        QCOMPARE(recorded_, QList<VoiceRecorderRequest>{low});
        editor.OnRecordHigh();
        QCOMPARE(recorded_.last().status, QStringLiteral("Voicemessage for high on input 12"));
        QCOMPARE(recorded_.last().fileName, QStringLiteral("Alarm_H12.WAV"));
        QCOMPARE(recorded_.last().speechText, QString());

        // A refused text undoes the click: the boxes go back to the members.
        editor.m_highText = QByteArray(157, 'x');
        editor.putValues();
        toggleAccessibly(highBox);
        QCOMPARE(ui_.messages.size(), 1);
        QVERIFY(ui_.messages[0].text.contains("156"));
        QVERIFY(!highBox->isChecked() && !recordHigh->isEnabled());

        // Without a configuration file there is nowhere to keep a recording.
        services_->configFolder.clear();
        recorded_.clear();
        recordLow->click();
        QVERIFY(recorded_.isEmpty());
        QCOMPARE(ui_.messages.size(), 2);
    }

    void pulsedOutputHidesItsLowText() {
        CMyPropertySheet sheet(*services_);
        ConfigValues values;
        values.outputs[2] = {true, "hi", "stored low"};
        values.outputs[3] = {false, "on", "off"};
        sheet.setValues(values);
        CMyPropertyPage3* page = sheet.m_page3;
        QCOMPARE(rowTexts(page->m_list, 2), QStringList({"3", "Pulse", "hi", ""}));

        int runs = 0;
        page->setEditorRunner(acceptingEditor(
            [](QDialog& editor) {
                auto* low = child<QLineEdit>(&editor, "lowTextEdit");
                auto* pulse = child<QCheckBox>(&editor, "pulseCheckBox");
                QVERIFY(pulse->isChecked());
                QVERIFY(low->text().isEmpty() && !low->isEnabled());
                QVERIFY(!child<QLabel>(&editor, "lowTextEditCount")->isEnabled());
                pulse->click();
                QVERIFY(low->isEnabled());
                toggleAccessibly(pulse);
                QVERIFY(!low->isEnabled());
            },
            &runs));
        page->OnDblclkList(2);
        QCOMPARE(runs, 1);
        QCOMPARE(sheet.values().outputs[2], (OutputEntry{true, "hi", ""}));

        // Ticking Pulse keeps the low text in the entry; the list hides it.
        page->setEditorRunner(acceptingEditor(
            [](QDialog& editor) { child<QCheckBox>(&editor, "pulseCheckBox")->click(); }, &runs));
        page->OnDblclkList(3);
        QCOMPARE(sheet.values().outputs[3], (OutputEntry{true, "on", "off"}));
        QCOMPARE(page->m_list->item(3, 3)->text(), QString());
    }

    void keyboardOrderAndNames() {
        CMyPropertySheet sheet(*services_);
        CEditInput input(*services_);
        CEditOutput output;
        const struct {
            QWidget* dialog;
            QStringList chain;
        } orders[] = {
            {sheet.m_page1, {"clearCommandEdit", "callersEdit", "pulseDurationEdit"}},
            {&input,
             {"okButton", "cancelButton", "phoneNumbersEdit", "highTextEdit", "lowTextEdit",
              "voiceOnHighCheckBox", "voiceOnLowCheckBox", "recordHighButton", "recordLowButton"}},
            {&output,
             {"highTextEdit", "okButton", "cancelButton", "lowTextEdit", "pulseCheckBox"}}};
        for (const auto& order : orders) {
            QWidget* widget = order.dialog->findChild<QWidget*>(order.chain.first());
            for (const QString& next : order.chain.mid(1)) {
                widget = widget->nextInFocusChain();
                while (widget->focusPolicy() == Qt::NoFocus)
                    widget = widget->nextInFocusChain();
                QCOMPARE(widget->objectName(), next);
            }
        }

        QCOMPARE(accessibleName(child<QLineEdit>(&sheet, "pulseDurationEdit")),
                 QStringLiteral("Duration of pulse on pulsed outputs (in mSec):"));
        QCOMPARE(accessibleName(child<QLineEdit>(&input, "lowTextEdit")),
                 QStringLiteral("Low text:"));
        QCOMPARE(accessibleName(child<QCheckBox>(&input, "voiceOnLowCheckBox")),
                 QStringLiteral("Voice on Low: Active"));
        QCOMPARE(accessibleName(child<QCheckBox>(&output, "pulseCheckBox")),
                 QStringLiteral("Output type: Pulse"));
        QCOMPARE(accessibleName(sheet.m_page3->m_list), QStringLiteral("Outputs"));
        ConfigValues values;
        values.outputs[1].highText = "Door open";
        sheet.setValues(values);
        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(sheet.m_page3->m_list);
        QCOMPARE(table->tableInterface()->cellAt(1, 2)->text(QAccessible::Name),
                 QStringLiteral("Door open"));
    }

    // Whole runs of the real sheet through the Configure command.
    void applyThenCancelKeepsTheRegisters() {
        ConfigSession session(dir_->path());
        session.store().setText(1, "111.");
        session.store().setText(81, "+44");
        CountedButtons buttons;
        WidgetConfigSheet sheet(*services_, nullptr);
        runSheet([](CMyPropertySheet& shown) {
            child<QLineEdit>(&shown, "callersEdit")->setText("+1");
            child<QPushButton>(&shown, "applyButton")->click();
            QVERIFY(shown.isVisible());
            shown.reject();
        });
        ConfigureCommand(session, ui_, buttons, sheet).run();
        RegisterStore expected;
        expected.setText(1, "111");
        expected.setText(81, "+44");
        QVERIFY(session.store() == expected);
        QVERIFY(ui_.fileDialogs.isEmpty());
        QCOMPARE(buttons.applied, 0);
    }

    // Every byte 1-255 survives the lists, the editors and the fields.
    void everyByteThroughTheSheet() {
        ConfigSession session(dir_->path());
        RegisterStore& store = session.store();
        for (int reg = 1; reg <= 87; ++reg) {
            QByteArray text;
            for (int i = 0; i < 150; ++i)
                text += char(1 + (i + reg * 29) % 255);
            store.setText(reg, text.endsWith('.') ? text.chopped(1) : text);
        }
        store.setText(83, "POPOPOPOOOOOPPPP");
        store.setText(84, "1111000011110000");
        store.setText(85, "1010101010101010");
        store.setText(87, "2500");
        // A pulsed output's low text is dropped by its editor; keep it empty.
        for (int n = 1; n <= 16; ++n) {
            if (store.character(83, n) == 'P')
                store.setText(64 + n, "");
        }
        const RegisterStore before = store;
        CountedButtons buttons;
        WidgetConfigSheet sheet(*services_, nullptr);
        runSheet([](CMyPropertySheet& shown) {
            int runs = 0;
            const auto accept = acceptingEditor([](QDialog&) {}, &runs);
            shown.m_page2->setEditorRunner(accept);
            shown.m_page3->setEditorRunner(accept);
            auto* tabs = child<QTabWidget>(&shown, "pagesTabWidget");
            for (int page : {1, 2, 0}) {
                tabs->setCurrentIndex(page);
                for (int row = 0; row < 16; ++row) {
                    shown.m_page2->OnDblclkList(row);
                    shown.m_page3->OnDblclkList(row);
                }
            }
            QCOMPARE(runs, 3 * 32);
            child<QPushButton>(&shown, "okButton")->click();
        });
        ConfigureCommand(session, ui_, buttons, sheet).run();
        QVERIFY(ui_.messages.isEmpty());
        QVERIFY(store == before);
        QCOMPARE(buttons.applied, 1);
    }

private:
    // Drives the sheet that the next modal run shows; a guard ends it if the
    // driver fails half way.
    void runSheet(std::function<void(CMyPropertySheet&)> drive) {
        QTimer::singleShot(0, this, [drive] {
            auto* shown = qobject_cast<CMyPropertySheet*>(QApplication::activeModalWidget());
            QVERIFY(shown);
            drive(*shown);
        });
        QTimer::singleShot(10000, this, [] {
            if (QWidget* modal = QApplication::activeModalWidget())
                static_cast<QDialog*>(modal)->reject();
        });
    }

    std::unique_ptr<QTemporaryDir> dir_;
    ScriptedUserInteraction ui_;
    QList<VoiceRecorderRequest> recorded_;
    std::unique_ptr<EditorServices> services_;
};

QTEST_MAIN(TestConfigSheet)
#include "tst_configsheet.moc"
