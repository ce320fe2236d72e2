// What the unit command tests share: one log of what the user saw, which
// enable states were applied and where the progress bar went; WAV files.
#pragma once

#include "TestSupport.h"
#include "seams/Commands.h"
#include "seams/ProgressSink.h"

#include <QtEndian>

// The user, the buttons and the progress bar of a command in one log, in
// order: "message:<text>|<icon>", "file dialog", "buttons:<state>",
// "progress:<position>". Answers come from the scripted user.
class EventLog final : public UserInteraction, public CommandButtons, public ProgressSink {
public:
    explicit EventLog(ScriptedUserInteraction& scripted) : scripted_(scripted) {}
    QStringList events;

    QString chooseFile(const FileDialogRequest& request) override {
        events << QStringLiteral("file dialog");
        return scripted_.chooseFile(request);
    }
    Answer showMessage(const MessageRequest& request) override {
        events << QStringLiteral("message:%1|%2").arg(request.text).arg(int(request.icon));
        return scripted_.showMessage(request);
    }
    void showAbout() override {}
    void apply(EnableState state) override {
        events << QStringLiteral("buttons:%1").arg(int(state));
    }
    void setProgress(int position) override {
        events << QStringLiteral("progress:%1").arg(position);
    }

private:
    ScriptedUserInteraction& scripted_;
};

inline QString messageEvent(const QString& text, MessageIcon icon = MessageIcon::None) {
    return QStringLiteral("message:%1|%2").arg(text).arg(int(icon));
}
inline QString buttonsEvent(EnableState state) {
    return QStringLiteral("buttons:%1").arg(int(state));
}
inline QString progressEvent(int position) {
    return QStringLiteral("progress:%1").arg(position);
}

// A canonical WAV file: 44-byte header and `samples` bytes of sound.
inline QByteArray makeWav(const QByteArray& samples, quint32 rate = 8000, quint16 channels = 1,
                          quint16 bits = 8, quint16 encoding = 1) {
    QByteArray wav;
    auto put32 = [&wav](quint32 value) {
        char bytes[4];
        qToLittleEndian(value, bytes);
        wav.append(bytes, 4);
    };
    auto put16 = [&wav](quint16 value) {
        char bytes[2];
        qToLittleEndian(value, bytes);
        wav.append(bytes, 2);
    };
    wav += "RIFF";
    put32(36 + samples.size());
    wav += "WAVEfmt ";
    put32(16);
    put16(encoding);
    put16(channels);
    put32(rate);
    put32(rate * channels * bits / 8);
    put16(channels * bits / 8);
    put16(bits);
    wav += "data";
    put32(samples.size());
    return wav + samples;
}

// A second of sound that differs per seed, so copies can be told apart.
inline QByteArray voiceSamples(int seed, int size = 8000) {
    QByteArray samples(size, '\0');
    for (int i = 0; i < size; ++i)
        samples[i] = static_cast<char>(128 + ((i * (seed + 3)) % 64) - 32);
    return samples;
}
