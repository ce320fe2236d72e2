// "Print configuration...": asks for a printer, prints the listing of the
// configuration through CPrinter and tells the user how it went.
#pragma once

#include "config/RegisterStore.h"
#include "seams/Clock.h"
#include "seams/UserInteraction.h"

#include <QString>

class QPagedPaintDevice;
class QPrinter;

// Lets the user pick and set up the printer. False when they cancelled.
class PrinterChooser {
public:
    virtual ~PrinterChooser() = default;
    virtual bool choosePrinter(QPrinter& printer) = 0;
};

// The print dialog without page range or selection. "Print to File (PDF)"
// stays on offer: without a printer set up it is how a printout is made.
class DialogPrinterChooser final : public PrinterChooser {
public:
    bool choosePrinter(QPrinter& printer) override;
};

class PrintCommand {
public:
    // `configPath` is read when the command runs.
    PrintCommand(const RegisterStore& store, const QString& configPath, const Clock& clock,
                 UserInteraction& ui, PrinterChooser& chooser);

    // Asks for a printer and prints; the user hears how it went unless they
    // cancelled.
    void run();

private:
    bool printTo(QPagedPaintDevice& device);
    bool printToPdfFile(const QPrinter& printer);

    const RegisterStore& store_;
    const QString& configPath_;
    const Clock& clock_;
    UserInteraction& ui_;
    PrinterChooser& chooser_;
};
