#include "app/HistoryDialog.h"

#include "app/CommandTable.h"
#include "config/ConfigCommands.h"
#include "config/ConfigFields.h"
#include "config/ConfigFile.h"
#include "unit/SafeWrite.h"

#include <QAbstractTableModel>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

QString unitName(const JournalUnit& unit) {
    return unit.serial.isEmpty() ? unit.device : unit.serial;
}

} // namespace

// The records as rows; the view asks only for those it shows, so a journal
// of ten thousand records opens at once.
class RecordTableModel final : public QAbstractTableModel {
public:
    RecordTableModel(const QList<JournalRecord>& records, QObject* parent)
        : QAbstractTableModel(parent), records_(records) {}
    // Only a team shares records: without a team database none waits.
    void reset(bool team) {
        beginResetModel();
        team_ = team;
        endResetModel();
    }
    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(records_.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : 6;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid())
            return {};
        const JournalRecord& record = records_[index.row()];
        switch (index.column()) {
        case 0:
            return QLocale().toString(record.started.toLocalTime(), QLocale::ShortFormat);
        case 1:
            return record.kind;
        case 2:
            return unitName(record.unit);
        case 3:
            return record.configPath;
        case 4: {
            const QString result =
                record.result.isEmpty() ? HistoryDialog::tr("running") : record.result;
            return team_ && !record.shared ? HistoryDialog::tr("%1 (not yet shared)").arg(result)
                                           : result;
        }
        default:
            return HistoryDialog::tr("%1 on %2").arg(record.user, record.host);
        }
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return {};
        const QStringList titles{HistoryDialog::tr("Time"),   HistoryDialog::tr("Kind"),
                                 HistoryDialog::tr("Unit"),   HistoryDialog::tr("Configuration"),
                                 HistoryDialog::tr("Result"), HistoryDialog::tr("By")};
        return titles.value(section);
    }

private:
    const QList<JournalRecord>& records_;
    bool team_ = false;
};

HistoryDialog::HistoryDialog(Journal& journal, const CommandContext& context,
                             std::function<void(const QString&)> restore, QWidget* parent)
    : QDialog(parent), journal_(journal), context_(context), restore_(std::move(restore)) {
    setObjectName(QStringLiteral("historyDialog"));
    setWindowTitle(tr("History"));
    auto* layout = new QVBoxLayout(this);
    auto* unitLabel = new QLabel(tr("&Unit:"), this);
    units_ = new QComboBox(this);
    units_->setObjectName(QStringLiteral("unitComboBox"));
    unitLabel->setBuddy(units_);
    auto* unitRow = new QHBoxLayout;
    unitRow->addWidget(unitLabel);
    unitRow->addWidget(units_, 1);
    layout->addLayout(unitRow);

    list_ = new QTreeView(this);
    list_->setObjectName(QStringLiteral("recordList"));
    list_->setAccessibleName(tr("Records"));
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    model_ = new RecordTableModel(records_, this);
    list_->setModel(model_);
    layout->addWidget(list_, 1);

    auto* buttons = new QDialogButtonBox(this);
    open_ = buttons->addButton(tr("&Open as configuration..."), QDialogButtonBox::ActionRole);
    open_->setObjectName(QStringLiteral("openAsConfigurationButton"));
    compare_ =
        buttons->addButton(tr("&Compare with current configuration"), QDialogButtonBox::ActionRole);
    compare_->setObjectName(QStringLiteral("compareButton"));
    restoreButton_ = buttons->addButton(tr("&Restore to unit"), QDialogButtonBox::ActionRole);
    restoreButton_->setObjectName(QStringLiteral("restoreButton"));
    QPushButton* close = buttons->addButton(QDialogButtonBox::Close);
    close->setObjectName(QStringLiteral("closeButton"));
    layout->addWidget(buttons);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(open_, &QPushButton::clicked, this, &HistoryDialog::openAsConfiguration);
    connect(compare_, &QPushButton::clicked, this, &HistoryDialog::compareWithCurrent);
    connect(restoreButton_, &QPushButton::clicked, this, [this] {
        if (const auto record = chosen()) {
            restore_(record->id);
            all_ = journal_.records();
            fill();
        }
    });

    all_ = journal_.records();
    units_->addItem(tr("All units"));
    QStringList seen;
    for (const JournalRecord& record : all_) {
        const QString name = unitName(record.unit);
        if (!name.isEmpty() && !seen.contains(name)) {
            seen << name;
            units_->addItem(name, name);
        }
    }
    connect(units_, &QComboBox::currentIndexChanged, this, [this] { fill(); });
    connect(list_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { updateButtons(); });
    fill();
    // Sized by the newest records' texts, not by measuring every row.
    for (int column = 0; column < model_->columnCount(); ++column)
        list_->resizeColumnToContents(column);
    resize(760, 420);
}

