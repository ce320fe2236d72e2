#include "cli/PortsCommand.h"

#include "cli/CliExit.h"
#include "cli/FileCommands.h"
#include "unit/SerialDevices.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {
// This file's texts, in the program's language.
struct PortsText {
    Q_DECLARE_TR_FUNCTIONS(PortsText)
};
} // namespace

int listPorts(CliConsole& console, SerialDeviceFinder& finder, bool json) {
    const QList<SerialDevice> devices = finder.devices();
    if (json) {
        QJsonArray list;
        for (const SerialDevice& device : devices) {
            list.append(QJsonObject{{QStringLiteral("device"), device.node},
                                    {QStringLiteral("stableName"), device.stableName},
                                    {QStringLiteral("vendor"), device.vendor},
                                    {QStringLiteral("model"), device.model},
                                    {QStringLiteral("serial"), device.serial},
                                    {QStringLiteral("usb"), device.usb},
                                    {QStringLiteral("port"), device.portOption()}});
        }
        return writeStandardOutput(console, QJsonDocument(list).toJson()) ? ExitOk : ExitFile;
    }
    if (devices.isEmpty()) {
        console.err(PortsText::tr("No serial device is attached."));
        return ExitOk;
    }
    QStringList lines;
    const auto orDash = [](const QString& text) {
        return text.isEmpty() ? QStringLiteral("-") : text;
    };
    for (const SerialDevice& device : devices) {
        lines << QStringLiteral("%1\t%2\t%3\t%4\t%5\t--port %6")
                     .arg(device.node, orDash(device.stableName), orDash(device.vendor),
                          orDash(device.model), orDash(device.serial), device.portOption());
    }
    return writeStandardOutput(console, lines.join(QLatin1Char('\n')).toUtf8() + '\n') ? ExitOk
                                                                                       : ExitFile;
}
