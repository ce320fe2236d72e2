// Inline colour tokens in a printed line: "{RRRR,GGGG,BBBB}", 16 characters
// with '{' and '}' 15 apart, three hexadecimal numbers of which the low 8 bits
// give red, green and blue. Anything that does not read as one is plain text.
#pragma once

#include <QList>
#include <QString>

#include <optional>

struct TextColour {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const TextColour&) const = default;
};

// A stretch of a line, drawn after switching to `colour` when it has one.
struct ColouredRun {
    std::optional<TextColour> colour;
    QString text;
    bool operator==(const ColouredRun&) const = default;
};

// The line cut at its tokens; the tokens themselves are not in any run's text.
QList<ColouredRun> splitColourTokens(const QString& line);

// The colour in the 14 characters between the braces, read like scanf's
// "%X,%X,%X": blanks before each number skipped, anything after the third
// number ignored.
std::optional<TextColour> parseColourToken(const QString& inner);
