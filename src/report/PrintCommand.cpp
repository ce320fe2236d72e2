#include "report/PrintCommand.h"

#include "report/CPrinter.h"
#include "report/ReportLines.h"

#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSaveFile>

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
    const bool printed =
        printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()
            ? printToPdfFile(printer)
            : printTo(printer);
    ui_.tell(printed ? ReportText::printed() : ReportText::notPrinted());
}

bool PrintCommand::printTo(QPagedPaintDevice& device) {
    CPrinter report(&device, reportTitle(configPath_));
    if (!report.StartDocument())
        return false;
    for (const QString& line : reportLines(store_, configPath_, clock_.now()))
        report.PrintLine(line);
    report.EndDocument();
    return true;
}

// Qt's PDF output ignores write errors, so a full disk would leave a broken
// file behind a success message. Writing through QSaveFile with the printer's
// page set-up keeps the old file until the new one is complete.
bool PrintCommand::printToPdfFile(const QPrinter& printer) {
    QSaveFile file(printer.outputFileName());
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QPdfWriter writer(&file);
    writer.setResolution(printer.resolution());
    writer.setPageLayout(printer.pageLayout());
    writer.setPdfVersion(printer.pdfVersion());
    writer.setCreator(printer.creator());
    return printTo(writer) && file.commit();
}
