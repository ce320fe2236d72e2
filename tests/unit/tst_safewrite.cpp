// Transfer to unit with its backup, read-back and journal record, against the
// recording link: the calls in order, the pre-flight question, the way back.
#include "UnitTestHelpers.h"
#include "check/ConfigCheck.h"
#include "config/ConfigFile.h"
#include "unit/SafeWrite.h"
#include "unit/TransferToUnitCommand.h"
#include "unit/UnitTexts.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

QStringList calls(const QString& name, int count) {
    QStringList list;
    for (int reg = 1; reg <= count; ++reg)
        list << QStringLiteral("%1(7,%2,0%3)")
                    .arg(name)
                    .arg(reg)
                    .arg(name == QLatin1String("LinkWriteRegister") ? ",0" : "");
    return list;
}

} // namespace

class TestSafeWrite : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    ScriptedUserInteraction scripted_;
    RecordingLinkApi link_;
    std::unique_ptr<ConfigSession> session_;
    EventLog log_{scripted_};

    UnitSafety safety(bool backupAndVerify = true) {
        return {backupAndVerify, dir_.filePath("journal.sqlite"), {{}, {}, "/dev/ttyACM0"}};
    }
    UnitCommandContext context() {
        UnitCommandContext c{link_, RecordingLinkApi::Handle, log_, log_, log_, *session_};
        c.confirmWrite = [this] { return confirmCheckedWrite(log_, *session_); };
        return c;
    }
    QList<JournalRecord> records() {
        QString error;
        auto journal = Journal::open(dir_.filePath("journal.sqlite"), &error);
        return journal ? journal->records() : QList<JournalRecord>{};
    }

private slots:
    void init() {
        QFile::remove(dir_.filePath("journal.sqlite"));
        session_ = std::make_unique<ConfigSession>(QString());
        RegisterStore store;
        store.setText(17, "door open");
        QVERIFY(saveConfigFile(dir_.filePath("Site.QRB"), store));
        QVERIFY(session_->load(dir_.filePath("Site.QRB")));
        link_ = RecordingLinkApi();
        link_.unitImage = QByteArray(int(RegisterStore::ImageSize), 'u');
        link_.unitKeepsWrites = true;
        scripted_ = ScriptedUserInteraction();
        scripted_.onMessage = {};
        log_.events.clear();
    }

    // Backup, today's write sequence, read-back: one ok record whose backup is
    // what the unit held and whose read-back is what was written.
    void backupWriteVerify() {
        const QByteArray before = link_.unitImage;
        scripted_.nextAnswers << Answer::No; // no voice
        runSafeTransferToUnit(context(), safety());
        const QStringList expected =
            QStringList{"LinkConnect(7,)", "LinkPrepareTransfer(7)"} +
            calls("LinkReadRegister", 87) +
            QStringList{"LinkConnect(7,)", "LinkQueryUnit(7)", "LinkPrepareTransfer(7)"} +
            calls("LinkWriteRegister", 87) +
            QStringList{"LinkFinishTransfer(7)", "LinkConnect(7,)", "LinkPrepareTransfer(7)"} +
            calls("LinkReadRegister", 87);
        QCOMPARE(link_.calls, expected);
        QCOMPARE(log_.events.last(), progressEvent(0));
        QVERIFY(log_.events.contains(
            messageEvent(UnitTexts::transferComplete(), MessageIcon::Information)));
        const QList<JournalRecord> kept = records();
        QCOMPARE(kept.size(), 1);
        QCOMPARE(kept[0].result, QStringLiteral("ok"));
        QCOMPARE(kept[0].backupSha256, sha256Hex(before));
        QCOMPARE(kept[0].readBackSha256, kept[0].configSha256);
        QCOMPARE(kept[0].configPath, dir_.filePath("Site.QRB"));
    }

    // Switched off: exactly the sequence Transfer to unit has on its own.
    void switchedOffIsTodaysSequence() {
        scripted_.nextAnswers << Answer::No;
        TransferToUnitCommand({link_, RecordingLinkApi::Handle, log_, log_, log_, *session_}).run();
        const QStringList plain = link_.calls;
        const QStringList events = log_.events;
        link_.calls.clear();
        log_.events.clear();
        scripted_.nextAnswers << Answer::No;
        runSafeTransferToUnit(context(), safety(false));
        QCOMPARE(link_.calls, plain);
        QCOMPARE(log_.events, events);
    }

    // A number that cannot be dialled: asked before the first register; No
    // writes nothing.
    void checkErrorsAskBeforeWriting() {
        session_->store().setText(1, "+4212,602345678");
        scripted_.nextAnswers << Answer::No << Answer::No; // no voice; do not write anyway
        runSafeTransferToUnit(context(), safety());
        QVERIFY(!link_.calls.join(' ').contains("LinkWriteRegister"));
        const QString asked = log_.events.filter("Write it into the unit anyway?").join(' ');
        QVERIFY2(asked.contains("+4212"), qPrintable(log_.events.join('\n')));
        QCOMPARE(log_.events.last(), progressEvent(0));
        QCOMPARE(records().first().result, QStringLiteral("cancelled"));
    }

    // The line fails at register 40: the message says where, and Yes writes
    // the backup back, journaled as a restore.
    void failedWriteOffersTheWayBack() {
        const QByteArray before = link_.unitImage;
        link_.writeResults[40] = LINK_ERR_IO;
        scripted_.onMessage = [this](const MessageRequest& request) {
            if (request.text.contains("back into the unit now"))
                link_.writeResults.clear(); // the line works again
        };
        scripted_.nextAnswers << Answer::No << Answer::Yes;
        runSafeTransferToUnit(context(), safety());
        const QString asked = log_.events.filter("Write the previous configuration back").join(' ');
        QVERIFY2(asked.contains(UnitTexts::communicationError()) &&
                     asked.contains("may hold part of the new configuration"),
                 qPrintable(log_.events.join('\n')));
        QCOMPARE(link_.unitImage, before);
        const QList<JournalRecord> kept = records();
        QCOMPARE(kept.size(), 2);
        QCOMPARE(kept[1].result, QStringLiteral("failed"));
        QCOMPARE(kept[0].kind, QStringLiteral("restore"));
        QCOMPARE(kept[0].restoredFrom, kept[1].id);
        QCOMPARE(kept[0].configSha256, sha256Hex(before));
    }

    // A journal that cannot be written: nothing reaches the unit.
    void unwritableJournalTouchesNothing() {
        UnitSafety broken = safety();
        broken.journalPath = "/proc/quillary/journal.sqlite";
        runSafeTransferToUnit(context(), broken);
        QCOMPARE(link_.calls, QStringList{});
        QVERIFY2(log_.events.join(' ').contains("/proc/quillary"),
                 qPrintable(log_.events.join('\n')));
    }
};

QTEST_GUILESS_MAIN(TestSafeWrite)
#include "tst_safewrite.moc"
