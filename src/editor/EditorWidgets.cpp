#include "editor/EditorWidgets.h"

#include "config/AnsiCodec.h"

#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

void limitTyping(QLineEdit* edit, int limit) {
    edit->setMaxLength(limit);
    QObject::connect(edit, &QLineEdit::textChanged, edit, [edit, limit](const QString& text) {
        // An over-long text that shrinks takes the room it gave up with it.
        if (edit->maxLength() > limit && text.size() < edit->maxLength()) {
            const int cursor = edit->cursorPosition();
            edit->setMaxLength(std::max(limit, int(text.size())));
            edit->setCursorPosition(cursor);
        }
    });
}

void putBytes(QLineEdit* edit, const QByteArray& bytes) {
    // setText would cut the text at the field's limit.
    if (bytes.size() > edit->maxLength())
        edit->setMaxLength(int(bytes.size()));
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

bool takeLimitedBytes(UserInteraction& ui, QLineEdit* edit, int limit, const QString& tooLong,
                      QByteArray& member) {
    const QByteArray bytes = takeBytes(edit);
    if (bytes.size() > limit) {
        refuse(ui, tooLong, edit);
        return false;
    }
    member = bytes;
    return true;
}

QLabel* labelFor(const QString& text, QWidget* field, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(field);
    return label;
}

void layOutEditor(QDialog* editor, QGridLayout* grid, QPushButton* ok, QPushButton* cancel) {
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ok);
    buttons->addStretch(1);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(editor);
    layout->addLayout(grid);
    layout->addLayout(buttons);
}

void setTabChain(std::initializer_list<QWidget*> widgets) {
    QWidget* previous = nullptr;
    for (QWidget* widget : widgets) {
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}
