// What the configuration sheet's pages and editors need from outside: the
// user, the configuration's folder and title (where its voice messages lie),
// a way to open the voice recorder on one message, and the country whose
// national numbers the phone fields check.
#pragma once

#include "seams/UserInteraction.h"
#include "voice/VoiceRecorder.h"

#include <QString>
#include <functional>

using OpenRecorder = std::function<void(const VoiceRecorderRequest&)>;

struct EditorServices {
    UserInteraction& ui;
    QString configFolder; // empty while no configuration file is current
    QString configTitle;
    OpenRecorder openRecorder;
    QString phoneRegion; // two letters; empty: national numbers cannot be checked
};
