#include "cli/CliPort.h"

std::optional<CliPort> parsePortOption(const QString& text) {
    if (text.compare(QStringLiteral("USB"), Qt::CaseInsensitive) == 0)
        return CliPort{QStringLiteral("USB1"), {}};
    for (int port = 1; port <= 4; ++port) {
        if (text.compare(QStringLiteral("COM%1").arg(port), Qt::CaseInsensitive) == 0)
            return CliPort{QStringLiteral("COM%1").arg(port), {}};
    }
    if (text.contains('/'))
        return CliPort{QStringLiteral("COM0"), text};
    return std::nullopt;
}
