// The printed listing of a configuration, as plain text lines: the
// parameters, then the 16 inputs, then the 16 outputs. Kept apart from the
// drawing so the listing can be checked as text.
#pragma once

#include "config/RegisterStore.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QString>
#include <QStringList>

// The report's fixed words, in the program's language.
class ReportText {
    Q_DECLARE_TR_FUNCTIONS(ReportText)
public:
    static QString printed();
    static QString notPrinted();
};

// The document name and page heading: "Configuration for <path>".
QString reportTitle(const QString& configPath);

// The 127 lines of the listing. Register texts are taken as they stand: they
// never act as formats and are never cut short here.
QStringList reportLines(const RegisterStore& store, const QString& configPath,
                        const QDateTime& printedAt);
