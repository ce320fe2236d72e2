#include "editor/PropertyPages.h"

#include "config/AnsiCodec.h"
#include "editor/EditInput.h"
#include "editor/EditOutput.h"
#include "editor/EditorWidgets.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Both lists show 16 rows: the unit's inputs or its outputs.
constexpr int RowCount = 16;
static_assert(RowCount == ConfigInputCount && RowCount == ConfigOutputCount);

} // namespace

CMyPropertyPage1::CMyPropertyPage1(UserInteraction& ui, const QString& phoneRegion, QWidget* parent)
    : SheetPage(parent), ui_(ui) {
    setObjectName(QStringLiteral("parametersPage"));
    clearCommandEdit_ = new QLineEdit(this);
    clearCommandEdit_->setObjectName(QStringLiteral("clearCommandEdit"));
    callersEdit_ = new QLineEdit(this);
    callersEdit_->setObjectName(QStringLiteral("callersEdit"));
    pulseDurationEdit_ = new QLineEdit(this);
    pulseDurationEdit_->setObjectName(QStringLiteral("pulseDurationEdit"));
    limitTyping(callersEdit_, FieldLimits::Callers);
    limitTyping(clearCommandEdit_, FieldLimits::ClearCommand);

    auto* grid = new QGridLayout(this);
    // The command is sent as an SMS: its count, and what is wrong with the
    // callers' numbers, follow the fields as the user types.
    addFieldWithNote(
        grid, 0, labelFor(tr("Command to clear allowed caller list:"), clearCommandEdit_, this),
        clearCommandEdit_, smsCounter(clearCommandEdit_, FieldLimits::ClearCommand, this));
    addFieldWithNote(grid, 1,
                     labelFor(tr("List of allowed callers:\nSeperate each number "
                                 "with a \",\" (comma)"),
                              callersEdit_, this),
                     callersEdit_, phoneListNote(callersEdit_, phoneRegion, this));
    grid->addWidget(
        labelFor(tr("Duration of pulse on pulsed outputs (in mSec):"), pulseDurationEdit_, this), 2,
        0);
    grid->addWidget(pulseDurationEdit_, 2, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(3, 1);

    QWidget::setTabOrder(clearCommandEdit_, callersEdit_);
    QWidget::setTabOrder(callersEdit_, pulseDurationEdit_);
}

void CMyPropertyPage1::putValues() {
    putBytes(callersEdit_, m_callers);
    putBytes(clearCommandEdit_, m_clearCommand);
    pulseDurationEdit_->setText(QString::number(m_pulseDuration));
}

bool CMyPropertyPage1::takeValues() {
    if (!takeLimitedBytes(ui_, callersEdit_, FieldLimits::Callers,
                          tr("The list of allowed callers can hold at most %1 characters.")
                              .arg(FieldLimits::Callers),
                          m_callers) ||
        !takeLimitedBytes(ui_, clearCommandEdit_, FieldLimits::ClearCommand,
                          tr("The command to clear the allowed caller list can hold "
                             "at most %1 characters.")
                              .arg(FieldLimits::ClearCommand),
                          m_clearCommand))
        return false;
    const std::optional<int> pulse = ConfigMapping::parseInteger(pulseDurationEdit_->text());
    if (!pulse) {
        refuse(ui_, tr("The duration of pulse must be a whole number of mSec."),
               pulseDurationEdit_);
        return false;
    }
    if (*pulse < FieldLimits::PulseMin || *pulse > FieldLimits::PulseMax) {
        refuse(ui_,
               tr("The duration of pulse must be from %1 to %2 mSec.")
                   .arg(FieldLimits::PulseMin)
                   .arg(FieldLimits::PulseMax),
               pulseDurationEdit_);
        return false;
    }
    m_pulseDuration = *pulse;
    return true;
}

ListPage::ListPage(UserInteraction& ui, const QString& listName,
                   const QList<std::pair<QString, int>>& columns, QWidget* parent)
    : SheetPage(parent), ui_(ui),
      runEditor_([](QDialog& editor) { return editor.exec() == QDialog::Accepted; }) {
    m_list = new QTableWidget(RowCount, int(columns.size()), this);
    // Nothing on the page names the list but its tab.
    m_list->setAccessibleName(listName);
    m_list->setShowGrid(true);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSortingEnabled(false);
    m_list->setWordWrap(false);
    m_list->verticalHeader()->hide();
    // Compact rows, as in a report list, so all 16 fit the page.
    m_list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_list->verticalHeader()->setDefaultSectionSize(m_list->fontMetrics().height() + 6);
    m_list->horizontalHeader()->setSectionsClickable(false);
    m_list->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_list->horizontalHeader()->setStretchLastSection(false);
    QStringList headings;
    for (int column = 0; column < columns.size(); ++column) {
        headings << columns[column].first;
        columnWidths_ << columns[column].second;
        m_list->setColumnWidth(column, columns[column].second);
    }
    m_list->setHorizontalHeaderLabels(headings);
    m_list->installEventFilter(this);
    m_list->viewport()->installEventFilter(this);

    connect(m_list, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { OnDblclkList(row); });
    connect(m_list, &QTableWidget::itemSelectionChanged, this, [this] {
        const QList<QTableWidgetItem*> selected = m_list->selectedItems();
        if (!selected.isEmpty())
            selectionMark_ = selected.first()->row();
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
}

void ListPage::setCell(int row, int column, const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    m_list->setItem(row, column, item);
}

QString ListPage::cell(int row, int column) const {
    const QTableWidgetItem* item = m_list->item(row, column);
    return item ? item->text() : QString();
}

void ListPage::FillList() {
    // All rows go and come back, so no row is selected afterwards.
    m_list->setRowCount(0);
    m_list->setRowCount(RowCount);
    for (int row = 0; row < RowCount; ++row) {
        setCell(row, 0, QString::number(row + 1));
        fillRow(row);
    }
    selectionMark_ = -1;
    fitColumns();
}

// Each column at least as wide as it always was, and as wide as its heading
// and values need while the table has the room: the rest of the width is
// shared out in proportion to what each column still lacks.
void ListPage::fitColumns() {
    const QHeaderView* header = m_list->horizontalHeader();
    const QAbstractItemView* view = m_list; // the table's own hint, public here
    const int count = int(columnWidths_.size());
    QList<int> lacking(count);
    int base = 0;
    int lackingTotal = 0;
    for (int column = 0; column < count; ++column) {
        const int needed =
            std::max(header->sectionSizeHint(column), view->sizeHintForColumn(column));
        lacking[column] = std::max(0, needed - columnWidths_[column]);
        base += columnWidths_[column];
        lackingTotal += lacking[column];
    }
    const int spare = std::max(0, m_list->viewport()->width() - base);
    for (int column = 0; column < count; ++column) {
        const int extra = lackingTotal <= spare
                              ? lacking[column]
                              : int(qint64(lacking[column]) * spare / lackingTotal);
        m_list->setColumnWidth(column, columnWidths_[column] + extra);
    }
}

void ListPage::OnDblclkList(int row) {
    if (row < 0 || row >= RowCount)
        return;
    editRow(row);
}

void ListPage::OnKeydownList(int key) {
    if (key != Qt::Key_Delete || selectionMark_ < 0)
        return;
    if (!ui_.askYesNo(tr("Are you sure you want to delete the selected item ?")))
        return;
    clearEntry(selectionMark_);
    FillList();
}

bool ListPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list->viewport() && event->type() == QEvent::Resize)
        fitColumns();
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Delete) {
            OnKeydownList(key);
            return true;
        }
        // Enter opens the current row as a double-click does, so the lists
        // can be edited without a mouse; with no current row it falls
        // through to the sheet's OK.
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && m_list->currentRow() >= 0) {
            OnDblclkList(m_list->currentRow());
            return true;
        }
    }
    return SheetPage::eventFilter(watched, event);
}

