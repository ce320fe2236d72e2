// Small pieces the configuration sheet's pages and editors share.
#pragma once

#include "core/UserInteraction.h"

#include <QByteArray>
#include <QObject>
#include <QString>

class QLabel;
class QLineEdit;
class QWidget;

// Stops typing past `limit` characters. Unlike QLineEdit::setMaxLength it
// keeps a longer text that was put in whole (say, from a file), so taking the
// values can refuse it with a message instead of cutting it silently.
class TypingLimit : public QObject {
public:
    TypingLimit(QLineEdit* edit, int limit);

private:
    QString previous_;
    QString current_;
};

// Register bytes into a field and back; every byte 1-255 survives.
void putBytes(QLineEdit* edit, const QByteArray& bytes);
QByteArray takeBytes(const QLineEdit* edit);

// A refusal while taking values: warning box, then the focus to the field.
void refuse(UserInteraction& ui, const QString& message, QWidget* field);

// A label that names `field` for the keyboard and for screen readers.
QLabel* labelFor(const QString& text, QWidget* field, QWidget* parent);
