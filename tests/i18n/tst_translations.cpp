// The program's languages: which one is chosen, whether every text has a
// finished translation whose placeholders match, and whether the windows
// show every text whole in each language.
#include "FakeAudioDevice.h"
#include "TestSupport.h"
#include "app/QuillaryApp.h"
#include "app/QuillaryDlg.h"
#include "editor/EditInput.h"
#include "editor/EditOutput.h"
#include "editor/PropertySheet.h"
#include "mail/MailSettingsDlg.h"
#include "mail/SendConfig.h"
#include "seams/Translations.h"
#include "unit/CSetupDlg.h"
#include "voice/VoiceNewDlg.h"
#include "voice/WaveFile.h"
#include "voice/WaveformView.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDomDocument>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

#include <algorithm>
#include <functional>
#include <memory>

namespace {

const QStringList Translated = {QStringLiteral("cs"), QStringLiteral("de")};

QString tsPath(const QString& language) {
    return QStringLiteral(QUILLARY_SOURCE_DIR "/translations/quillary_%1.ts").arg(language);
}

// The placeholders a text fills in, sorted: %1..%99 and %n.
QStringList placeholders(const QString& text) {
    static const QRegularExpression marker(QStringLiteral("%(\\d{1,2}|n)"));
    QStringList found;
    for (auto match = marker.globalMatch(text); match.hasNext();)
        found << match.next().captured();
    found.sort();
    return found;
}

// A widget's text cut short: what it shows needs more room than it has.
QString clipped(QWidget* widget) {
    if (!widget->isVisibleTo(widget->window()))
        return {};
    if (auto* box = qobject_cast<QGroupBox*>(widget)) {
        if (box->minimumSizeHint().width() > box->width())
            return box->title();
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        const QSize needed = button->sizeHint();
        if (!button->text().isEmpty() &&
            (needed.width() > button->width() || needed.height() > button->height()))
            return button->text();
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        // A label of several lines must be tall enough for all of them too.
        const QSize room = label->contentsRect().size() + QSize(2, 2) * label->margin();
        if (label->wordWrap() || label->text().isEmpty())
            return {};
        const QSize needed = label->sizeHint();
        if (needed.width() > room.width() || needed.height() > room.height())
            return label->text();
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        // A placeholder is drawn inside the frame and the margins that the
        // field's hint adds to 17 "x" widths, and beside the cursor.
        const QFontMetrics metrics = edit->fontMetrics();
        const int chrome =
            edit->sizeHint().width() - 17 * metrics.horizontalAdvance(QLatin1Char('x'));
        if (edit->text().isEmpty() && !edit->placeholderText().isEmpty() &&
            metrics.horizontalAdvance(edit->placeholderText()) + chrome + 8 > edit->width())
            return edit->placeholderText();
    } else if (auto* table = qobject_cast<QTableView*>(widget)) {
        // Headings and values whole, as far as the table has room for them.
        const QHeaderView* header = table->horizontalHeader();
        const QAbstractItemView* view = table;
        int needed = 0;
        for (int column = 0; column < header->count(); ++column)
            needed += std::max(header->sectionSizeHint(column), view->sizeHintForColumn(column));
        if (needed > table->viewport()->width())
            return {};
        for (int column = 0; column < header->count(); ++column) {
            if (header->sectionSizeHint(column) > header->sectionSize(column))
                return table->model()->headerData(column, Qt::Horizontal).toString();
            if (view->sizeHintForColumn(column) > table->columnWidth(column))
                return table->model()->index(0, column).data().toString() + QStringLiteral("...");
        }
    } else if (auto* wave = qobject_cast<CWaveformView*>(widget)) {
        // The length and level are written beside the outline, not over it.
        if (wave->textArea().intersects(wave->waveArea()) ||
            wave->fontMetrics().horizontalAdvance(wave->summaryText()) > wave->textArea().width())
            return wave->summaryText();
    } else if (auto* tabs = qobject_cast<QTabBar*>(widget)) {
        for (int i = 0; i < tabs->count(); ++i) {
            if (tabs->tabRect(i).width() < tabs->fontMetrics().horizontalAdvance(tabs->tabText(i)))
                return tabs->tabText(i);
        }
    }
    return {};
}

QStringList clippedTexts(QWidget& window) {
    QStringList texts;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (const QString text = clipped(widget); !text.isEmpty())
            texts << QStringLiteral("%1 \"%2\"").arg(widget->objectName(), text);
    }
    return texts;
}

