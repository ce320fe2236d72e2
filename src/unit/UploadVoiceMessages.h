// Brings a configuration's voice recordings to the unit during a transfer:
// copies each recording that exists over the name the unit knows it by, in
// the configuration's folder; lists the switched-on inputs' recordings and the
// two prompts; checks that each listed file is one the unit can play; and
// hands the list to the link library, whose progress moves the sink.
#pragma once

#include "config/CurrentConfig.h"
#include "core/ProgressSink.h"
#include "unit/LinkApi.h"

#include <QString>
#include <QStringList>

class UploadVoiceMessages {
public:
    enum Result {
        Uploaded = 0,
        LinkFailed = 3,  // the link library reported a failure
        FileProblem = 5, // a listed file is missing or not in the unit's format; nothing sent
    };

    // `configFolder` is the configuration file's folder; every voice file lies there.
    UploadVoiceMessages(LinkApi& link, int32_t handle, ProgressSink& progress, QString configFolder,
                        CurrentConfig current);

    int run();

    // The unit-side names in the order the unit receives them.
    const QStringList& listed() const { return listed_; }
    // For FileProblem: the sentence to show the user.
    const QString& problem() const { return problem_; }

private:
    struct Recording {
        QString own;      // the configuration's recording, full path ("" when missing)
        QString unitName; // "H01.WAV"
        bool switchedOn;
        bool required = false; // a prompt: without it nothing is sent
    };
    QList<Recording> recordingsInSendingOrder() const;
    void stage(const QList<Recording>& recordings);
    bool checkListed(const QList<Recording>& recordings);

    LinkApi& link_;
    int32_t handle_;
    ProgressSink& progress_;
    QString folder_;
    CurrentConfig current_;
    QStringList listed_;
    QString problem_;
};

// The link library's progress callback; the context is the ProgressSink.
void VoiceUploadProgress(intptr_t context, int32_t position);
