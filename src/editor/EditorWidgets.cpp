#include "editor/EditorWidgets.h"

#include "check/ConfigCheck.h"
#include "check/SmsCount.h"
#include "config/AnsiCodec.h"

#include <QCoreApplication>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

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

namespace {

struct EditorText {
    Q_DECLARE_TR_FUNCTIONS(EditorText)
};

// How many lines of room a note keeps: a counter's one, or a list's few.
const char* const ReservedLines = "quillaryReservedLines";
constexpr int CounterLines = 1;
constexpr int ListNoteLines = 5;

QLabel* noteUnder(QLineEdit* field, QWidget* parent, const char* suffix, int lines,
                  std::function<QString(const QString&)> describe) {
    auto* note = new QLabel(parent);
    note->setObjectName(field->objectName() + QLatin1String(suffix));
    note->setProperty(ReservedLines, lines);
    // What the user typed is shown as it stands, never as markup.
    note->setTextFormat(Qt::PlainText);
    note->setWordWrap(true);
    const auto update = [field, note, describe](const QString& text) {
        const QString description = describe(text);
        // A long list loaded from a file would stretch the dialog off the
        // screen; the rest is in the tool tip and the field's description.
        constexpr int MaxLines = 4;
        QStringList lines = description.split('\n');
        const bool cut = lines.size() > MaxLines;
        if (cut) {
            const qsizetype more = lines.size() - (MaxLines - 1);
            lines.resize(MaxLines - 1);
            lines << EditorText::tr("... and %n more", nullptr, int(more));
        }
        note->setText(lines.join('\n'));
        // A tool tip that looks like markup is shown as markup: escape it.
        note->setToolTip(cut ? QStringLiteral("<p style=\"white-space:pre\">%1</p>")
                                   .arg(description.toHtmlEscaped())
                             : QString());
        note->setVisible(!description.isEmpty());
        field->setAccessibleDescription(description);
    };
    QObject::connect(field, &QLineEdit::textChanged, note, update);
    update(field->text());
    return note;
}

} // namespace

QLabel* smsCounter(QLineEdit* field, int limit, QWidget* parent) {
    return noteUnder(field, parent, "Count", CounterLines, [limit](const QString& text) {
        // What the unit sends: characters outside the code page reach it as '?'.
        return countSms(textToAnsi(text)).label(int(text.size()), limit);
    });
}

QLabel* phoneListNote(QLineEdit* field, const QString& region, QWidget* parent) {
    return noteUnder(field, parent, "Note", ListNoteLines, [region](const QString& text) {
        QStringList lines;
        for (const CheckFinding& finding : checkPhoneList(textToAnsi(text), region, 0, {}, {}))
            lines << finding.message;
        return lines.join('\n');
    });
}

void addFieldWithNote(QGridLayout* grid, int row, QLabel* label, QLineEdit* field, QLabel* note,
                      int columnSpan) {
    auto* room = new QScrollArea(note->parentWidget());
    room->setObjectName(note->objectName() + QLatin1String("Room"));
    room->setFrameShape(QFrame::NoFrame);
    room->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    room->setWidgetResizable(true);
    room->setFocusPolicy(Qt::NoFocus);
    room->viewport()->setAutoFillBackground(false);
    const bool shown = !note->text().isEmpty();
    room->setWidget(note);
    note->setAutoFillBackground(false); // setWidget paints it like a view's contents
    note->setVisible(shown);
    const int lines = std::max(1, note->property(ReservedLines).toInt());
    room->setFixedHeight(lines * note->fontMetrics().lineSpacing());
    room->setMinimumWidth(0);
    auto* cell = new QVBoxLayout;
    cell->setSpacing(2);
    cell->addWidget(field);
    cell->addWidget(room);
    // Level with the field however tall its note grows.
    label->setMinimumHeight(field->sizeHint().height());
    grid->addWidget(label, row, 0, Qt::AlignTop);
    grid->addLayout(cell, row, 1, 1, columnSpan, Qt::AlignTop);
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