// What a dialog needs to be opened as the user opens it.
struct DialogRig {
    QTemporaryDir dir;
    ScriptedUserInteraction ui;
    Profile profile{dir.filePath(QStringLiteral("quillary.ini"))};
    FakeAudioDevice audio;
    CurrentConfig current{
        dir.filePath(QStringLiteral("Plant.QRB")), QStringLiteral("Plant"), {}, {}};
    EditorServices editor{ui, dir.path(), QStringLiteral("Plant"), {}, QStringLiteral("CZ")};
};

using DialogMaker = std::function<std::unique_ptr<QDialog>(DialogRig&)>;

const QList<std::pair<const char*, DialogMaker>>& dialogs() {
    static const QList<std::pair<const char*, DialogMaker>> all{
        {"setup", [](DialogRig&) { return std::make_unique<CSetupDlg>(); }},
        {"configuration sheet",
         [](DialogRig& rig) {
             auto sheet = std::make_unique<CMyPropertySheet>(rig.editor);
             // Values as a small plant has them, for the lists' columns.
             ConfigValues values;
             values.inputs[0] = {"+420601234567,+420602345678", "Door open", "Door closed", true,
                                 false};
             values.outputs[0].pulse = true;
             values.outputs[0].highText = "Gate";
             sheet->setValues(values);
             return sheet;
         }},
        {"input editor",
         [](DialogRig& rig) {
             auto editor = std::make_unique<CEditInput>(rig.editor);
             editor->OnInitDialog();
             return editor;
         }},
        {"output editor",
         [](DialogRig&) {
             auto editor = std::make_unique<CEditOutput>();
             editor->OnInitDialog();
             return editor;
         }},
        {"voice recorder",
         [](DialogRig& rig) {
             auto recorder = std::make_unique<CVoiceNewDlg>(
                 rig.audio, rig.ui, rig.profile, rig.dir.path(), rig.current.g_configTitle);
             recorder->m_filename = QStringLiteral("Plant_H01.WAV");
             recorder->m_status = QStringLiteral("Voicemessage for high on input 1");
             recorder->m_capacity = WaveFile::UnitMemoryCapacity;
             return recorder;
         }},
        {"send configuration",
         [](DialogRig& rig) {
             return std::make_unique<CSendConfig>(rig.current, rig.ui, rig.profile);
         }},
        {"mail settings",
         [](DialogRig& rig) { return std::make_unique<CMailSettingsDlg>(rig.profile, rig.ui); }},
    };
    return all;
}

} // namespace

class TestTranslations : public QObject {
    Q_OBJECT
private slots:
    void chooseLanguage_data() {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<QString>("languageVariable");
        QTest::addColumn<QStringList>("locale");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("desktop") << ""
                                 << "" << QStringList{"de-AT", "de"} << "de";
        QTest::newRow("desktop without one of ours") << ""
                                                     << "" << QStringList{"fr-FR", "fr"} << "en";
        QTest::newRow("LANGUAGE over the desktop") << ""
                                                   << "cs_CZ.UTF-8:de" << QStringList{"de"} << "cs";
        QTest::newRow("LANGUAGE's first one we have") << ""
                                                      << "fr:de" << QStringList{"cs"} << "de";
        QTest::newRow("the setting over all") << "en"
                                              << "cs" << QStringList{"de"} << "en";
        QTest::newRow("a setting we cannot speak") << "xx"
                                                   << "" << QStringList{"cs-CZ"} << "cs";
    }
    void chooseLanguage() {
        QFETCH(QString, setting);
        QFETCH(QString, languageVariable);
        QFETCH(QStringList, locale);
        QFETCH(QString, chosen);
        QCOMPARE(Translations::choose(setting, languageVariable, locale), chosen);
    }

