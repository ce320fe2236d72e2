#include "unit/SafeWrite.h"

#include "config/VoiceFiles.h"
#include "unit/SerialDevices.h"
#include "unit/StepNamingLinkApi.h"
#include "unit/TransferFromUnitCommand.h"
#include "unit/TransferToUnitCommand.h"
#include "unit/UnitTexts.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

namespace {

struct SafeWriteText {
    Q_DECLARE_TR_FUNCTIONS(SafeWriteText)
};

// Passes questions on and keeps what the command tells; with `forward` the
// messages are shown as well.
class KeepingUserInteraction final : public UserInteraction {
public:
    KeepingUserInteraction(UserInteraction& inner, bool forward)
        : inner_(inner), forward_(forward) {}
    QString chooseFile(const FileDialogRequest& request) override {
        return inner_.chooseFile(request);
    }
    Answer showMessage(const MessageRequest& request) override {
        if (request.buttons == MessageButtons::YesNo) {
            const Answer answer = inner_.showMessage(request);
            if (request.text == UnitTexts::uploadVoiceQuestion())
                voiceAnswered = answer == Answer::Yes;
            return answer;
        }
        told << request.text;
        return forward_ ? inner_.showMessage(request) : Answer::Ok;
    }
    void showAbout() override { inner_.showAbout(); }

    QStringList told;
    bool voiceAnswered = false;

private:
    UserInteraction& inner_;
    bool forward_;
};

// The buttons stay as the whole operation leaves them, not as each phase would.
class StillButtons final : public CommandButtons {
public:
    void apply(EnableState) override {}
};

// One phase's share of the progress bar.
class PhaseProgress final : public ProgressSink {
public:
    PhaseProgress(ProgressSink& inner, int from, int to) : inner_(inner), from_(from), to_(to) {}
    void setProgress(int position) override {
        inner_.setProgress(from_ + (to_ - from_) * qBound(0, position, 100) / 100);
    }
    void setStep(const QString& step) override { inner_.setStep(step); }

private:
    ProgressSink& inner_;
    int from_, to_;
};

QByteArray imageOf(const RegisterStore& store) {
    return QByteArray(reinterpret_cast<const char*>(store.data()), int(RegisterStore::ImageSize));
}

QString keep(Journal* journal, const QByteArray& image, QString* error) {
    return journal ? journal->addImage(image, error) : sha256Hex(image);
}

// The voice files Transfer to unit sent: the switched-on ones that exist.
QList<JournalVoiceFile> sentVoiceFiles(const ConfigSession& session) {
    QList<JournalVoiceFile> files;
    for (const VoiceFiles::Recording& recording :
         VoiceFiles::recordingsInSendingOrder(session.configFolder(), session.current())) {
        if (!recording.switchedOn || recording.own.isEmpty())
            continue;
        QFile file(recording.own);
        QCryptographicHash hash(QCryptographicHash::Sha256);
        if (file.open(QIODevice::ReadOnly))
            hash.addData(&file);
        files.append({recording.unitName, QFileInfo(recording.own).size(),
                      QString::fromLatin1(hash.result().toHex())});
    }
    return files;
}

} // namespace

SafeWrite::SafeWrite(const UnitCommandContext& context, SafeWriteOptions options)
    : context_(context), options_(std::move(options)) {}

bool SafeWrite::readPhase(const QString& step, int from, int to, QByteArray& image,
                          QString& failure) {
    KeepingUserInteraction ui(context_.ui, false);
    StillButtons buttons;
    PhaseProgress progress(context_.progress, from, to);
    progress.setStep(step);
    UnitCommandContext phase{context_.link,    context_.handle,    ui, buttons, progress,
                             context_.session, context_.choosePort};
    if (!startUnitOperation(phase)) {
        failure = ui.told.join('\n');
        return false;
    }
    image = QByteArray(int(RegisterStore::ImageSize), '\0');
    bool read = context_.link.LinkPrepareTransfer(context_.handle) == LINK_OK;
    for (int reg = 1; read && reg <= RegisterStore::RegisterCount; ++reg) {
        int32_t length = 0;
        auto* slot = reinterpret_cast<unsigned char*>(image.data()) +
                     std::size_t(reg - 1) * RegisterStore::SlotSize;
        read = context_.link.LinkReadRegister(context_.handle, reg, slot, &length, 0) == LINK_OK;
        progress.setProgress(reg * 100 / RegisterStore::RegisterCount);
    }
    if (!read)
        failure = communicationFailure(context_);
    return read;
}

