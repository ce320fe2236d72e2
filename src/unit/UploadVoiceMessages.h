// Brings a configuration's voice recordings to the unit during a transfer:
// lists the switched-on inputs' recordings and the two prompts; checks that
// each listed file is one the unit can play (before the transfer writes any
// register); copies each listed one under the name the unit knows it by into
// a private temporary folder, since the link library sends a file under its
// own name; and hands the copies to the link library, whose progress moves
// the sink. Nothing in the configuration's folder is written.
#pragma once

#include "config/CurrentConfig.h"
#include "config/VoiceFiles.h"
#include "seams/ProgressSink.h"
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

    // Checks every file that will be sent; false with problem() set when one
    // cannot go. Reads no more of each than the unit can hold.
    bool check();
    // Checks (unless check() passed already), stages and sends.
    int run();

    // The unit-side names in the order the unit receives them.
    const QStringList& listed() const { return listed_; }
    // For FileProblem: the sentence to show the user.
    const QString& problem() const { return problem_; }

private:
    using Recording = VoiceFiles::Recording;
    bool stage(const QString& stagingFolder, QStringList* paths);

    LinkApi& link_;
    int32_t handle_;
    ProgressSink& progress_;
    QString folder_;
    CurrentConfig current_;
    QList<Recording> toSend_;
    QStringList listed_;
    QString problem_;
    bool checked_ = false;
};

// The link library's progress callback; the context is the ProgressSink.
void VoiceUploadProgress(intptr_t context, int32_t position);
