#include "unit/UploadVoiceMessages.h"

#include "config/VoiceFiles.h"
#include "unit/UnitTexts.h"
#include "unit/UnitWav.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <vector>

namespace {

bool flagOn(const QByteArray& flags, int input) {
    return input - 1 < flags.size() && flags.at(input - 1) == '1';
}

// Copies source over destination; a copy that cannot be completed leaves the
// destination as it was. Returns the reason of a failure, empty on success.
QString replaceWithCopy(const QString& destination, const QString& source) {
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return in.errorString();
    QSaveFile out(destination);
    out.setDirectWriteFallback(true); // a folder we may not create files in
    if (!out.open(QIODevice::WriteOnly))
        return out.errorString();
    char buffer[64 * 1024];
    for (;;) {
        const qint64 got = in.read(buffer, sizeof buffer);
        if (got < 0)
            return in.errorString();
        if (got == 0)
            break;
        if (out.write(buffer, got) != got)
            return out.errorString();
    }
    if (!out.commit())
        return out.errorString();
    return {};
}

} // namespace

UploadVoiceMessages::UploadVoiceMessages(LinkApi& link, int32_t handle, ProgressSink& progress,
                                         QString configFolder, CurrentConfig current)
    : link_(link), handle_(handle), progress_(progress), folder_(std::move(configFolder)),
      current_(std::move(current)) {}

QList<UploadVoiceMessages::Recording> UploadVoiceMessages::recordingsInSendingOrder() const {
    using namespace VoiceFiles;
    const QString& title = current_.g_configTitle;
    auto own = [this](const QString& name) {
        const QString path = resolveNoCase(folder_, name);
        return QFileInfo(path).isFile() ? path : QString();
    };
    QList<Recording> recordings;
    for (int n = 1; n <= InputCount; ++n)
        recordings.append(
            {own(configHighName(title, n)), unitHighName(n), flagOn(current_.g_voiceHighFlags, n)});
    for (int n = 1; n <= InputCount; ++n)
        recordings.append(
            {own(configLowName(title, n)), unitLowName(n), flagOn(current_.g_voiceLowFlags, n)});
    // The prompts go always; a missing one stops the upload.
    recordings.append({own(configSelectOutputName(title)), unitSelectOutputName(), true, true});
    recordings.append({own(configSelectOnOffName(title)), unitSelectOnOffName(), true, true});
    return recordings;
}

void UploadVoiceMessages::stage(const QList<Recording>& recordings) {
    // Every recording of this configuration replaces the unit-side copy, so a
    // copy left by an earlier upload or another configuration is never sent.
    for (const Recording& recording : recordings) {
        if (recording.own.isEmpty())
            continue;
        const QString destination = QDir(folder_).filePath(recording.unitName);
        const QString failure = replaceWithCopy(destination, recording.own);
        if (!failure.isEmpty() && recording.switchedOn && problem_.isEmpty())
            problem_ = QStringLiteral("The voice file \"%1\" could not be copied to \"%2\": %3.")
                           .arg(QDir::toNativeSeparators(recording.own),
                                QDir::toNativeSeparators(destination), failure);
    }
}

bool UploadVoiceMessages::checkListed(const QList<Recording>& recordings) {
    for (const Recording& recording : recordings) {
        if (!recording.switchedOn)
            continue;
        if (recording.own.isEmpty()) {
            if (!recording.required)
                continue; // a switched-on input without a recording is left out
            problem_ = UnitTexts::voiceFilesMissing();
            return false;
        }
        const QString problem = unitWavProblem(recording.own);
        if (!problem.isEmpty()) {
            problem_ = QStringLiteral("The voice file \"%1\" cannot be sent to the unit: %2.")
                           .arg(QDir::toNativeSeparators(recording.own), problem);
            return false;
        }
        listed_.append(recording.unitName);
    }
    return true;
}

int UploadVoiceMessages::run() {
    listed_.clear();
    problem_.clear();
    const QList<Recording> recordings = recordingsInSendingOrder();
    if (!checkListed(recordings))
        return FileProblem;
    stage(recordings);
    if (!problem_.isEmpty())
        return FileProblem;

    // The library opens the files by these paths and gives the unit their
    // last part, the unit-side name.
    std::vector<QByteArray> paths;
    for (const QString& name : listed_)
        paths.push_back(QFile::encodeName(QDir(folder_).filePath(name)));
    std::vector<const char*> pointers;
    for (const QByteArray& path : paths)
        pointers.push_back(path.constData());
    const int32_t result =
        link_.LinkUploadVoice(handle_, static_cast<int32_t>(pointers.size()), pointers.data(),
                              &VoiceUploadProgress, reinterpret_cast<intptr_t>(&progress_));
    return result == 0 ? Uploaded : LinkFailed;
}

void VoiceUploadProgress(intptr_t context, int32_t position) {
    reinterpret_cast<ProgressSink*>(context)->setProgress(position);
}