void SafeWrite::finish(SafeWriteResult& result, const QString& message, MessageIcon icon) {
    JournalRecord& record = result.record;
    if (icon != MessageIcon::Information && record.error.isEmpty())
        record.error = message;
    complete(record);
    if (!message.isEmpty())
        context_.ui.tell(message, icon);
    context_.buttons.apply(EnableState::AllEnabled);
    context_.progress.setProgress(0);
    context_.progress.setStep({});
}

void SafeWrite::warnAboutUnfinished(const std::optional<JournalRecord>& previous) {
    if (!previous)
        return;
    const QString notice = unfinishedWriteNotice(*previous);
    if (notice.isEmpty())
        return;
    if (options_.notice)
        options_.notice(notice);
    else
        context_.ui.tell(notice, MessageIcon::Warning);
}

SafeWriteResult SafeWrite::run() {
    SafeWriteResult result;
    JournalRecord& record = result.record;
    record = newJournalRecord(options_.kind);
    record.unit = options_.unit;
    record.configPath = options_.configPath;
    record.restoredFrom = options_.restoredFrom;
    QString error;
    std::optional<JournalRecord> previous;
    if (options_.journal)
        previous = options_.journal->lastFor(options_.unit);
    record.configSha256 = keep(options_.journal, imageOf(context_.session.store()), &error);
    // Nothing reaches the unit unless the journal can hold its record.
    if (record.configSha256.isEmpty() ||
        (options_.journal && !options_.journal->begin(record, &error))) {
        record.result.clear();
        context_.ui.tell(error + '\n' + SafeWriteText::tr("Nothing was sent to the unit."));
        return result;
    }
    if (options_.backupAndVerify)
        writeSafely(result);
    else
        writePlainly(result);
    warnAboutUnfinished(previous);
    return result;
}

// Transfer to unit exactly as on its own, its messages, buttons and progress
// untouched; only its outcome is journaled.
void SafeWrite::writePlainly(SafeWriteResult& result) {
    KeepingUserInteraction ui(context_.ui, true);
    TransferToUnitCommand({context_.link, context_.handle, ui, context_.buttons, context_.progress,
                           context_.session, context_.choosePort, context_.confirmWrite})
        .run();
    JournalRecord& record = result.record;
    noteUnit(record);
    if (ui.told.endsWith(UnitTexts::transferComplete())) {
        record.result = QStringLiteral("ok");
        if (ui.voiceAnswered)
            record.voice = sentVoiceFiles(context_.session);
    } else if (ui.told.isEmpty()) {
        record.result = QStringLiteral("cancelled");
    } else {
        record.result = QStringLiteral("failed");
        result.failedIn = SafeWriteResult::Phase::Write;
        record.step = context_.link.failedStep();
        record.reg = context_.link.failedRegister();
        record.error = ui.told.join('\n');
    }
    complete(record);
}

void SafeWrite::noteUnit(JournalRecord& record) const {
    if (auto* steps = dynamic_cast<const StepNamingLinkApi*>(&context_.link)) {
        record.unit.model = steps->lastModel();
        record.unit.firmware = steps->lastFirmware();
    }
}

void SafeWrite::complete(JournalRecord& record) {
    record.finished = QDateTime::currentDateTimeUtc();
    QString error;
    if (options_.journal && !options_.journal->complete(record, &error))
        context_.ui.tell(error, MessageIcon::Warning);
}

