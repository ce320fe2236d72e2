// The pre-flight check of a configuration: what the unit would dial or send
// wrongly, found before it goes to the unit. It refuses nothing itself; the
// callers decide what an error stops.
#pragma once

#include "check/SmsCount.h"
#include "config/RegisterStore.h"

#include <QList>
#include <QString>

struct CheckFinding {
    enum Severity { Warning, Error };
    Severity severity = Warning;
    QString code;    // "phone-invalid", "sms-multipart", ...
    int reg = 0;     // 0 for the voice prompts, which have no register
    QString field;   // as show --json names it ("inputs[2].phoneNumbers")
    QString number;  // the phone number as it stands; empty for other findings
    QString message; // "input 3 phone numbers: 601234567 is not in international form (...)"
    QString severityName() const {
        return severity == Error ? QStringLiteral("error") : QStringLiteral("warning");
    }
};

struct CheckedText {
    int reg = 0;
    QString field;
    SmsCount count;
};

struct CheckResult {
    QList<CheckFinding> findings;
    QList<CheckedText> texts; // every non-empty SMS text
    bool hasError() const;
};

struct CheckOptions {
    QString region;       // two letters; empty: no national number can be checked
    QString configFolder; // for the voice part; empty: voice not checked
    QString configTitle;
};

// The region of the desktop locale, as two capital letters; empty if none.
QString localeRegion();
// Whether libphonenumber knows the two-letter region (any case).
bool isKnownRegion(const QString& region);

CheckResult checkConfig(const RegisterStore& store, const CheckOptions& options);

// The phone findings for one comma-separated list of register bytes; each
// message starts with `place` (when given) and names the number. The editor
// checks a field's list with it as the user types.
QList<CheckFinding> checkPhoneList(const QByteArray& list, const QString& region, int reg,
                                   const QString& field, const QString& place);

class ConfigSession;
class UserInteraction;
// Before a configuration goes into a unit: the check as `write --check` runs
// it; with errors (not warnings) the user sees them and decides whether to
// write anyway, No being the default. True when the write may go on.
bool confirmCheckedWrite(UserInteraction& ui, const ConfigSession& session);
