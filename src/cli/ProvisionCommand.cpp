#include "cli/ProvisionCommand.h"

#include "cli/CliExit.h"
#include "cli/FileCommands.h"
#include "cli/UnitCommands.h"
#include "cli/UnitLink.h"
#include "config/ConfigJson.h"
#include "config/ConfigSession.h"
#include "config/VoiceFiles.h"
#include "unit/SafeWrite.h"
#include "unit/SerialDevices.h"
#include "unit/TransferToUnitCommand.h"
#include "unit/UnitImage.h"
#include "unit/UnitRecords.h"
#include "unit/UploadVoiceMessages.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <csignal>
#include <cstdlib>
#include <deque>

namespace {
// This file's texts, in the program's language.
struct ProvisionText {
    Q_DECLARE_TR_FUNCTIONS(ProvisionText)
};
} // namespace

namespace {

volatile std::sig_atomic_t interrupted = 0;

void onInterrupt(int) {
    interrupted = 1;
    // A second Ctrl-C ends the program at once.
    std::signal(SIGINT, SIG_DFL);
}

// How often the waits look at Ctrl-C and at the device list.
constexpr int WaitSliceMs = 250;

struct UnitResult {
    bool ok = false;
    QString error;
    QStringList differing;
    QString backup;
};

class Provisioner {
public:
    Provisioner(CliConsole& console, const ProvisionOptions& options, const RegisterStore& image,
                ConfigSession& session)
        : console_(console), options_(options), image_(image), session_(session) {}

    UnitResult provision(const SerialDevice& device, Journal* journal) {
        UnitResult result;
        UnitLink unit(console_, CliPort{device.node, device.node});
        CliUserInteraction ui(console_);
        ui.setQuiet(true);
        ui.setYesNoAnswer(options_.voice);
        SafeWriteOptions safe;
        safe.journal = journal;
        safe.unit = JournalUnit{device.serial, device.stableName, device.node};
        safe.configPath = QFileInfo(options_.templatePath).absoluteFilePath();
        safe.notice = [this](const QString& notice) { console_.err(notice); };
        QString keepError;
        if (!options_.backupDir.isEmpty()) {
            safe.keepBackup = [&](const QByteArray& before) {
                result.backup = writeBackup(
                    options_.backupDir,
                    device.serial.isEmpty() ? QFileInfo(device.node).fileName() : device.serial,
                    QDateTime::currentDateTime(), before, &keepError);
                return !result.backup.isEmpty();
            };
        }
        unit.link().resetFailure();
        const SafeWriteResult written = SafeWrite(unit.context(ui, session_), safe).run();
        console_.endProgress();
        const JournalRecord& record = written.record;
        const QString failure = unit.link().failure();
        result.differing = written.comparison.registers;
        result.ok = record.result == QLatin1String("ok");
        using Phase = SafeWriteResult::Phase;
        if (record.result == QLatin1String("verify-failed"))
            result.error = ProvisionText::tr("registers differ after writing");
        else if (written.failedIn == Phase::KeepingBackup)
            result.error = keepError + ProvisionText::tr("; nothing written");
        else if (written.failedIn == Phase::Backup)
            result.error = ProvisionText::tr("no backup, nothing written: ") + failure;
        else if (written.failedIn == Phase::ReadBack)
            result.error = ProvisionText::tr("reading back: ") + failure;
        else if (!result.ok)
            result.error = failure.isEmpty() ? ui.errors().join(QLatin1Char(' ')) : failure;
        return result;
    }

private:
    CliConsole& console_;
    const ProvisionOptions& options_;
    const RegisterStore& image_;
    ConfigSession& session_;
};

bool stillAttached(SerialDeviceFinder& finder, const QString& node) {
    for (const SerialDevice& device : usbDevicesOf(finder.devices())) {
        if (device.node == node)
            return true;
    }
    return false;
}

} // namespace

