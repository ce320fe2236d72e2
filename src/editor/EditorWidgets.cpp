#include "editor/EditorWidgets.h"

#include "config/AnsiCodec.h"

#include <QLabel>
#include <QLineEdit>
#include <algorithm>

TypingLimit::TypingLimit(QLineEdit* edit, int limit)
    : QObject(edit), previous_(edit->text()), current_(edit->text()) {
    connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) {
        previous_ = current_;
        current_ = text;
    });
    // textEdited comes after textChanged and only for the user's own changes.
    connect(edit, &QLineEdit::textEdited, this, [this, edit, limit](const QString& text) {
        if (text.size() <= limit || text.size() <= previous_.size())
            return;
        const QString kept = previous_;
        const int cursor = std::max(0, edit->cursorPosition() - int(text.size() - kept.size()));
        edit->setText(kept);
        previous_ = kept;
        edit->setCursorPosition(cursor);
    });
}

void putBytes(QLineEdit* edit, const QByteArray& bytes) {
    edit->setText(ansiToText(bytes));
}

QByteArray takeBytes(const QLineEdit* edit) {
    return textToAnsi(edit->text());
}

void refuse(UserInteraction& ui, const QString& message, QWidget* field) {
    ui.tell(message, MessageIcon::Warning);
    field->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(field))
        edit->selectAll();
}

QLabel* labelFor(const QString& text, QWidget* field, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(field);
    return label;
}
