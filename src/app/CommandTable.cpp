#include "app/CommandTable.h"

#include "app/QuillaryDlg.h"
#include "check/ConfigCheck.h"
#include "config/ConfigCommands.h"
#include "editor/ConfigureDialog.h"
#include "mail/SendConfig.h"
#include "report/PrintCommand.h"
#include "seams/OffUiThread.h"
#include "unit/CSetupDlg.h"
#include "unit/SafeWrite.h"
#include "unit/SyncClockCommand.h"

#include <QApplication>
#include <QCoreApplication>
#include <QPointer>

namespace {

using Window = CQuillaryDlg;
using Context = const CommandContext;

template <typename Command, typename... Extra>
void runUnitCommand(Window&, Context& c, const Extra&... extra) {
    runOnUnit(c, [&](const UnitCommandContext& unit) { Command(unit, extra...).run(); });
}

// Transfer to and from unit: journaled, and a write with a backup and a
// read-back; before the first register, the check's errors are shown and
// the user decides whether to write anyway.
template <auto Run> void runSafeUnitCommand(Window&, Context& c) {
    const UnitSafety safety{c.profile.backupAndVerify(), Journal::defaultPath(), attachedUnit(c)};
    runOnUnit(c, [&](const UnitCommandContext& unit) {
        UnitCommandContext checked = unit;
        checked.confirmWrite = [&] { return confirmCheckedWrite(unit.ui, c.session); };
        Run(checked, safety);
    });
}

const CommandRow Rows[] = {
    {IdClose,
     QT_TRANSLATE_NOOP("CQuillaryDlg", "Close"),
     "closeButton",
     {77, 133, 50, 14},
     CommandGroup::Window,
     [](Window& window, Context&) { window.CloseCommand(); }},

    {IdConfigure,
     QT_TRANSLATE_NOOP("CQuillaryDlg", "Configure..."),
     "configureButton",
     {16, 100, 77, 14},
     CommandGroup::Configuration,
     [](Window& window, Context& c) {
         runConfigureCommand(&window, c.session, c.ui, c.buttons, c.profile);
     }},

    {IdTransferFromUnit,
     QT_TRANSLATE_NOOP("CQuillaryDlg", "Transfer from unit"),
     "transferFromUnitButton",
     {114, 64, 77, 14},
     CommandGroup::Unit,
     runSafeUnitCommand<runSafeTransferFromUnit>},

    {IdTransferToUnit,
     QT_TRANSLATE_NOOP("CQuillaryDlg", "Transfer to unit"),
     "transferToUnitButton",
     {114, 46, 77, 14},
     CommandGroup::Unit,
     runSafeUnitCommand<runSafeTransferToUnit>},

    {IdSend,
     QT_TRANSLATE_NOOP("CQuillaryDlg", "Send configuration..."),
     "sendButton",
     {16, 82, 77, 14},
     CommandGroup::Configuration,
     [](Window& window, Context& c) {
         CSendConfig dialog(c.session.current(), c.ui, c.profile, {}, &window);
         dialog.exec();
     }},

    {IdPrint,
     QT_TRANSLATE_NOOP("CQuillaryDlg", "Print configuration..."),
     "printButton",
     {16, 64, 77, 14},
     CommandGroup::Configuration,
     [](Window& window, Context& c) {
         PrintCommand(c.session.store(), c.session.current().g_configPath, c.clock, c.ui,
                      window.printerChooser())
             .run();
     }},

    {IdLoad,
     QT_TRANSLATE_NOOP("CQuillaryDlg", "Load configuration..."),
     "loadButton",
     {16, 28, 77, 14},
     CommandGroup::Configuration,
     [](Window&, Context& c) { LoadConfigCommand(c.session, c.ui, c.buttons).run(); }},

    {IdSetup,
     QT_TRANSLATE_NOOP("CQuillaryDlg", "Setup"),
     "setupButton",
     {114, 100, 77, 14},
     CommandGroup::Unit,
     [](Window& window, Context& c) { SetupCommand(c.profile, c.ui, &window, c.devices); }},

    {IdSyncClock,
     QT_TRANSLATE_NOOP("CQuillaryDlg", "Syncronize clock"),
     "syncClockButton",
     {114, 82, 77, 14},
     CommandGroup::Unit,
     [](Window& window, Context& c) { runUnitCommand<SyncClockCommand>(window, c, c.clock); }},

    {IdNew,
     QT_TRANSLATE_NOOP("CQuillaryDlg", "New configuration..."),
     "newButton",
     {16, 46, 77, 14},
     CommandGroup::Configuration,
     [](Window&, Context& c) { NewConfigCommand(c.session, c.ui, c.buttons).run(); }},
};

} // namespace

// The pressed button loses the keyboard focus while the buttons are disabled;
// it gets it back afterwards, so a keyboard user stays where they were.
// One unit command at a time: the window's input is held while one runs,
// but an assistive tool may still trigger a menu action.
void runOnUnit(const CommandContext& c,
               const std::function<void(const UnitCommandContext&)>& work) {
    static bool running = false;
    if (running)
        return;
    running = true;
    const QPointer<QWidget> focused = QApplication::focusWidget();
    runOffUiThread({c.ui, c.progress, c.buttons}, [&](const CommandSeams& seams) {
        work({c.link, c.linkHandle, seams.ui, seams.buttons, seams.progress, c.session,
              c.choosePort});
    });
    running = false;
    if (c.journaled)
        c.journaled();
    if (focused && focused->isEnabled())
        focused->setFocus();
}

JournalUnit attachedUnit(const CommandContext& c) {
    // The device as the link will reach it: QUILLARY_LINK_DEVICE, else the
    // device "USB" means now, else the port text.
    QString device = qEnvironmentVariable("QUILLARY_LINK_DEVICE");
    if (device.isEmpty() && c.choosePort)
        device = c.choosePort().linkPort;
    if (device.isEmpty())
        device = c.profile.portText();
    return identifyUnit(device, c.devices);
}

std::span<const CommandRow> commandTable() {
    return Rows;
}