void HistoryDialog::fill() {
    const QString unit = units_->currentData().toString();
    records_.clear();
    for (const JournalRecord& record : all_) {
        if (unit.isEmpty() || record.unit.serial == unit || record.unit.device == unit ||
            record.unit.byId == unit)
            records_.append(record);
    }
    model_->reset(!context_.profile.teamDatabase().isEmpty());
    if (!records_.isEmpty())
        list_->setCurrentIndex(model_->index(0, 0));
    updateButtons();
}

std::optional<JournalRecord> HistoryDialog::chosen() const {
    const QModelIndex index = list_->currentIndex();
    if (!index.isValid() || index.row() >= records_.size())
        return std::nullopt;
    return records_[index.row()];
}

QByteArray HistoryDialog::chosenImage(bool preferBackup) const {
    const auto record = chosen();
    if (!record)
        return {};
    if (preferBackup && !record->backupSha256.isEmpty())
        return journal_.image(record->backupSha256);
    return journal_.image(record->configSha256);
}

void HistoryDialog::updateButtons() {
    const auto record = chosen();
    open_->setEnabled(record.has_value());
    compare_->setEnabled(record.has_value());
    restoreButton_->setEnabled(record && !record->backupSha256.isEmpty());
}

void HistoryDialog::openAsConfiguration() {
    const QByteArray image = chosenImage(true);
    if (image.isEmpty()) {
        context_.ui.tell(tr("The journal keeps no registers for this record."));
        return;
    }
    const QString path = context_.ui.chooseFile(configFileDialog(FileDialogKind::Save));
    if (path.isEmpty())
        return;
    if (const ConfigFileResult saved = saveConfigFile(path, storeFromImage(image)); !saved) {
        context_.ui.tell(saved.error);
        return;
    }
    if (const SessionOutcome loaded = context_.session.load(path); !loaded) {
        context_.ui.tell(loaded.error);
        return;
    }
    context_.buttons.apply(EnableState::ConfigOpened);
}

void HistoryDialog::compareWithCurrent() {
    const QByteArray image = chosenImage(false);
    if (image.isEmpty()) {
        context_.ui.tell(tr("The journal keeps no registers for this record."));
        return;
    }
    const QStringList fields = differingFieldNames(storeFromImage(image), context_.session.store());
    context_.ui.tell(
        fields.isEmpty()
            ? tr("The record's configuration equals the current configuration.")
            : tr("These fields differ from the current configuration:\n%1").arg(fields.join('\n')),
        MessageIcon::Information);
}

void runHistoryCommand(QWidget* window, const CommandContext& context) {
    QString error;
    const std::unique_ptr<Journal> journal = Journal::open(Journal::defaultPath(), &error);
    if (!journal) {
        context.ui.tell(error);
        return;
    }
    const auto restore = [&context](const QString& id) {
        const UnitSafety safety{context.profile.backupAndVerify(), Journal::defaultPath(),
                                attachedUnit(context)};
        runOnUnit(context,
                  [&](const UnitCommandContext& unit) { runSafeRestore(unit, safety, id); });
    };
    HistoryDialog dialog(*journal, context, restore, window);
    dialog.exec();
}
