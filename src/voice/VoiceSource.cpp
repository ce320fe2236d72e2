#include "voice/VoiceSource.h"

#include "voice/SoundConversion.h"
#include "voice/WaveFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>

#include <espeak-ng/espeak_ng.h>
#include <espeak-ng/speak_lib.h>
#include <sndfile.h>

#include <QCoreApplication>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <unistd.h>
#include <vector>

namespace {
// This file's texts, in the program's language.
struct VoiceSourceText {
    Q_DECLARE_TR_FUNCTIONS(VoiceSourceText)
};
} // namespace

namespace {

using SoundConversion::Outcome;
using SoundConversion::Status;

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

VoiceMakeResult failure(VoiceMakeResult::Problem problem, const QString& message) {
    VoiceMakeResult result;
    result.problem = problem;
    result.message = message;
    return result;
}

int rateFor(bool lowQuality) {
    return lowQuality ? WaveFile::UnitSampleRate / 2 : WaveFile::UnitSampleRate;
}

// Everything about the target that can be known before any work is done.
QString targetProblem(const QString& target) {
    const QFileInfo info(target);
    if (info.isSymLink())
        return VoiceSourceText::tr(
            "it is a symbolic link, and recordings are not written through links");
    if (info.exists() && !info.isFile())
        return VoiceSourceText::tr("it is not a regular file");
    const QString folder = info.absolutePath();
    if (!QFileInfo(folder).isDir())
        return VoiceSourceText::tr("its folder %1 does not exist").arg(shown(folder));
    if (::access(QFile::encodeName(folder).constData(), W_OK | X_OK) != 0)
        return VoiceSourceText::tr("its folder %1 cannot be written (%2)")
            .arg(shown(folder), QString::fromLocal8Bit(std::strerror(errno)));
    return {};
}

VoiceMakeResult targetRefused(const QString& target, const QString& why) {
    return failure(
        VoiceMakeResult::TargetRefused,
        VoiceSourceText::tr("The recording \"%1\" cannot be written: %2.").arg(shown(target), why));
}

QString tooLongMessage(const QString& what, int rate) {
    return VoiceSourceText::tr("%1 is too long for the unit: its whole voice memory of %L2 bytes "
                               "holds %3 seconds at %L4 samples a second.")
        .arg(what)
        .arg(WaveFile::UnitMemoryCapacity)
        .arg(maxMessageSeconds(rate), 0, 'f', 1)
        .arg(rate);
}

// Turns a finished conversion into the file; `what` names the source in messages.
VoiceMakeResult finishOutcome(const Outcome& outcome, const QString& what, const QString& target,
                              int rate) {
    switch (outcome.status) {
    case Status::Ok:
        break;
    case Status::NotSound:
        return failure(VoiceMakeResult::NotSound,
                       VoiceSourceText::tr("%1 is not sound that can be imported: %2.")
                           .arg(what, QString::fromStdString(outcome.detail)));
    case Status::ReadFailed:
        return failure(VoiceMakeResult::NotSound,
                       VoiceSourceText::tr("%1 is damaged and could not be read to its end: %2.")
                           .arg(what, QString::fromStdString(outcome.detail)));
    case Status::Silent:
        return failure(
            VoiceMakeResult::Silent,
            VoiceSourceText::tr("%1 holds no sound: it is silent throughout.").arg(what));
    case Status::TooLong:
        return failure(VoiceMakeResult::TooLong, tooLongMessage(what, rate));
    case Status::Cancelled:
        return failure(VoiceMakeResult::Cancelled,
                       VoiceSourceText::tr("The import of %1 was stopped; the earlier recording is "
                                           "unchanged.")
                           .arg(what));
    case Status::Failed:
        return failure(VoiceMakeResult::NotSound,
                       VoiceSourceText::tr("%1 could not be converted: %2.")
                           .arg(what, QString::fromStdString(outcome.detail)));
    }
    const QByteArray samples(reinterpret_cast<const char*>(outcome.samples.data()),
                             qsizetype(outcome.samples.size()));
    // The target may have become a link while the sound was converted.
    if (const QString why = targetProblem(target); !why.isEmpty())
        return targetRefused(target, why);
    QString error;
    if (!WaveFile::writeUnitWave(target, rate, samples, &error))
        return targetRefused(target,
                             error + VoiceSourceText::tr("; the earlier recording is unchanged"));
    VoiceMakeResult result;
    result.ok = true;
    result.dataBytes = samples.size();
    result.sampleRate = rate;
    return result;
}

// espeak-ng keeps one global state: one user at a time.
std::mutex speechMutex;
bool speechReady = false;
QString speechError;
std::atomic<bool> speechOffServer{false};

QString espeakMessage(espeak_ng_STATUS status) {
    char text[512] = {};
    espeak_ng_GetStatusCodeMessage(status, text, sizeof text);
    return QString::fromLocal8Bit(text);
}

// Called with speechMutex held.
bool startSpeech() {
    if (speechReady || !speechError.isEmpty())
        return speechReady;
    espeak_ng_InitializePath(nullptr);
    espeak_ng_ERROR_CONTEXT context = nullptr;
    espeak_ng_STATUS status = espeak_ng_Initialize(&context);
    if (status == ENS_OK) {
        // The server is named only while espeak-ng opens its output, so the
        // window's own sound (Qt Multimedia) still finds the real one later.
        const QByteArray server = qgetenv("PULSE_SERVER");
        const bool hadServer = qEnvironmentVariableIsSet("PULSE_SERVER");
        if (speechOffServer)
            qputenv("PULSE_SERVER", "unix:/nonexistent/quillary-speech-plays-no-sound");
        status = espeak_ng_InitializeOutput(ENOUTPUT_MODE_SYNCHRONOUS, 0, nullptr);
        if (speechOffServer) {
            if (hadServer)
                qputenv("PULSE_SERVER", server);
            else
                qunsetenv("PULSE_SERVER");
        }
    }
    espeak_ng_ClearErrorContext(&context);
    if (status != ENS_OK) {
        speechError = VoiceSourceText::tr("the speech synthesiser espeak-ng cannot start (%1); "
                                          "is the package espeak-ng-data installed?")
                          .arg(espeakMessage(status));
        return false;
    }
    speechReady = true;
    return true;
}

// Voice names are language tags; anything else (a path, say) is never handed on.
bool plausibleVoiceName(const QString& name) {
    static const QRegularExpression tag(QStringLiteral("^[A-Za-z]{2,3}(-[A-Za-z0-9]{1,8})*$"));
    return tag.match(name).hasMatch();
}

// Called with speechMutex held.
bool selectVoice(const QString& language) {
    return plausibleVoiceName(language) &&
           espeak_ng_SetVoiceByName(language.toLatin1().constData()) == ENS_OK;
}

SoundConversion::UnitSoundBuilder* speechSink = nullptr;

int takeSpeech(short* samples, int count, espeak_EVENT*) {
    if (!samples || count <= 0)
        return 0;
    std::vector<float> block(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        block[size_t(i)] = float(samples[i]) / 32768.0f;
    return speechSink->feed(block.data(), block.size()) ? 0 : 1; // 1 stops the synthesis
}

} // namespace

double maxMessageSeconds(int sampleRate) {
    return double(WaveFile::UnitMemoryCapacity) / double(sampleRate);
}

VoiceMakeResult importSoundFile(const QString& source, const QString& target, bool lowQuality) {
    return importSoundFile(source, target, lowQuality, {});
}

VoiceMakeResult importSoundFile(const QString& source, const QString& target, bool lowQuality,
                                const VoiceProgress& progress) {
    if (const QString why = targetProblem(target); !why.isEmpty())
        return targetRefused(target, why);
    QFile file;
    qint64 size = 0;
    QString why;
    if (!WaveFile::openRegularFile(file, source, &size, &why))
        return failure(
            VoiceMakeResult::SourceUnreadable,
            VoiceSourceText::tr("\"%1\" cannot be imported: %2.").arg(shown(source), why));
    const QString what = QStringLiteral("\"%1\"").arg(shown(source));
    SF_INFO info{};
    SNDFILE* sound = sf_open_fd(file.handle(), SFM_READ, &info, SF_FALSE);
    if (!sound)
        return failure(
            VoiceMakeResult::NotSound,
            VoiceSourceText::tr("%1 is not a sound file that can be imported (WAV, FLAC, "
                                "Ogg Vorbis, Opus or MP3): %2")
                .arg(what, QString::fromLocal8Bit(sf_strerror(nullptr))));
    const int rate = rateFor(lowQuality);
    const Outcome outcome = SoundConversion::convertSoundFile(
        sound, info, rate, size_t(WaveFile::UnitMemoryCapacity), progress);
    sf_close(sound);
    return finishOutcome(outcome, what, target, rate);
}

VoiceMakeResult speakToFile(const QString& text, const QString& language, const QString& target,
                            bool lowQuality) {
    if (text.trimmed().isEmpty())
        return failure(VoiceMakeResult::NothingToSpeak,
                       VoiceSourceText::tr("There is nothing to speak: the text is empty."));
    if (const QString why = targetProblem(target); !why.isEmpty())
        return targetRefused(target, why);

    const std::lock_guard lock(speechMutex);
    if (!startSpeech())
        return failure(VoiceMakeResult::SpeechUnavailable,
                       VoiceSourceText::tr("The text cannot be spoken: %1.").arg(speechError));
    if (!selectVoice(language))
        return failure(VoiceMakeResult::UnknownLanguage,
                       VoiceSourceText::tr("espeak-ng has no voice for the language \"%1\" "
                                           "(try a code such as en, de or cs).")
                           .arg(language));
    const int rate = rateFor(lowQuality);
    SoundConversion::UnitSoundBuilder builder(espeak_ng_GetSampleRate(), rate,
                                              size_t(WaveFile::UnitMemoryCapacity));
    speechSink = &builder;
    espeak_SetSynthCallback(takeSpeech);
    espeak_SetParameter(espeakRATE, 150, 0); // a little slower than usual: heard over a phone
    const QByteArray utf8 = text.toUtf8();
    const espeak_ng_STATUS status =
        espeak_ng_Synthesize(utf8.constData(), size_t(utf8.size()) + 1, 0, POS_CHARACTER, 0,
                             espeakCHARS_UTF8, nullptr, nullptr);
    espeak_ng_Synchronize();
    speechSink = nullptr;
    // A synthesis stopped because the speech grew too long reports an error
    // too; the builder knows which it was.
    const Outcome outcome = builder.finish();
    if (status != ENS_OK && outcome.status != Status::TooLong)
        return failure(
            VoiceMakeResult::SpeechUnavailable,
            VoiceSourceText::tr("The text could not be spoken: %1.").arg(espeakMessage(status)));
    return finishOutcome(outcome, VoiceSourceText::tr("The spoken text"), target, rate);
}

void keepSpeechOffTheSoundServer() {
    speechOffServer = true;
}

bool hasSpeechVoice(const QString& language) {
    const std::lock_guard lock(speechMutex);
    return startSpeech() && selectVoice(language);
}

QString defaultSpeechLanguage() {
    const std::lock_guard lock(speechMutex);
    if (!startSpeech())
        return QStringLiteral("en");
    // "cs-CZ" first, then its language alone.
    for (const QString& tag : QLocale::system().uiLanguages()) {
        QString candidate = tag.toLower();
        for (;;) {
            if (selectVoice(candidate))
                return candidate;
            const qsizetype dash = candidate.lastIndexOf('-');
            if (dash <= 0)
                break;
            candidate.truncate(dash);
        }
    }
    return QStringLiteral("en");
}
