#include "app/HistoryDialog.h"

#include "app/CommandTable.h"
#include "config/ConfigCommands.h"
#include "config/ConfigFields.h"
#include "config/ConfigFile.h"
#include "unit/SafeWrite.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QString unitName(const JournalUnit& unit) {
    return unit.serial.isEmpty() ? unit.device : unit.serial;
}

} // namespace

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

    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("recordList"));
    list_->setAccessibleName(tr("Records"));
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setHeaderLabels(
        {tr("Time"), tr("Kind"), tr("Unit"), tr("Configuration"), tr("Result"), tr("By")});
    list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
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
            fill();
        }
    });

    records_ = journal_.records();
    units_->addItem(tr("All units"));
    QStringList seen;
    for (const JournalRecord& record : records_) {
        const QString name = unitName(record.unit);
        if (!name.isEmpty() && !seen.contains(name)) {
            seen << name;
            units_->addItem(name, name);
        }
    }
    connect(units_, &QComboBox::currentIndexChanged, this, [this] { fill(); });
    connect(list_, &QTreeWidget::currentItemChanged, this, [this] { updateButtons(); });
    fill();
    resize(760, 420);
}

void HistoryDialog::fill() {
    const QString unit = units_->currentData().toString();
    records_ = journal_.records({unit, 0, {}, {}});
    // Only a team shares records: without a team database none waits.
    const bool team = !context_.profile.teamDatabase().isEmpty();
    list_->clear();
    QList<QTreeWidgetItem*> items;
    for (int i = 0; i < records_.size(); ++i) {
        const JournalRecord& record = records_[i];
        QString result = record.result.isEmpty() ? tr("running") : record.result;
        if (team && !record.shared)
            result = tr("%1 (not yet shared)").arg(result);
        auto* item = new QTreeWidgetItem(
            {QLocale().toString(record.started.toLocalTime(), QLocale::ShortFormat), record.kind,
             unitName(record.unit), record.configPath, result,
             tr("%1 on %2").arg(record.user, record.host)});
        item->setData(0, Qt::UserRole, i);
        items << item;
    }
    list_->addTopLevelItems(items);
    if (!items.isEmpty())
        list_->setCurrentItem(items.first());
    updateButtons();
}

std::optional<JournalRecord> HistoryDialog::chosen() const {
    const QTreeWidgetItem* item = list_->currentItem();
    if (!item)
        return std::nullopt;
    return records_.value(item->data(0, Qt::UserRole).toInt());
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
        runSafeRestore({context.link, context.linkHandle, context.ui, context.buttons,
                        context.progress, context.session, context.choosePort},
                       UnitSafety{context.profile.backupAndVerify(), Journal::defaultPath(),
                                  attachedUnit(context)},
                       id);
        if (context.journaled)
            context.journaled();
    };
    HistoryDialog dialog(*journal, context, restore, window);
    dialog.exec();
}