CMyPropertyPage2::CMyPropertyPage2(EditorServices& services, QWidget* parent)
    : ListPage(services.ui, tr("Inputs"),
               {{tr("Num"), 40},
                {tr("Phonenumbers"), 130},
                {tr("High text"), 90},
                {tr("Low text"), 90},
                {tr("Voice"), 40}},
               parent),
      services_(services) {
    setObjectName(QStringLiteral("inputsPage"));
    m_list->setObjectName(QStringLiteral("inputsList"));
    FillList();
}

void CMyPropertyPage2::fillRow(int row) {
    const InputEntry& entry = m_inputs[row];
    setCell(row, 1, ansiToText(entry.phoneNumbers));
    setCell(row, 2, ansiToText(entry.highText));
    setCell(row, 3, ansiToText(entry.lowText));
    QString voice;
    if (entry.voiceOnHigh)
        voice += 'H';
    if (entry.voiceOnHigh && entry.voiceOnLow)
        voice += '+';
    if (entry.voiceOnLow)
        voice += 'L';
    setCell(row, 4, voice);
}

void CMyPropertyPage2::editRow(int row) {
    CEditInput editor(services_, window());
    editor.m_input = row;
    // The editor starts from what the row shows.
    editor.m_phoneNumbers = textToAnsi(cell(row, 1));
    editor.m_highText = textToAnsi(cell(row, 2));
    editor.m_lowText = textToAnsi(cell(row, 3));
    const QString voice = cell(row, 4);
    editor.m_voiceOnHigh = voice == QLatin1String("H") || voice == QLatin1String("H+L");
    editor.m_voiceOnLow = voice == QLatin1String("L") || voice == QLatin1String("H+L");
    editor.OnInitDialog();
    if (!runEditor(editor))
        return;
    InputEntry& entry = m_inputs[editor.m_input];
    entry.phoneNumbers = editor.m_phoneNumbers;
    entry.highText = editor.m_highText;
    entry.lowText = editor.m_lowText;
    entry.voiceOnHigh = editor.m_voiceOnHigh != 0;
    entry.voiceOnLow = editor.m_voiceOnLow != 0;
    FillList();
}

