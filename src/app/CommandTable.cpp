#include "app/CommandTable.h"

#include "app/QuillaryDlg.h"
#include "config/ConfigCommands.h"
#include "mail/SendConfig.h"
#include "report/PrintCommand.h"

namespace {

using Window = CQuillaryDlg;
using Context = const CommandContext;

// Commands whose work arrives with the editor and the unit transfers; their
// buttons already follow the enable rules.
void notYet(Window&, Context&) {}

const CommandRow Rows[] = {
    {IdClose,
     "Close",
     "closeButton",
     {77, 133, 50, 14},
     CommandGroup::Window,
     [](Window& window, Context&) { window.CloseCommand(); }},

    {IdConfigure,
     "Configure...",
     "configureButton",
     {16, 100, 77, 14},
     CommandGroup::Configuration,
     notYet},

    {IdTransferFromUnit,
     "Transfer from unit",
     "transferFromUnitButton",
     {114, 64, 77, 14},
     CommandGroup::Unit,
     notYet},

    {IdTransferToUnit,
     "Transfer to unit",
     "transferToUnitButton",
     {114, 46, 77, 14},
     CommandGroup::Unit,
     notYet},

    {IdSend,
     "Send configuration...",
     "sendButton",
     {16, 82, 77, 14},
     CommandGroup::Configuration,
     [](Window& window, Context& c) {
         CSendConfig dialog(c.session.current(), c.ui, c.profile, {}, &window);
         dialog.exec();
     }},

    {IdPrint,
     "Print configuration...",
     "printButton",
     {16, 64, 77, 14},
     CommandGroup::Configuration,
     [](Window& window, Context& c) {
         PrintCommand(c.session.store(), c.session.current().g_configPath, c.clock, c.ui,
                      window.printerChooser())
             .run();
     }},

    {IdLoad,
     "Load configuration...",
     "loadButton",
     {16, 28, 77, 14},
     CommandGroup::Configuration,
     [](Window&, Context& c) { LoadConfigCommand(c.session, c.ui, c.buttons).run(); }},

    {IdSetup, "Setup", "setupButton", {114, 100, 77, 14}, CommandGroup::Unit, notYet},

    {IdSyncClock,
     "Syncronize clock",
     "syncClockButton",
     {114, 82, 77, 14},
     CommandGroup::Unit,
     notYet},

    {IdNew,
     "New configuration...",
     "newButton",
     {16, 46, 77, 14},
     CommandGroup::Configuration,
     [](Window&, Context& c) { NewConfigCommand(c.session, c.ui, c.buttons).run(); }},
};

} // namespace

std::span<const CommandRow> commandTable() {
    return Rows;
}
