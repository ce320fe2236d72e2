#include "report/ReportLines.h"

#include "config/AnsiCodec.h"
#include "config/ConfigFields.h"

namespace {

const QString Rule = QString(79, QLatin1Char('-'));

// The listing shows each field's register as it stands, unread by the editor.
QString registerText(const RegisterStore& store, FieldId id, int entry = 0) {
    return ansiToText(store.text(configField(id).reg(entry)));
}

QString printedAtText(const QDateTime& time) {
    const QDate date = time.date();
    const QTime clock = time.time();
    return QString::asprintf("%i-%02i-%02i %02i:%02i", date.year(), date.month(), date.day(),
                             clock.hour(), clock.minute());
}

} // namespace

QString ReportText::printed() {
    return ReportText::tr("Configuration has been printed");
}

QString ReportText::notPrinted() {
    return ReportText::tr("Configuration could NOT be printed due to an error !");
}

QString reportTitle(const QString& configPath) {
    return ReportText::tr("Configuration for <%1>").arg(configPath);
}

QStringList reportLines(const RegisterStore& store, const QString& configPath,
                        const QDateTime& printedAt) {
    QStringList lines;
    lines.reserve(127);
    lines << Rule << ReportText::tr(" Configuration for \"%1\"").arg(configPath)
          << ReportText::tr(" Printed %1").arg(printedAtText(printedAt)) << Rule << QString();

    lines << ReportText::tr("List of allowed phonenumbers:")
          << QStringLiteral("  ") + registerText(store, FieldId::Callers)
          << ReportText::tr("Clear allowed phonenumber list:")
          << QStringLiteral("  ") + registerText(store, FieldId::ClearCommand)
          << ReportText::tr("Length of pulse on pulsed outputs (in mSec):")
          << QStringLiteral("  ") + registerText(store, FieldId::PulseDuration) << QString();

    lines << ReportText::tr("Configuration for inputs:");
    for (int n = 1; n <= ConfigInputCount; ++n) {
        lines << ReportText::tr("Input: %1").arg(n)
              << ReportText::tr("  Phonenumbers: ") +
                     registerText(store, FieldId::PhoneNumbers, n - 1)
              << ReportText::tr("  Hightext: ") + registerText(store, FieldId::InputHighText, n - 1)
              << ReportText::tr("  Lowtext:  ") + registerText(store, FieldId::InputLowText, n - 1);
    }
    lines << QString();

    lines << ReportText::tr("Configuration for outputs:");
    for (int n = 1; n <= ConfigOutputCount; ++n) {
        // One character an output, read past a terminating zero as the editor does.
        const bool pulsed = store.character(configField(FieldId::OutputType).reg(), n) == 'P';
        lines << ReportText::tr("Output: %1 Type: %2")
                     .arg(n)
                     .arg(pulsed ? ReportText::tr("Pulse") : ReportText::tr("Normal"))
              << ReportText::tr("  Hightext: ") +
                     registerText(store, FieldId::OutputHighText, n - 1)
              << ReportText::tr("  Lowtext:  ") +
                     registerText(store, FieldId::OutputLowText, n - 1);
    }
    return lines;
}
