// quillary-cli: Quillary's commands for scripts and machines without a
// desktop, over the same core classes as the window.
#include "cli/CheckCommand.h"
#include "cli/CliConsole.h"
#include "cli/CliExit.h"
#include "cli/CliPort.h"
#include "cli/CliUserInteraction.h"
#include "cli/FileCommands.h"
#include "cli/HistoryCommands.h"
#include "cli/JsonCommands.h"
#include "cli/PortsCommand.h"
#include "cli/ProvisionCommand.h"
#include "cli/UnitCommands.h"
#include "cli/VoiceCommands.h"
#include "config/ConfigFields.h"
#include "config/Profile.h"
#include "journal/TeamJournal.h"
#include "seams/Translations.h"
#include "unit/UdevSerialDeviceFinder.h"

#include <CLI/CLI.hpp>
#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <optional>

namespace {

// This file's texts, in the program's language.
struct MainText {
    Q_DECLARE_TR_FUNCTIONS(MainText)
};

const char* const Description = QT_TRANSLATE_NOOP(
    "MainText", "Quillary on the command line: shows, converts and compares configuration\n"
                "files (*.QRB) and writes them into a VELK unit, reads a unit back and sets\n"
                "its clock; makes voice messages from sound files or text.");

// The pulse range is filled in from the editor's limits, kept in one place.
const char* const Footer = QT_TRANSLATE_NOOP(
    "MainText", "Exit status: 0 success, 1 the unit or the link failed (diff: the files\n"
                "differ; check: findings; write --check: an error found, nothing written;\n"
                "provision: a unit failed), 2 wrong usage (voice speak: also nothing to\n"
                "speak, or no espeak-ng voice for the language), 3 a file cannot be read or\n"
                "written (voice import and speak: also not sound, silent, or longer than\n"
                "the unit's voice memory).\n"
                "\n"
                "The port is --port, else the setting Options/COMPORT of the program's\n"
                "profile (~/.config/quillary.ini: 0 for USB, n for COMn). The environment\n"
                "variable QUILLARY_LINK_DEVICE, when set, names the serial device to use\n"
                "whatever the profile says; --port given on the command line wins over it.\n"
                "USB means the device chosen in Setup (Options/Device), else the only USB\n"
                "serial device attached; ports lists them with the --port value of each.\n"
                "\n"
                "--journal URL, else the setting History/Database, names the team's\n"
                "journal on a PostgreSQL server (postgresql://USER@HOST[:PORT]/DATABASE;\n"
                "the password in ~/.pgpass). Every record is kept on this computer first\n"
                "and sent when its command ends; the team's records are fetched before\n"
                "history, restore and audit. An unreachable server is a notice, not a\n"
                "failure: the records wait for the next chance (history sync).\n"
                "\n"
                "show --json writes texts as the code-page-1252 characters of the register\n"
                "bytes, and what no field shows (register 86, bytes after a text's end, a\n"
                "spelling such as \"0250\") under \"extra\", so import gives back any file\n"
                "byte for byte. import refuses by name what a register cannot hold (a text\n"
                "over 255 characters, a zero character, a character outside code page 1252,\n"
                "a flag that is not true/false, a type not \"Normal\" or \"Pulse\"). What the\n"
                "configuration editor would refuse (its text lengths, the pulse duration\n"
                "outside %1 to %2) it imports with a warning; with --strict it refuses that\n"
                "too (exit 3, nothing written). import and read never replace an existing\n"
                "file without --force. read writes its file only from a complete read.\n"
                "\n"
                "voice import FILE MESSAGE AUDIO and voice speak FILE MESSAGE [--text TEXT]\n"
                "[--language CODE] write the recording of MESSAGE (H01..H16, L01..L16,\n"
                "SelectOutput, SelectOnOff) beside FILE, as Site_H03.WAV for Site.QRB, in\n"
                "the unit's format (8000 samples a second, 4000 with --low-quality),\n"
                "trimmed of silence and brought to a common loudness; a failure leaves the\n"
                "earlier recording as it was. speak takes the input's high or low text\n"
                "unless --text is given. voice list FILE [--json] lists the 34 messages\n"
                "and what Transfer to unit would send against the unit's 540,672 bytes.");

// A help text as CLI11 prints it, in the terminal's encoding.
std::string help(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

// CLI11's usage errors in the program's language: the shapes a user meets
// (a missing or unexpected argument, a value out of range) are rebuilt from
// its English message; any other keeps CLI11's own words.
std::string usageFailure(const CLI::App* app, const CLI::Error& error) {
    const QString what = QString::fromStdString(error.what());
    static const QRegularExpression required(QStringLiteral("^(\\S+) is required$"));
    static const QRegularExpression unexpected(
        QStringLiteral("^The following argument(s were| was) not expected: (.*)$"));
    static const QRegularExpression missing(
        QStringLiteral("^(\\S+): (\\d+) required (\\S+) missing$"));
    QString text = what;
    if (what == QLatin1String("A subcommand is required"))
        text = MainText::tr("A subcommand is required");
    else if (const auto match = required.match(what); match.hasMatch())
        text = MainText::tr("%1 is required").arg(match.captured(1));
    else if (const auto match = unexpected.match(what); match.hasMatch())
        text = (match.captured(1).startsWith('s')
                    ? MainText::tr("The following arguments were not expected: %1")
                    : MainText::tr("The following argument was not expected: %1"))
                   .arg(match.captured(2));
    else if (const auto match = missing.match(what); match.hasMatch())
        text =
            MainText::tr("%1: %n required %2 missing", "", match.captured(2).toInt())
                .arg(match.captured(1),
                     QString::fromLocal8Bit(
                         app->get_formatter()->get_label(match.captured(3).toStdString()).c_str()));
    return help(text + QLatin1Char('\n') +
                MainText::tr("Run with %1 for more information.").arg(QStringLiteral("--help")) +
                QLatin1Char('\n'));
}

// A count of 1 or more. CLI11's own check names its limits as floating-point
// numbers of 300 digits.
const CLI::Validator AtLeastOne(
    [](std::string& input) -> std::string {
        bool whole = false;
        const int value = QString::fromStdString(input).toInt(&whole);
        if (whole && value >= 1)
            return {};
        return help(MainText::tr("\"%1\" is not a whole number of 1 or more")
                        .arg(QString::fromLocal8Bit(input.c_str())));
    },
    "POSITIVE");

// CLI11's own words in the help (headings, value kinds, the help and version
// options) in the program's language. Subcommands share the formatter and
// take the root's option defaults and group when they are added, but make
// their own help option first, under CLI11's default group.
void translateHelp(CLI::App& app) {
    const auto formatter = app.get_formatter();
    formatter->label("Usage", help(MainText::tr("Usage")));
    formatter->label("OPTIONS", help(MainText::tr("OPTIONS")));
    formatter->label("SUBCOMMAND", help(MainText::tr("SUBCOMMAND")));
    formatter->label("SUBCOMMANDS", help(MainText::tr("SUBCOMMANDS")));
    formatter->label("Positionals", help(MainText::tr("Positionals")));
    formatter->label("REQUIRED", help(MainText::tr("REQUIRED")));
    formatter->label("TEXT", help(MainText::tr("TEXT")));
    formatter->label("INT:POSITIVE", help(MainText::tr("INT:POSITIVE")));
    app.option_defaults()->group(help(MainText::tr("Options")));
    app.group(help(MainText::tr("Subcommands")));
    app.set_help_flag("-h,--help", help(MainText::tr("Print this help message and exit")));
    app.failure_message(usageFailure);
}

// A subcommand whose help option sits with its other options. Its help shows
// its own options; the shared text (exit status, ports, JSON, voice), which it
// would take over from its parent, stays on the top-level help.
CLI::App* addCommand(CLI::App& parent, const std::string& name, const std::string& description) {
    CLI::App* command = parent.add_subcommand(name, description);
    command->get_help_ptr()->group(parent.option_defaults()->get_group());
    command->footer(help(
        MainText::tr("The exit status, the port, JSON and voice messages: quillary-cli --help")));
    return command;
}

// A configuration file the command requires, named NAME in its help.
void addConfigFile(CLI::App* command, const std::string& name, std::string& path) {
    command->add_option(name, path, help(MainText::tr("configuration file (*.QRB)")))->required();
}

// The window's profile, whichever program reads it.
QString profilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/quillary.ini");
}

// The port for the link: --port, else the profile. A device on the command
// line is used through QUILLARY_LINK_DEVICE, as everywhere; a port named on
// the command line wins over that variable.
std::optional<CliPort> choosePort(const std::string& option) {
    if (option.empty())
        return CliPort{Profile(profilePath()).portText(), {}};
    const auto port = parsePortOption(QString::fromStdString(option));
    if (!port)
        return std::nullopt;
    if (port->device.isEmpty())
        ::unsetenv("QUILLARY_LINK_DEVICE");
    else
        ::setenv("QUILLARY_LINK_DEVICE", QFile::encodeName(port->device).constData(), 1);
    return port;
}

// "USB" as the window takes it: the device chosen in Setup, else the only
// one attached. Only the commands that reach the unit ask.
bool chooseUsbPort(CliConsole& console, CliPort& port, bool portGiven) {
    if (port.portText != QLatin1String("USB1") || !port.device.isEmpty())
        return true;
    if (!portGiven && !qEnvironmentVariableIsEmpty("QUILLARY_LINK_DEVICE"))
        return true;
    UdevSerialDeviceFinder finder;
    QString error;
    const auto device =
        chooseUsbDevice(finder.devices(), Profile(profilePath()).usbDevice(), &error);
    if (!device) {
        console.fail(error);
        console.err(MainText::tr("quillary-cli ports lists the serial devices; --port picks one."));
        return false;
    }
    port.device = device->node;
    ::setenv("QUILLARY_LINK_DEVICE", QFile::encodeName(port.device).constData(), 1);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quillary-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUILLARY_VERSION));
    // JSON is read by programs: it keeps the source texts, the messages in it
    // included, whatever language the desktop speaks.
    const bool json = std::any_of(argv + 1, argv + argc, [](const char* argument) {
        return std::strcmp(argument, "--json") == 0;
    });
    if (!json)
        Translations::installPreferred(application, Profile(profilePath()).language());

    CliConsole& console = CliConsole::standard();
    CLI::App app{help(MainText::tr(Description)), "quillary-cli"};
    app.footer(help(MainText::tr(Footer).arg(FieldLimits::PulseMin).arg(FieldLimits::PulseMax)));
    translateHelp(app);
    app.set_version_flag("--version", std::string("quillary-cli ") + QUILLARY_VERSION,
                         help(MainText::tr("Display program version information and exit")));
    app.require_subcommand(1);
    app.fallthrough();
    std::string portOption;
    app.add_option("--port", portOption,
                   help(MainText::tr("USB, COM1 to COM4, or a serial device path")));
    std::string journalOption;
    app.add_option(
        "--journal", journalOption,
        help(MainText::tr("the team's journal: postgresql://USER@HOST[:PORT]/DATABASE")));
    // When the team's journal is shared: before the command reads the
    // journal, or after it has journaled its work.
    enum class Sharing { None, Before, After } sharing = Sharing::None;

    std::function<int()> run;

    std::string showFile;
    bool showJsonFlag = false;
    CLI::App* showCommand = addCommand(
        app, "show",
        help(MainText::tr("Print a configuration's listing, or with --json all of it as JSON")));
    addConfigFile(showCommand, "FILE", showFile);
    showCommand->add_flag("--json", showJsonFlag,
                          help(MainText::tr("JSON with named fields instead of the listing")));
    showCommand->callback([&] {
        run = [&] {
            const QString path = QString::fromStdString(showFile);
            return showJsonFlag ? showJson(console, path) : showListing(console, path);
        };
    });

    std::string importJson, importOut;
    bool importForce = false;
    bool importStrict = false;
    CLI::App* importCommand = addCommand(
        app, "import",
        help(MainText::tr("Make a configuration file from JSON as show --json prints it")));
    importCommand
        ->add_option("FILE.json", importJson, help(MainText::tr("the configuration as JSON")))
        ->required();
    importCommand
        ->add_option("OUT", importOut, help(MainText::tr("configuration file to write (*.QRB)")))
        ->required();
    importCommand->add_flag("--force", importForce,
                            help(MainText::tr("replace OUT when it exists")));
    importCommand->add_flag(
        "--strict", importStrict,
        help(MainText::tr("refuse values the configuration editor would refuse")));
    importCommand->callback([&] {
        run = [&] {
            return importConfig(console, QString::fromStdString(importJson),
                                QString::fromStdString(importOut), importForce, importStrict);
        };
    });

    std::string diffA, diffB;
    CLI::App* diffCommand = addCommand(
        app, "diff",
        help(MainText::tr("List the differences of two configuration files by field name")));
    addConfigFile(diffCommand, "A", diffA);
    addConfigFile(diffCommand, "B", diffB);
    diffCommand->callback([&] {
        run = [&] {
            return diffConfigs(console, QString::fromStdString(diffA),
                               QString::fromStdString(diffB));
        };
    });

    CheckCommandOptions check;
    std::string checkFile, checkRegion;
    CLI::App* checkCommandApp = addCommand(
        app, "check",
        help(MainText::tr(
            "Find phone numbers, SMS texts and voice messages the unit would use wrongly")));
    addConfigFile(checkCommandApp, "FILE", checkFile);
    checkCommandApp->add_option(
        "--region", checkRegion,
        help(MainText::tr("country of national numbers (CZ); else the desktop's")));
    checkCommandApp->add_flag("--json", check.json,
                              help(MainText::tr("findings and SMS counts as JSON")));
    checkCommandApp->callback([&] {
        run = [&] {
            check.path = QString::fromStdString(checkFile);
            check.region = QString::fromStdString(checkRegion);
            return checkCommand(console, check);
        };
    });

    std::optional<CliPort> port;

    WriteOptions write;
    std::string writeFile;
    CLI::App* writeCommand = addCommand(
        app, "write",
        help(MainText::tr("Write a configuration file (and its voice messages) into the unit")));
    addConfigFile(writeCommand, "FILE", writeFile);
    writeCommand->add_flag(
        "--voice", write.voice,
        help(MainText::tr("also send the voice messages the configuration switches on")));
    writeCommand->add_flag(
        "--verify", write.verify,
        help(MainText::tr("read the 87 registers back and name every one that differs")));
    std::string writeRegion;
    writeCommand->add_flag("--check", write.check,
                           help(MainText::tr("run check first; write nothing on an error")));
    writeCommand->add_option("--region", writeRegion, help(MainText::tr("the region for --check")));
    std::string writeBackupDir;
    writeCommand->add_option(
        "--backup", writeBackupDir,
        help(MainText::tr("first keep the unit's registers as DIR/<serial>-<time>.QRB")));
    bool writeNoSafety = false;
    bool writeNoJournal = false;
    writeCommand->add_flag(
        "--no-backup-verify", writeNoSafety,
        help(MainText::tr("neither read the unit first as a backup nor read it back after")));
    writeCommand->add_flag("--no-journal", writeNoJournal,
                           help(MainText::tr("write even when the journal cannot be written")));
    bool needsUnit = false;
    writeCommand->callback([&] {
        needsUnit = true;
        sharing = Sharing::After;
        run = [&] {
            write.path = QString::fromStdString(writeFile);
            write.region = QString::fromStdString(writeRegion);
            write.backupDir = QString::fromStdString(writeBackupDir);
            write.backupAndVerify = !writeNoSafety;
            write.journal = !writeNoJournal;
            return writeToUnit(console, *port, write);
        };
    });

    std::string readOut;
    bool readForce = false;
    CLI::App* readCommand =
        addCommand(app, "read", help(MainText::tr("Read the unit into a configuration file")));
    readCommand
        ->add_option("OUT", readOut, help(MainText::tr("configuration file to write (*.QRB)")))
        ->required();
    readCommand->add_flag("--force", readForce, help(MainText::tr("replace OUT when it exists")));
    bool readNoJournal = false;
    readCommand->add_flag("--no-journal", readNoJournal,
                          help(MainText::tr("read even when the journal cannot be written")));
    readCommand->callback([&] {
        needsUnit = true;
        sharing = Sharing::After;
        run = [&] {
            return readFromUnit(console, *port, QString::fromStdString(readOut), readForce,
                                !readNoJournal);
        };
    });

    HistoryOptions history;
    std::string historyUnit, historyId, historyOut;
    CLI::App* historyCommand =
        addCommand(app, "history",
                   help(MainText::tr(
                       "List the journal's records of writes, restores and reads, newest first")));
    historyCommand->require_subcommand(0, 1);
    historyCommand->add_option("--unit", historyUnit,
                               help(MainText::tr("only this unit: serial number or device")));
    historyCommand->add_option("--limit", history.limit, help(MainText::tr("at most N records")))
        ->check(AtLeastOne);
    historyCommand->add_flag("--json", history.json, help(MainText::tr("as JSON")));
    historyCommand->add_flag("--mine", history.mine,
                             help(MainText::tr("only the records made on this computer")));
    CLI::App* historyShow = addCommand(
        *historyCommand, "show",
        help(MainText::tr("Show one record and the fields it changed against its backup")));
    historyShow->add_option("ID", historyId, help(MainText::tr("the record's id")))->required();
    historyShow->add_flag("--json", history.json, help(MainText::tr("as JSON")));
    historyShow->callback([&] { run = [&] { return showHistoryRecord(console, history); }; });
    CLI::App* historyExport = addCommand(
        *historyCommand, "export",
        help(MainText::tr("Save a record's backup (or what it wrote) as a configuration file")));
    historyExport->add_option("ID", historyId, help(MainText::tr("the record's id")))->required();
    historyExport
        ->add_option("FILE", historyOut, help(MainText::tr("configuration file to write (*.QRB)")))
        ->required();
    historyExport->add_flag("--written", history.written,
                            help(MainText::tr("what was written instead of the backup")));
    historyExport->add_flag("--force", history.force,
                            help(MainText::tr("replace FILE when it exists")));
    historyExport->callback([&] { run = [&] { return exportHistoryRecord(console, history); }; });
    CLI::App* historySync = addCommand(
        *historyCommand, "sync",
        help(MainText::tr("Send the records not yet shared to the team database and fetch the "
                          "team's")));
    historySync->callback([&] { run = [&] { return syncHistory(console); }; });
    historyCommand->callback([&] {
        if (!run) {
            run = [&] { return listHistory(console, history); };
        }
        if (!historySync->parsed())
            sharing = Sharing::Before;
    });

    bool restoreNoSafety = false;
    CLI::App* restoreCommand = addCommand(
        app, "restore", help(MainText::tr("Write a record's backup back into the unit attached")));
    restoreCommand->add_option("ID", historyId, help(MainText::tr("the record's id")))->required();
    restoreCommand->add_flag(
        "--no-backup-verify", restoreNoSafety,
        help(MainText::tr("neither read the unit first as a backup nor read it back after")));
    restoreCommand->callback([&] {
        needsUnit = true;
        sharing = Sharing::Before;
        run = [&] {
            history.backupAndVerify = !restoreNoSafety;
            return restoreUnit(console, *port, history);
        };
    });

    CLI::App* auditCommand = addCommand(
        app, "audit",
        help(MainText::tr("Compare the unit with what the journal says was last written into it")));
    auditCommand->callback([&] {
        needsUnit = true;
        sharing = Sharing::Before;
        run = [&] { return auditUnit(console, *port); };
    });

    CLI::App* clockCommand = addCommand(
        app, "set-clock", help(MainText::tr("Set the unit's clock to this computer's local time")));
    clockCommand->callback([&] {
        needsUnit = true;
        run = [&] { return setUnitClock(console, *port); };
    });

    bool portsJson = false;
    CLI::App* portsCommand = addCommand(
        app, "ports",
        help(MainText::tr("List the serial devices attached and the --port value of each")));
    portsCommand->add_flag("--json", portsJson, help(MainText::tr("the list as JSON")));
    portsCommand->callback([&] {
        run = [&] {
            UdevSerialDeviceFinder finder;
            return listPorts(console, finder, portsJson);
        };
    });

    ProvisionOptions provision;
    std::string provisionFile, provisionLog, provisionBackup;
    CLI::App* provisionCommand = addCommand(
        app, "provision",
        help(MainText::tr(
            "Write a configuration into one unit after another as they are plugged in")));
    addConfigFile(provisionCommand, "TEMPLATE", provisionFile);
    provisionCommand->add_flag("--voice", provision.voice,
                               help(MainText::tr("also send the voice messages")));
    provisionCommand->add_option("--log", provisionLog,
                                 help(MainText::tr("append one JSON line per unit to FILE")));
    provisionCommand
        ->add_option("--count", provision.count,
                     help(MainText::tr("stop after N units (default: Ctrl-C)")))
        ->check(AtLeastOne);
    provisionCommand->add_option(
        "--backup", provisionBackup,
        help(MainText::tr("first keep each unit's registers as DIR/<serial>-<time>.QRB")));
    bool provisionNoJournal = false;
    provisionCommand->add_flag("--no-journal", provisionNoJournal,
                               help(MainText::tr("write even when the journal cannot be written")));
    provisionCommand->callback([&] {
        sharing = Sharing::After;
        run = [&] {
            provision.templatePath = QString::fromStdString(provisionFile);
            provision.logPath = QString::fromStdString(provisionLog);
            provision.backupDir = QString::fromStdString(provisionBackup);
            provision.journal = !provisionNoJournal;
            UdevSerialDeviceFinder finder;
            return provisionUnits(console, finder, provision);
        };
    });

    VoiceCommandOptions voice;
    std::string voiceConfig, voiceMessage, voiceAudio, voiceText, voiceLanguage;
    CLI::App* voiceCommand = addCommand(
        app, "voice",
        help(MainText::tr("Make voice messages from sound files or text, and list them")));
    voiceCommand->require_subcommand(1);
    const std::string messageHelp =
        help(MainText::tr("H01..H16, L01..L16, SelectOutput or SelectOnOff (any case)"));
    CLI::App* voiceImportCommand =
        addCommand(*voiceCommand, "import",
                   help(MainText::tr(
                       "Make MESSAGE's recording from a WAV, FLAC, Ogg Vorbis, Opus or MP3 file")));
    addConfigFile(voiceImportCommand, "FILE", voiceConfig);
    voiceImportCommand->add_option("MESSAGE", voiceMessage, messageHelp)->required();
    voiceImportCommand->add_option("AUDIO", voiceAudio, help(MainText::tr("the sound file")))
        ->required();
    voiceImportCommand->add_flag("--low-quality", voice.lowQuality,
                                 help(MainText::tr("4000 samples a second instead of 8000")));
    voiceImportCommand->callback([&] { run = [&] { return voiceImport(console, voice); }; });
    CLI::App* voiceSpeakCommand = addCommand(
        *voiceCommand, "speak",
        help(MainText::tr("Make MESSAGE's recording by speaking the input's high or low text")));
    addConfigFile(voiceSpeakCommand, "FILE", voiceConfig);
    voiceSpeakCommand->add_option("MESSAGE", voiceMessage, messageHelp)->required();
    CLI::Option* voiceTextOption = voiceSpeakCommand->add_option(
        "--text", voiceText,
        help(MainText::tr("the text to speak instead (needed for the prompts)")));
    voiceSpeakCommand->add_option(
        "--language", voiceLanguage,
        help(MainText::tr("espeak-ng voice such as en, de, cs; else VoiceRecorder/"
                          "Language, else the desktop's language")));
    voiceSpeakCommand->add_flag("--low-quality", voice.lowQuality,
                                help(MainText::tr("4000 samples a second instead of 8000")));
    voiceSpeakCommand->callback([&] {
        run = [&] {
            if (voiceTextOption->count() > 0)
                voice.text = QString::fromLocal8Bit(voiceText.c_str());
            voice.language = QString::fromStdString(voiceLanguage);
            return voiceSpeak(console, voice);
        };
    });
    CLI::App* voiceListCommand =
        addCommand(*voiceCommand, "list",
                   help(MainText::tr("List the 34 messages and what Transfer to unit would send")));
    addConfigFile(voiceListCommand, "FILE", voiceConfig);
    voiceListCommand->add_flag("--json", voice.json, help(MainText::tr("as JSON")));
    voiceListCommand->callback([&] { run = [&] { return voiceList(console, voice); }; });
    // Filled in after parsing, whichever voice command runs.
    auto voicePaths = [&] {
        voice.configPath = QString::fromLocal8Bit(voiceConfig.c_str());
        voice.message = QString::fromStdString(voiceMessage);
        voice.audioPath = QString::fromLocal8Bit(voiceAudio.c_str());
        voice.profilePath = profilePath();
    };

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        return app.exit(error) == 0 ? ExitOk : ExitUsage;
    }

    port = choosePort(portOption);
    if (!port) {
        console.fail(MainText::tr("--port takes USB, COM1 to COM4 or a device path, not \"%1\"")
                         .arg(QString::fromStdString(portOption)));
        return ExitUsage;
    }
    voicePaths();
    history.unit = QString::fromStdString(historyUnit);
    history.id = QString::fromStdString(historyId);
    history.outPath = QString::fromLocal8Bit(historyOut.c_str());
    const Profile profile(profilePath());
    const QString teamUrl =
        journalOption.empty() ? profile.teamDatabase() : QString::fromStdString(journalOption);
    if (!teamUrl.isEmpty()) {
        QString error;
        std::unique_ptr<TeamJournal> team =
            TeamJournal::create(teamUrl, profile.teamCaFile(), &error);
        if (!team) {
            console.fail(error);
            return ExitUsage;
        }
        setTeamJournal(std::move(team));
    }
    if (needsUnit && !chooseUsbPort(console, *port, !portOption.empty()))
        return ExitUnit;
    if (!run)
        return ExitUsage;
    if (sharing == Sharing::Before)
        shareJournal(console);
    const int status = run();
    if (sharing == Sharing::After)
        shareJournal(console);
    setTeamJournal(nullptr);
    return status;
}