void CMyPropertyPage2::clearEntry(int row) {
    m_inputs[row] = InputEntry();
}

CMyPropertyPage3::CMyPropertyPage3(UserInteraction& ui, QWidget* parent)
    : ListPage(ui, tr("Outputs"),
               {{tr("Num"), 40}, {tr("Type"), 50}, {tr("High text"), 150}, {tr("Low text"), 150}},
               parent) {
    setObjectName(QStringLiteral("outputsPage"));
    m_list->setObjectName(QStringLiteral("outputsList"));
    FillList();
}

void CMyPropertyPage3::fillRow(int row) {
    const OutputEntry& entry = m_outputs[row];
    setCell(row, 1, typeText(entry.pulse));
    setCell(row, 2, ansiToText(entry.highText));
    // A pulsed output has no low state to describe.
    setCell(row, 3, entry.pulse ? QString() : ansiToText(entry.lowText));
}

void CMyPropertyPage3::editRow(int row) {
    CEditOutput editor(window());
    editor.m_pulse = cell(row, 1) == typeText(true) ? 1 : 0;
    editor.m_highText = textToAnsi(cell(row, 2));
    editor.m_lowText = textToAnsi(cell(row, 3));
    editor.OnInitDialog();
    if (!runEditor(editor))
        return;
    OutputEntry& entry = m_outputs[row];
    entry.pulse = editor.m_pulse != 0;
    entry.highText = editor.m_highText;
    entry.lowText = editor.m_lowText;
    FillList();
}

QString CMyPropertyPage3::typeText(bool pulse) {
    return pulse ? tr("Pulse") : tr("Normal");
}

void CMyPropertyPage3::clearEntry(int row) {
    m_outputs[row] = OutputEntry();
}
