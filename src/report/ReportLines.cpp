#include "report/ReportLines.h"

#include "config/AnsiCodec.h"

namespace {

const QString Rule = QString(79, QLatin1Char('-'));

QString registerText(const RegisterStore& store, int reg) {
    return ansiToText(store.text(reg));
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
          << QStringLiteral("  ") + registerText(store, 81)
          << ReportText::tr("Clear allowed phonenumber list:")
          << QStringLiteral("  ") + registerText(store, 82)
          << ReportText::tr("Length of pulse on pulsed outputs (in mSec):")
          << QStringLiteral("  ") + registerText(store, 87) << QString();

    lines << ReportText::tr("Configuration for inputs:");
    for (int n = 1; n <= 16; ++n) {
        lines << ReportText::tr("Input: %1").arg(n)
              << ReportText::tr("  Phonenumbers: ") + registerText(store, n)
              << ReportText::tr("  Hightext: ") + registerText(store, 16 + n)
              << ReportText::tr("  Lowtext:  ") + registerText(store, 32 + n);
    }
    lines << QString();

    lines << ReportText::tr("Configuration for outputs:");
    for (int n = 1; n <= 16; ++n) {
        // One character an output, read past a terminating zero as the editor does.
        const bool pulsed = store.character(83, n) == 'P';
        lines << ReportText::tr("Output: %1 Type: %2")
                     .arg(n)
                     .arg(pulsed ? ReportText::tr("Pulse") : ReportText::tr("Normal"))
              << ReportText::tr("  Hightext: ") + registerText(store, 48 + n)
              << ReportText::tr("  Lowtext:  ") + registerText(store, 64 + n);
    }
    return lines;
}
