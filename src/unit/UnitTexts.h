// The texts the unit commands show, as the user knows them.
#pragma once

#include <QCoreApplication>
#include <QString>

namespace UnitTexts {

inline QString transferComplete() {
    return QCoreApplication::translate("UnitTexts", "The transfer is complete !");
}
inline QString communicationError() {
    return QCoreApplication::translate("UnitTexts", "Error communicating with unit !");
}
inline QString restartNeeded() {
    return QCoreApplication::translate(
        "UnitTexts", "You need to restart the program in order to make the changes take effect !");
}
inline QString clockSet() {
    return QCoreApplication::translate("UnitTexts", "Clock has been set");
}
inline QString passwordProtected() {
    return QCoreApplication::translate("UnitTexts", "Unit is password protected");
}
inline QString uploadVoiceQuestion() {
    return QCoreApplication::translate(
        "UnitTexts", "Do you also want to upload the voicemessages to the unit ?");
}
inline QString voiceFilesMissing() {
    return QCoreApplication::translate("UnitTexts",
                                       "One or more of the configured voicefiles does not exist !");
}

} // namespace UnitTexts