void SafeWrite::writeSafely(SafeWriteResult& result) {
    JournalRecord& record = result.record;
    QString failure, error;
    context_.buttons.apply(EnableState::AllDisabled);
    if (!readPhase(SafeWriteText::tr("Reading the unit's configuration as a backup"), 0, 33,
                   result.backup, failure)) {
        record.result = QStringLiteral("failed");
        record.step = SafeWriteText::tr("reading the backup");
        result.failedIn = SafeWriteResult::Phase::Backup;
        record.reg = context_.link.failedRegister();
        finish(result, failure + '\n' + SafeWriteText::tr("Nothing was written to the unit."),
               MessageIcon::None);
        return;
    }
    record.backupSha256 = keep(options_.journal, result.backup, &error);
    if (options_.keepBackup && !options_.keepBackup(result.backup)) {
        record.result = QStringLiteral("failed");
        record.step = SafeWriteText::tr("keeping the backup");
        result.failedIn = SafeWriteResult::Phase::KeepingBackup;
        record.error = record.step;
        finish(result, {}, MessageIcon::None);
        return;
    }

    KeepingUserInteraction ui(context_.ui, false);
    StillButtons buttons;
    PhaseProgress progress(context_.progress, 33, 67);
    progress.setStep(SafeWriteText::tr("Writing the configuration into the unit"));
    bool confirmed = true;
    UnitCommandContext phase{context_.link,    context_.handle,    ui, buttons, progress,
                             context_.session, context_.choosePort};
    if (context_.confirmWrite)
        phase.confirmWrite = [&] { return confirmed = context_.confirmWrite(); };
    TransferToUnitCommand(phase).run();
    noteUnit(record);
    if (!confirmed) {
        record.result = QStringLiteral("cancelled");
        finish(result, {}, MessageIcon::None);
        return;
    }
    if (!ui.told.endsWith(UnitTexts::transferComplete())) {
        record.result = QStringLiteral("failed");
        result.failedIn = SafeWriteResult::Phase::Write;
        record.step = context_.link.failedStep();
        record.reg = context_.link.failedRegister();
        QString message = ui.told.join('\n');
        // A file that cannot go stops before the first register; the line
        // failing may leave the unit with half of each configuration: say
        // so, and offer the way back.
        if (!message.startsWith(UnitTexts::communicationError())) {
            finish(result, message, MessageIcon::None);
            return;
        }
        message += '\n' + SafeWriteText::tr("The unit may hold part of the new configuration; its "
                                            "previous configuration is kept in the journal.");
        record.error = message;
        if (!options_.offerRestore) {
            finish(result, message, MessageIcon::None);
            return;
        }
        finish(result, {}, MessageIcon::None);
        result.restoreAccepted =
            context_.ui.askYesNo(message + QStringLiteral("\n\n") +
                                 SafeWriteText::tr("Write the previous configuration back "
                                                   "into the unit now?"));
        return;
    }
    if (ui.voiceAnswered)
        record.voice = sentVoiceFiles(context_.session);

    QByteArray readBack;
    if (!readPhase(SafeWriteText::tr("Reading the configuration back from the unit"), 67, 100,
                   readBack, failure)) {
        record.result = QStringLiteral("failed");
        record.step = SafeWriteText::tr("the read-back");
        result.failedIn = SafeWriteResult::Phase::ReadBack;
        record.reg = context_.link.failedRegister();
        finish(result,
               failure + '\n' +
                   SafeWriteText::tr("The configuration was written, but could not be read back "
                                     "to check it."),
               MessageIcon::None);
        return;
    }
    record.readBackSha256 = keep(options_.journal, readBack, &error);
    result.comparison = compareWithUnit(context_.session.store(), storeFromImage(readBack));
    if (result.comparison.same()) {
        record.result = QStringLiteral("ok");
        finish(result, UnitTexts::transferComplete(), MessageIcon::Information);
        return;
    }
    record.result = QStringLiteral("verify-failed");
    record.differing = result.comparison.fields;
    const QString what =
        result.comparison.fields.isEmpty()
            ? SafeWriteText::tr("registers %1").arg(result.comparison.registers.join(", "))
            : result.comparison.fields.join(QStringLiteral(", "));
    finish(result,
           SafeWriteText::tr("The unit does not hold what was written. What did not take: %1.")
               .arg(what),
           MessageIcon::Stop);
}

QString unfinishedWriteNotice(const JournalRecord& record) {
    if (record.kind == QLatin1String("read") ||
        (record.result != QLatin1String("failed") && record.result != QLatin1String("interrupted")))
        return {};
    const QString when = QLocale().toString(record.started.toLocalTime(), QLocale::ShortFormat);
    return SafeWriteText::tr("The last write into this unit, on %1, did not finish (%2). What the "
                             "unit held before it is kept in the journal: choose it in History... "
                             "and Restore to unit, or run quillary-cli restore %3.")
        .arg(when, record.result, record.id);
}

