#include "report/ColourTokens.h"

#include <cstdio>

namespace {
constexpr qsizetype TokenLength = 16;
constexpr qsizetype InnerLength = TokenLength - 2;
} // namespace

std::optional<TextColour> parseColourToken(const QString& inner) {
    // Only the reading of numbers is left to sscanf; the text is its input,
    // never its format. Characters outside Latin-1 cannot be digits anyway.
    const QByteArray bytes = inner.toLatin1();
    unsigned red = 0, green = 0, blue = 0;
    if (std::sscanf(bytes.constData(), "%X,%X,%X", &red, &green, &blue) != 3)
        return std::nullopt;
    return TextColour{int(red & 0xFF), int(green & 0xFF), int(blue & 0xFF)};
}

QList<ColouredRun> splitColourTokens(const QString& line) {
    QList<ColouredRun> runs{{std::nullopt, QString()}};
    qsizetype i = 0;
    while (i < line.size()) {
        const QChar c = line[i];
        const bool roomForToken = i + TokenLength - 1 < line.size();
        if (roomForToken && c == QLatin1Char('{') &&
            line[i + TokenLength - 1] == QLatin1Char('}')) {
            if (const auto colour = parseColourToken(line.mid(i + 1, InnerLength))) {
                runs.append({colour, QString()});
                i += TokenLength;
                continue;
            }
        }
        runs.last().text.append(c);
        ++i;
    }
    return runs;
}
