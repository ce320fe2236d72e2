// The printed listing of a configuration, as plain text lines: the
// parameters, then the 16 inputs, then the 16 outputs. Kept apart from the
// drawing so the listing can be checked as text.
#pragma once

#include "config/RegisterStore.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace ReportText {
inline const QString TitlePrefix = QStringLiteral("Configuration for ");
inline const QString Printed = QStringLiteral("Configuration has been printed");
inline const QString NotPrinted =
    QStringLiteral("Configuration could NOT be printed due to an error !");
} // namespace ReportText

// The document name and page heading: "Configuration for <path>".
QString reportTitle(const QString& configPath);

// The 127 lines of the listing. Register texts are taken as they stand: they
// never act as formats and are never cut short here.
QStringList reportLines(const RegisterStore& store, const QString& configPath,
                        const QDateTime& printedAt);