void runJournaledRead(const UnitCommandContext& context, Journal* journal, const JournalUnit& unit,
                      const std::function<void(const QString&)>& notice) {
    if (!journal) {
        TransferFromUnitCommand(context).run();
        return;
    }
    JournalRecord record = newJournalRecord(QStringLiteral("read"));
    record.unit = unit;
    QString error;
    const std::optional<JournalRecord> previous = journal->lastFor(unit);
    if (!journal->begin(record, &error)) {
        context.ui.tell(error + '\n' + SafeWriteText::tr("Nothing was read from the unit."));
        return;
    }
    KeepingUserInteraction ui(context.ui, true);
    TransferFromUnitCommand({context.link, context.handle, ui, context.buttons, context.progress,
                             context.session, context.choosePort})
        .run();
    if (auto* steps = dynamic_cast<const StepNamingLinkApi*>(&context.link)) {
        record.unit.model = steps->lastModel();
        record.unit.firmware = steps->lastFirmware();
    }
    record.finished = QDateTime::currentDateTimeUtc();
    if (ui.told.contains(UnitTexts::transferComplete())) {
        record.result = QStringLiteral("ok");
        record.configSha256 = journal->addImage(imageOf(context.session.store()), &error);
        record.configPath = context.session.current().g_configPath;
    } else {
        record.result = QStringLiteral("failed");
        record.error = ui.told.join('\n');
        record.step = context.link.failedStep();
        record.reg = context.link.failedRegister();
    }
    if (!journal->complete(record, &error))
        context.ui.tell(error, MessageIcon::Warning);
    const QString unfinished = previous ? unfinishedWriteNotice(*previous) : QString();
    if (!unfinished.isEmpty() && notice)
        notice(unfinished);
    else if (!unfinished.isEmpty())
        context.ui.tell(unfinished, MessageIcon::Warning);
}

namespace {

std::unique_ptr<Journal> openJournal(const UnitCommandContext& context, const QString& path) {
    QString error;
    std::unique_ptr<Journal> journal = Journal::open(path, &error);
    if (!journal)
        context.ui.tell(error + '\n' + SafeWriteText::tr("Nothing was sent to the unit."));
    return journal;
}

// The backup goes back without voice messages: a session with no file asks
// no voice question.
void restoreBackup(const UnitCommandContext& context, SafeWriteOptions options,
                   const QString& recordId, const QByteArray& backup) {
    ConfigSession previous{QString()};
    previous.store() = storeFromImage(backup);
    options.kind = QStringLiteral("restore");
    options.configPath.clear();
    options.restoredFrom = recordId;
    options.offerRestore = false;
    SafeWrite({context.link, context.handle, context.ui, context.buttons, context.progress,
               previous, context.choosePort},
              options)
        .run();
}

} // namespace

void runSafeTransferToUnit(const UnitCommandContext& context, const UnitSafety& safety) {
    const std::unique_ptr<Journal> journal = openJournal(context, safety.journalPath);
    if (!journal)
        return;
    SafeWriteOptions options;
    options.backupAndVerify = safety.backupAndVerify;
    options.journal = journal.get();
    options.unit = safety.unit;
    options.configPath = context.session.current().g_configPath;
    options.offerRestore = true;
    const SafeWriteResult written = SafeWrite(context, options).run();
    if (written.restoreAccepted)
        restoreBackup(context, options, written.record.id, written.backup);
}

void runSafeRestore(const UnitCommandContext& context, const UnitSafety& safety,
                    const QString& recordId) {
    const std::unique_ptr<Journal> journal = openJournal(context, safety.journalPath);
    if (!journal)
        return;
    const std::optional<JournalRecord> record = journal->record(recordId);
    const QByteArray backup = record ? journal->image(record->backupSha256) : QByteArray();
    if (backup.isEmpty()) {
        context.ui.tell(SafeWriteText::tr("The journal keeps no backup for this record."));
        return;
    }
    SafeWriteOptions options;
    options.backupAndVerify = safety.backupAndVerify;
    options.journal = journal.get();
    options.unit = safety.unit;
    restoreBackup(context, options, recordId, backup);
}

void runSafeTransferFromUnit(const UnitCommandContext& context, const UnitSafety& safety) {
    const std::unique_ptr<Journal> journal = openJournal(context, safety.journalPath);
    if (journal)
        runJournaledRead(context, journal.get(), safety.unit);
}
