#include "unit/UploadVoiceMessages.h"

#include "config/VoiceFiles.h"
#include "unit/UnitTexts.h"
#include "voice/WaveFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>

#include <QCoreApplication>
#include <vector>

namespace {
// This file's texts, in the program's language.
struct UploadText {
    Q_DECLARE_TR_FUNCTIONS(UploadText)
};
} // namespace

namespace {

// Copies a checked recording into the staging folder as a new file. Reads no
// more than a recording may hold, so a file that grew since its check fails
// instead of filling the disk. Returns the reason of a failure, empty on success.
QString copyRecording(const QString& destination, const QString& source) {
    QFile in;
    qint64 size = 0;
    QString why;
    if (!WaveFile::openRegularFile(in, source, &size, &why))
        return why;
    QFile out(destination);
    if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return out.errorString();
    qint64 left = WaveFile::MaxRecordingFileSize + 1;
    char buffer[64 * 1024];
    for (;;) {
        const qint64 got = in.read(buffer, std::min<qint64>(left, sizeof buffer));
        if (got < 0)
            return in.errorString();
        if (got == 0)
            break;
        left -= got;
        if (left == 0)
            return UploadText::tr("it has grown beyond the unit's voice memory");
        if (out.write(buffer, got) != got)
            return out.errorString();
    }
    if (!out.flush())
        return out.errorString();
    return {};
}

} // namespace

UploadVoiceMessages::UploadVoiceMessages(LinkApi& link, int32_t handle, ProgressSink& progress,
                                         QString configFolder, CurrentConfig current)
    : link_(link), handle_(handle), progress_(progress), folder_(std::move(configFolder)),
      current_(std::move(current)) {}

bool UploadVoiceMessages::check() {
    toSend_.clear();
    listed_.clear();
    problem_.clear();
    checked_ = false;
    for (const Recording& recording : VoiceFiles::recordingsInSendingOrder(folder_, current_)) {
        if (!recording.switchedOn)
            continue;
        if (recording.own.isEmpty()) {
            if (!recording.required)
                continue; // a switched-on input without a recording is left out
            problem_ = UnitTexts::voiceFilesMissing();
            return false;
        }
        const WaveFile::RecordingCheck result = WaveFile::checkRecording(recording.own);
        if (!result.ok()) {
            problem_ = UploadText::tr("The voice file \"%1\" cannot be sent to the unit: %2.")
                           .arg(QDir::toNativeSeparators(recording.own), result.why);
            return false;
        }
        toSend_.append(recording);
        listed_.append(recording.unitName);
    }
    checked_ = true;
    return true;
}

bool UploadVoiceMessages::stage(const QString& stagingFolder, QStringList* paths) {
    for (const Recording& recording : toSend_) {
        const QString destination = QDir(stagingFolder).filePath(recording.unitName);
        const QString failure = copyRecording(destination, recording.own);
        if (!failure.isEmpty()) {
            problem_ = UploadText::tr("The voice file \"%1\" could not be copied for sending: %2.")
                           .arg(QDir::toNativeSeparators(recording.own), failure);
            return false;
        }
        paths->append(destination);
    }
    return true;
}

int UploadVoiceMessages::run() {
    if (!checked_ && !check())
        return FileProblem;
    checked_ = false;
    // Private (mode 700) and removed on return, whatever happens.
    QTemporaryDir staging(QDir::tempPath() + QStringLiteral("/quillary-voice-XXXXXX"));
    if (!staging.isValid()) {
        problem_ = UploadText::tr("No temporary folder could be made for the voice files: %1.")
                       .arg(staging.errorString());
        return FileProblem;
    }
    QStringList staged;
    if (!stage(staging.path(), &staged))
        return FileProblem;

    // The library opens the files by these paths and gives the unit their
    // last part, the unit-side name.
    std::vector<QByteArray> paths;
    for (const QString& path : staged)
        paths.push_back(QFile::encodeName(path));
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
