// The History dialog over a journal: the list newest first, narrowed to a
// unit, compare, open as configuration and restore, keyboard reachable.
#include "TestSupport.h"
#include "app/HistoryDialog.h"
#include "config/ConfigFile.h"
#include "unit/UnitImage.h"

#include <QComboBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

namespace {

struct NoProgress final : ProgressSink, CommandButtons {
    QList<EnableState> states;
    void setProgress(int) override {}
    void apply(EnableState state) override { states << state; }
};

QByteArray imageWith(int reg, const QByteArray& text) {
    RegisterStore store;
    store.setText(reg, text);
    return QByteArray(reinterpret_cast<const char*>(store.data()), int(RegisterStore::ImageSize));
}

} // namespace

class TestHistory : public QObject {
    Q_OBJECT
private slots:
    void listNarrowCompareOpenRestore() {
        QTemporaryDir dir;
        QString error;
        auto journal = Journal::open(dir.filePath("journal.sqlite"), &error);
        QVERIFY2(journal, qPrintable(error));
        // Two units; the newest write into A1 changed input 1's high text.
        const QByteArray before = imageWith(17, "door closed");
        const QByteArray after = imageWith(17, "door open");
        const auto add = [&](const QString& serial, const QByteArray& backup,
                             const QByteArray& written, int minutesAgo) {
            JournalRecord record = newJournalRecord("write");
            record.started = QDateTime::currentDateTimeUtc().addSecs(-60 * minutesAgo);
            record.unit = {serial, {}, "/dev/ttyACM0"};
            record.backupSha256 = journal->addImage(backup, &error);
            record.configSha256 = journal->addImage(written, &error);
            record.configPath = "/site/Site.QRB";
            QVERIFY(journal->begin(record, &error));
            record.result = "ok";
            record.finished = QDateTime::currentDateTimeUtc();
            QVERIFY(journal->complete(record, &error));
        };
        add("B2", after, after, 30);
        add("A1", before, after, 10);

        ScriptedUserInteraction ui;
        RecordingLinkApi link;
        FixedClock clock;
        Profile profile(dir.filePath("quillary.ini"));
        NoProgress progress;
        ConfigSession session{QString()};
        session.store().setText(17, "door ajar");
        const CommandContext context{session, ui, link, 7, clock, profile, progress, progress};
        QStringList restored;
        HistoryDialog dialog(*journal, context, [&](const QString& id) { restored << id; });

        const QAbstractItemModel* list = dialog.recordList()->model();
        QCOMPARE(list->rowCount(), 2);
        QCOMPARE(list->index(0, 2).data().toString(), QStringLiteral("A1"));
        const JournalRecord first = journal->records().first();
        QCOMPARE(list->index(0, 5).data().toString(), first.user + " on " + first.host);
        // Records wait to be shared only where a team database is set.
        QCOMPARE(list->index(0, 4).data().toString(), QStringLiteral("ok"));
        profile.settings().setValue("History/Database", "postgresql://i@db.example.com/q");
        dialog.unitChoice()->setCurrentIndex(dialog.unitChoice()->findText("B2"));
        QCOMPARE(list->index(0, 4).data().toString(), QStringLiteral("ok (not yet shared)"));
        QCOMPARE(list->rowCount(), 1);
        QCOMPARE(list->index(0, 2).data().toString(), QStringLiteral("B2"));
        dialog.unitChoice()->setCurrentIndex(dialog.unitChoice()->findText("A1"));

        auto* compare = dialog.findChild<QPushButton*>("compareButton");
        compare->click();
        QVERIFY2(ui.messages.last().text.contains("input 1 high text"),
                 qPrintable(ui.messages.last().text));

        const QString opened = dir.filePath("Before.QRB");
        ui.nextFiles << opened;
        dialog.findChild<QPushButton*>("openAsConfigurationButton")->click();
        QCOMPARE(readFile(opened), before);
        QCOMPARE(session.current().g_configPath, opened);
        QCOMPARE(progress.states, QList<EnableState>{EnableState::ConfigOpened});

        dialog.findChild<QPushButton*>("restoreButton")->click();
        QCOMPARE(restored, QStringList{journal->records().first().id});

        // Every button has a mnemonic; the unit choice has a label's.
        for (const char* name : {"compareButton", "openAsConfigurationButton", "restoreButton"})
            QVERIFY(dialog.findChild<QPushButton*>(name)->text().contains('&'));
    }
};

QTEST_MAIN(TestHistory)
#include "tst_history.moc"
