#include "report/PrintCommand.h"

#include "report/CPrinter.h"
#include "report/ReportLines.h"

#include <QPrintDialog>
#include <QPrinter>

bool DialogPrinterChooser::choosePrinter(QPrinter& printer) {
    QPrintDialog dialog(&printer);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, true);
    dialog.setObjectName(QStringLiteral("printDialog"));
    return dialog.exec() == QDialog::Accepted;
}

PrintCommand::PrintCommand(const RegisterStore& store, const QString& configPath,
                           const Clock& clock, UserInteraction& ui, PrinterChooser& chooser)
    : store_(store), configPath_(configPath), clock_(clock), ui_(ui), chooser_(chooser) {}

void PrintCommand::run() {
    QPrinter printer(QPrinter::HighResolution);
    if (!chooser_.choosePrinter(printer))
        return;

    CPrinter report(&printer, reportTitle(configPath_));
    if (!report.StartDocument()) {
        ui_.tell(ReportText::NotPrinted);
        return;
    }
    for (const QString& line : reportLines(store_, configPath_, clock_.now()))
        report.PrintLine(line);
    report.EndDocument();
    ui_.tell(ReportText::Printed);
}
