// A configuration's 34 voice messages by the names installers use ("H03",
// "L16", "SelectOutput"), and what each one's recording holds: the listing
// behind `quillary-cli voice list`, and the text a message is spoken from.
#pragma once

#include "check/ConfigCheck.h"
#include "config/RegisterStore.h"

#include <QList>
#include <QString>

#include <optional>

struct VoiceMessageId {
    enum Kind { High, Low, SelectOutput, SelectOnOff };
    Kind kind = High;
    int input = 0; // 1..16 for High and Low

    // "H03", "h3", "L16", "selectoutput", ...; nothing for anything else.
    static std::optional<VoiceMessageId> parse(const QString& text);
    QString name() const; // "H03", "SelectOutput"
    // The recording's name beside the configuration ("Site_H03.WAV").
    QString configName(const QString& title) const;
    // The input's high or low text (register bytes); empty for the prompts.
    QByteArray text(const RegisterStore& store) const;
};

struct VoiceMessageEntry {
    VoiceMessageId id;
    QString file; // the recording's name, as found in the folder or as it would be made
    QString path; // full path; empty when missing
    bool switchedOn = false;
    bool present = false;
    bool sent = false;  // Transfer to unit would send it
    QString format;     // "8-bit mono PCM, 8000 Hz"; empty when unknown
    QString problem;    // why the unit cannot take it; empty when it can or it is missing
    double seconds = 0; // playing time; 0 when unknown
    qint64 bytes = 0;   // sound data as the unit's memory counts it
};

struct VoiceMessageList {
    QList<VoiceMessageEntry> messages; // in the order the unit receives them
    qint64 totalBytes = 0;             // of those Transfer to unit would send
    QList<CheckFinding> findings;      // the pre-flight check's voice findings
};

// Lists the messages of the configuration file `configPath` whose registers
// are `store`, choosing as Transfer to unit does.
VoiceMessageList listVoiceMessages(const RegisterStore& store, const QString& configPath);
