// Small pieces the configuration sheet's pages and editors share.
#pragma once

#include "seams/UserInteraction.h"

#include <QByteArray>
#include <QString>

#include <initializer_list>

class QDialog;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// Stops typing past `limit` characters. A longer text put in whole (say, from
// a file) is still shown in full and can only shrink, so taking the values can
// refuse it with a message instead of cutting it silently.
void limitTyping(QLineEdit* edit, int limit);

// Register bytes into a field and back; every byte 1-255 survives.
void putBytes(QLineEdit* edit, const QByteArray& bytes);
QByteArray takeBytes(const QLineEdit* edit);

// A refusal while taking values: warning box, then the focus to the field.
void refuse(UserInteraction& ui, const QString& message, QWidget* field);

// The field's bytes into `member` when they fit in `limit`; otherwise
// `member` stays as it was, `tooLong` is refused on the field and false returned.
bool takeLimitedBytes(UserInteraction& ui, QLineEdit* edit, int limit, const QString& tooLong,
                      QByteArray& member);

// A label that names `field` for the keyboard and for screen readers.
QLabel* labelFor(const QString& text, QWidget* field, QWidget* parent);

// Notes that follow a field's text on every change. The note's own text is
// what screen readers read of it, and the field carries the same text as its
// accessible description, so it is heard with the field too.
// How many characters the field holds against its limit (the one given to
// limitTyping), and how many SMS the text takes as the unit gets it (code
// page 1252).
QLabel* smsCounter(QLineEdit* field, int limit, QWidget* parent);
// What is wrong with the field's comma-separated phone numbers, one number a
// line; hidden while nothing is.
QLabel* phoneListNote(QLineEdit* field, const QString& region, QWidget* parent);
// `field` with `note` beneath it in one cell of `grid`; `label`, the field's
// own, stays level with the field. The note wraps within the cell, and its
// room is kept whether it shows anything or not, so nothing below moves
// while the user types; a note longer than its room scrolls.
void addFieldWithNote(QGridLayout* grid, int row, QLabel* label, QLineEdit* field, QLabel* note,
                      int columnSpan = 1);

// An editor's frame: its fields in `grid`, OK at the left and Cancel at the
// right beneath them.
void layOutEditor(QDialog* editor, QGridLayout* grid, QPushButton* ok, QPushButton* cancel);

// The keyboard's order through `widgets`, first to last.
void setTabChain(std::initializer_list<QWidget*> widgets);
