// The texts the unit commands show, as the user knows them.
#pragma once

#include <QString>

namespace UnitTexts {

inline QString transferComplete() {
    return QStringLiteral("The transfer is complete !");
}
inline QString communicationError() {
    return QStringLiteral("Error communicating with unit !");
}
inline QString restartNeeded() {
    return QStringLiteral(
        "You need to restart the program in order to make the changes take effect !");
}
inline QString clockSet() {
    return QStringLiteral("Clock has been set");
}
inline QString passwordProtected() {
    return QStringLiteral("Unit is password protected");
}
inline QString uploadVoiceQuestion() {
    return QStringLiteral("Do you also want to upload the voicemessages to the unit ?");
}
inline QString voiceFilesMissing() {
    return QStringLiteral("One or more of the configured voicefiles does not exist !");
}

} // namespace UnitTexts