    // lupdate run over today's sources into a copy of each translation finds
    // nothing unfinished, and every translation fills in what its source does.
    void everyTextTranslated_data() {
        QTest::addColumn<QString>("language");
        for (const QString& language : Translated)
            QTest::newRow(qPrintable(language)) << language;
    }
    void everyTextTranslated() {
        QFETCH(QString, language);
        QTemporaryDir dir;
        const QString copy = dir.filePath(QStringLiteral("copy.ts"));
        QVERIFY(QFile::copy(tsPath(language), copy));
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
        QProcess lupdate;
        lupdate.start(QStringLiteral(QUILLARY_LUPDATE),
                      {QStringLiteral(QUILLARY_SOURCE_DIR "/src"), QStringLiteral("-no-obsolete"),
                       QStringLiteral("-locations"), QStringLiteral("none"),
                       QStringLiteral("-silent"), QStringLiteral("-ts"), copy});
        QVERIFY(lupdate.waitForFinished(60000));
        QCOMPARE(lupdate.exitCode(), 0);

        QFile file(copy);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QDomDocument document;
        QVERIFY(document.setContent(&file));
        QStringList problems;
        const QDomNodeList messages = document.elementsByTagName(QStringLiteral("message"));
        QVERIFY(messages.size() > 100);
        for (int i = 0; i < messages.size(); ++i) {
            const QDomElement message = messages.at(i).toElement();
            const QString source = message.firstChildElement(QStringLiteral("source")).text();
            const QDomElement translation =
                message.firstChildElement(QStringLiteral("translation"));
            if (translation.hasAttribute(QStringLiteral("type"))) {
                problems << QStringLiteral("unfinished: ") + source;
                continue;
            }
            QStringList forms;
            if (message.attribute(QStringLiteral("numerus")) == QLatin1String("yes")) {
                const QDomNodeList numerus =
                    translation.elementsByTagName(QStringLiteral("numerusform"));
                for (int f = 0; f < numerus.size(); ++f)
                    forms << numerus.at(f).toElement().text();
            } else {
                forms << translation.text();
            }
            for (const QString& form : forms) {
                if (form.isEmpty())
                    problems << QStringLiteral("empty: ") + source;
                else if (placeholders(form) != placeholders(source))
                    problems << QStringLiteral("placeholders differ: %1 -> %2").arg(source, form);
            }
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }

    // Each language's main window shows every text whole.
    void mainWindowFits_data() {
        QTest::addColumn<QString>("language");
        QTest::newRow("en") << "en";
        for (const QString& language : Translated)
            QTest::newRow(qPrintable(language)) << language;
    }
    void mainWindowFits() {
        QFETCH(QString, language);
        QCOMPARE(Translations::install(*qApp, language), language);
        QTemporaryDir dir;
        Profile profile(dir.filePath(QStringLiteral("quillary.ini")));
        RecordingLinkApi link;
        ScriptedUserInteraction ui;
        FixedClock clock;
        AppServices services{link, ui, profile, clock, dir.path()};
        CQuillaryDlg window(services);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QStringList clipped = clippedTexts(window);
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1Char('\n'))));
        if (language != QLatin1String("en"))
            QVERIFY(window.button(IdLoad)->text() != QLatin1String("Load configuration..."));
        uninstallAll();
    }

    // Every dialog, each page of the configuration sheet, shows its texts
    // whole in each language.
    void dialogsFit_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("dialog");
        for (const QString& language : QStringList{"en"} + Translated) {
            for (int i = 0; i < dialogs().size(); ++i)
                QTest::addRow("%s %s", qPrintable(language), dialogs()[i].first) << language << i;
        }
    }
    void dialogsFit() {
        QFETCH(QString, language);
        QFETCH(int, dialog);
        QCOMPARE(Translations::install(*qApp, language), language);
        {
            DialogRig rig;
            const std::unique_ptr<QDialog> shown = dialogs()[dialog].second(rig);
            shown->show();
            QVERIFY(QTest::qWaitForWindowExposed(shown.get()));
            QStringList clippedOnPages = clippedTexts(*shown);
            for (QTabWidget* pages : shown->findChildren<QTabWidget*>()) {
                for (int page = 1; page < pages->count(); ++page) {
                    pages->setCurrentIndex(page);
                    clippedOnPages += clippedTexts(*shown);
                }
            }
            QVERIFY2(clippedOnPages.isEmpty(), qPrintable(clippedOnPages.join(QLatin1Char('\n'))));
            QCOMPARE(rig.ui.messages.size(), 0);
        }
        uninstallAll();
    }

private:
    static void uninstallAll() {
        for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }
};

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
