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

QString reportTitle(const QString& configPath) {
    return ReportText::TitlePrefix + QLatin1Char('<') + configPath + QLatin1Char('>');
}

QStringList reportLines(const RegisterStore& store, const QString& configPath,
                        const QDateTime& printedAt) {
    QStringList lines;
    lines.reserve(127);
    lines << Rule << QStringLiteral(" Configuration for \"") + configPath + QLatin1Char('"')
          << QStringLiteral(" Printed ") + printedAtText(printedAt) << Rule << QString();

    lines << QStringLiteral("List of allowed phonenumbers:")
          << QStringLiteral("  ") + registerText(store, 81)
          << QStringLiteral("Clear allowed phonenumber list:")
          << QStringLiteral("  ") + registerText(store, 82)
          << QStringLiteral("Length of pulse on pulsed outputs (in mSec):")
          << QStringLiteral("  ") + registerText(store, 87) << QString();

    lines << QStringLiteral("Configuration for inputs:");
    for (int n = 1; n <= 16; ++n) {
        lines << QStringLiteral("Input: ") + QString::number(n)
              << QStringLiteral("  Phonenumbers: ") + registerText(store, n)
              << QStringLiteral("  Hightext: ") + registerText(store, 16 + n)
              << QStringLiteral("  Lowtext:  ") + registerText(store, 32 + n);
    }
    lines << QString();

    lines << QStringLiteral("Configuration for outputs:");
    for (int n = 1; n <= 16; ++n) {
        // One character an output, read past a terminating zero as the editor does.
        const bool pulsed = store.character(83, n) == 'P';
        lines << QStringLiteral("Output: ") + QString::number(n) + QStringLiteral(" Type: ") +
                     (pulsed ? QStringLiteral("Pulse") : QStringLiteral("Normal"))
              << QStringLiteral("  Hightext: ") + registerText(store, 48 + n)
              << QStringLiteral("  Lowtext:  ") + registerText(store, 64 + n);
    }
    return lines;
}
