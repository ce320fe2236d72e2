// Voice messages made without the microphone: imported from a sound file
// (recorded on a phone, in a studio, as MP3) or spoken from a text by the
// speech synthesiser, and written in the unit's format. Used by the recorder
// dialog and by quillary-cli.
#pragma once

#include <QString>

#include <functional>

struct VoiceMakeResult {
    enum Problem {
        None,
        SourceUnreadable,  // missing, not a regular file, no permission
        NotSound,          // not a sound file that can be decoded, or damaged
        Silent,            // nothing but silence
        TooLong,           // more than the unit's whole voice memory
        TargetRefused,     // the recording cannot be written there (link, folder, disk)
        NothingToSpeak,    // empty text
        UnknownLanguage,   // espeak-ng has no voice by that name
        SpeechUnavailable, // the synthesiser or its data is missing
        Cancelled          // the progress callback said stop; nothing written
    };
    bool ok = false;
    QString message;      // user-facing, names the file and what is wrong; empty when ok
    qint64 dataBytes = 0; // sound-data bytes written
    Problem problem = None;
    int sampleRate = 0; // of the file written
};

// Reads any sound file libsndfile reads (WAV, FLAC, Ogg Vorbis, Opus, MP3), any rate,
// channels and sample format; mixes to mono; resamples with libsoxr to 8000 Hz
// (4000 when lowQuality); trims leading and trailing silence; normalises the peak to
// about -1 dBFS; writes the unit's format (8-bit unsigned mono PCM, canonical 44-byte
// header) to `target` atomically (WaveFile::writeUnitWave). On any failure `target`
// is left byte-identical. The source is decoded in blocks, never whole, and
// decoding stops once the result cannot fit the unit's voice memory. A
// symbolic link or anything but a regular file at `target` is refused.
VoiceMakeResult importSoundFile(const QString& source, const QString& target, bool lowQuality);

// How far an import is, 0 to 100, called from the importing thread between
// blocks; false stops it, and then nothing is written.
using VoiceProgress = std::function<bool(int percent)>;
// The same with progress, for a long file: reading 1 GiB of a sound file
// takes some seconds. A file whose length is not known (an MP3 without a
// header that says) reports nothing.
VoiceMakeResult importSoundFile(const QString& source, const QString& target, bool lowQuality,
                                const VoiceProgress& progress);

// Speaks `text` with libespeak-ng in `language` (an espeak-ng voice name such as "cs",
// "de", "en"), then as importSoundFile from the trim on. Empty text: not ok, with a
// message saying there is nothing to speak. The text is read as plain text:
// no markup or phoneme codes are interpreted.
VoiceMakeResult speakToFile(const QString& text, const QString& language, const QString& target,
                            bool lowQuality);

// espeak-ng opens an audio output when it starts, even though speech here is
// only taken as samples, and so connects to the sound server: one that takes
// the connection and never answers holds it for half a minute, and one not
// running may be started. After this call, speech starts with no server to
// connect to; nothing else in the program is affected.
void keepSpeechOffTheSoundServer();

// The desktop's language where espeak-ng has a voice for it, else "en".
QString defaultSpeechLanguage();

// Whether espeak-ng has a voice by this name ("cs", "pt-br").
bool hasSpeechVoice(const QString& language);

// The longest message the unit's voice memory holds at the given rate, in seconds.
double maxMessageSeconds(int sampleRate);