int provisionUnits(CliConsole& console, SerialDeviceFinder& finder,
                   const ProvisionOptions& options) {
    // Everything local is checked before the first unit is touched.
    if (!configFileExists(console, options.templatePath))
        return ExitFile;
    ConfigSession session(templateFolder());
    if (const SessionOutcome loaded =
            session.load(QFileInfo(options.templatePath).absoluteFilePath());
        !loaded) {
        console.fail(loaded.error);
        return ExitFile;
    }
    if (options.voice) {
        LibraryLinkApi unused; // the check reads files only
        UploadVoiceMessages voice(
            unused, 0, console, QFileInfo(options.templatePath).absolutePath(), session.current());
        if (!voice.check()) {
            console.fail(voice.problem());
            return ExitFile;
        }
    }
    const RegisterStore image = session.store();
    const QByteArray sha256 =
        QCryptographicHash::hash(
            QByteArray::fromRawData(reinterpret_cast<const char*>(image.data()),
                                    RegisterStore::ImageSize),
            QCryptographicHash::Sha256)
            .toHex();
    QString error;
    if (!options.backupDir.isEmpty() && !checkBackupFolder(options.backupDir, &error)) {
        console.fail(error);
        return ExitFile;
    }
    AppendLog log;
    if (!options.logPath.isEmpty() && !log.open(options.logPath, &error)) {
        console.fail(error);
        return ExitFile;
    }
    auto journal = openJournal(console, options.journal);
    if (!journal)
        return ExitFile;
    if (!finder.canWatch()) {
        console.fail(ProvisionText::tr("cannot watch for USB serial devices coming and going (is "
                                       "udev running?); write the units one by one with write"));
        return ExitUnit;
    }
    // Each unit is reached on the device that appeared, whatever else says.
    ::unsetenv("QUILLARY_LINK_DEVICE");

    interrupted = 0;
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0; // no restart: a wait returns at once on Ctrl-C
    struct sigaction previous {};
    ::sigaction(SIGINT, &action, &previous);

    // A device attached before the start may be anything (a modem, another
    // tool's adapter): only units that appear from now on are written.
    for (const SerialDevice& device : usbDevicesOf(finder.devices()))
        console.out(ProvisionText::tr("Left alone (attached before the start): %1")
                        .arg(device.description()));

    Provisioner provisioner(console, options, image, session);
    std::deque<SerialDevice> arrived;
    int done = 0, failed = 0;
    QStringList failures;
    bool logFailed = false;
    while (!interrupted && (options.count == 0 || done < options.count) && !logFailed) {
        if (arrived.empty()) {
            console.out(ProvisionText::tr("Plug in unit %1 (Ctrl-C ends)...").arg(done + 1));
            while (!interrupted && arrived.empty()) {
                if (auto change = finder.waitForChange(WaitSliceMs); change && change->added)
                    arrived.push_back(change->device);
            }
            if (interrupted)
                break;
        }
        const SerialDevice device = arrived.front();
        arrived.pop_front();
        if (!stillAttached(finder, device.node))
            continue; // plugged and pulled again before its turn
        console.out(ProvisionText::tr("Writing %1 into %2")
                        .arg(options.templatePath, device.description()));
        const UnitResult result = provisioner.provision(device, journal->get());
        ++done;
        const QString name = device.serial.isEmpty() ? device.node : device.serial;
        if (result.ok) {
            console.out(
                ProvisionText::tr("Unit %1 (%2): written and verified").arg(done).arg(name));
        } else {
            ++failed;
            failures << QStringLiteral("%1: %2").arg(name, result.error);
            console.fail(
                ProvisionText::tr("unit %1 (%2) failed: %3").arg(done).arg(name, result.error));
        }
        if (log.isOpen()) {
            QJsonObject line{
                {QStringLiteral("time"),
                 QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs)},
                {QStringLiteral("device"), device.node},
                {QStringLiteral("serial"), device.serial},
                {QStringLiteral("configSha256"), QString::fromLatin1(sha256)},
                {QStringLiteral("result"),
                 result.ok ? QStringLiteral("ok") : QStringLiteral("failed")},
                {QStringLiteral("differing"), QJsonArray::fromStringList(result.differing)},
            };
            if (!result.ok)
                line.insert(QStringLiteral("error"), result.error);
            if (!result.backup.isEmpty())
                line.insert(QStringLiteral("backup"), result.backup);
            if (!log.append(QJsonDocument(line).toJson(QJsonDocument::Compact), &error)) {
                console.fail(error + ProvisionText::tr("; stopping"));
                logFailed = true;
            }
        }
        if (interrupted)
            console.out(ProvisionText::tr("Stopped by Ctrl-C."));
        // The next unit waits until this one is gone, so nobody writes the
        // same unit twice by leaving it plugged in.
        if (stillAttached(finder, device.node))
            console.out(ProvisionText::tr("Unplug the unit from %1.").arg(device.node));
        while (!interrupted && stillAttached(finder, device.node)) {
            if (auto change = finder.waitForChange(WaitSliceMs); change) {
                if (change->added)
                    arrived.push_back(change->device);
                else if (change->device.node == device.node)
                    break;
            }
        }
    }
    ::sigaction(SIGINT, &previous, nullptr);

    console.out(ProvisionText::tr("%n unit(s) provisioned: %1 succeeded, %2 failed.", nullptr, done)
                    .arg(done - failed)
                    .arg(failed));
    for (const QString& failure : failures)
        console.out(ProvisionText::tr("  failed: ") + failure);
    if (logFailed)
        return ExitFile;
    return failed == 0 ? ExitOk : ExitUnit;
}
