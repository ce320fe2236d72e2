// What the configuration sheet's pages and editors need from outside: the
// user, the configuration's folder and title (where its voice messages lie),
// and a way to open the voice recorder on one message.
#pragma once

#include "core/UserInteraction.h"

#include <QString>
#include <functional>

// The values the input editor hands the voice recorder.
struct RecorderRequest {
    int capacity = 0; // bytes of voice memory in the unit
    int used = 0;     // bytes all the configuration's messages take now
    QString status;   // e.g. "Voicemessage for high on input 7"
    QString fileName; // the message's WAV file, a bare name in the configuration folder
    bool operator==(const RecorderRequest&) const = default;
};

using OpenRecorder = std::function<void(const RecorderRequest&)>;

struct EditorServices {
    UserInteraction& ui;
    QString configFolder; // empty while no configuration file is current
    QString configTitle;
    OpenRecorder openRecorder;
};
