// History...: the journal's records, newest first, narrowed to one unit when
// asked, and for the chosen record the ways back: open its backup (or what it
// wrote) as a new configuration, compare it with the current configuration,
// and write its backup back into the unit.
#pragma once

#include "app/CommandContext.h"
#include "journal/Journal.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QPushButton;
class QTreeView;
class RecordTableModel;

class HistoryDialog final : public QDialog {
    Q_OBJECT
public:
    // `restore` writes the record's backup into the unit (a journaled restore).
    HistoryDialog(Journal& journal, const CommandContext& context,
                  std::function<void(const QString& id)> restore, QWidget* parent = nullptr);

    QTreeView* recordList() const { return list_; }
    QComboBox* unitChoice() const { return units_; }

private:
    void fill();
    std::optional<JournalRecord> chosen() const;
    // The record's backup, else what it wrote (or read).
    QByteArray chosenImage(bool preferBackup) const;
    void openAsConfiguration();
    void compareWithCurrent();
    void updateButtons();

    Journal& journal_;
    CommandContext context_;
    std::function<void(const QString&)> restore_;
    QList<JournalRecord> all_;     // the whole journal, read once
    QList<JournalRecord> records_; // those listed
    RecordTableModel* model_;
    QComboBox* units_;
    QTreeView* list_;
    QPushButton* open_;
    QPushButton* compare_;
    QPushButton* restoreButton_;
};

// Opens the journal and shows the dialog; a journal that cannot be opened is told.
void runHistoryCommand(QWidget* window, const CommandContext& context);
