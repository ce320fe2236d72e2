#include "editor/PropertySheet.h"

#include "editor/PropertyPages.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

CMyPropertySheet::CMyPropertySheet(EditorServices& services, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("configurationSheet"));
    setWindowTitle(tr("Configuration"));

    m_page1 = new CMyPropertyPage1(services.ui, services.phoneRegion);
    m_page2 = new CMyPropertyPage2(services);
    m_page3 = new CMyPropertyPage3(services.ui);
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("pagesTabWidget"));
    tabs_->addTab(m_page1, tr("Validation and Parameters"));
    tabs_->addTab(m_page2, tr("Inputs"));
    tabs_->addTab(m_page3, tr("Outputs"));
    tabs_->setCurrentIndex(0);
    connect(tabs_, &QTabWidget::currentChanged, this, &CMyPropertySheet::pageChanged);

    buttons_ = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    buttons_->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("okButton"));
    buttons_->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancelButton"));
    // Every page marks itself modified when shown, so Apply is on from the start.
    buttons_->button(QDialogButtonBox::Apply)->setObjectName(QStringLiteral("applyButton"));
    connect(buttons_, &QDialogButtonBox::accepted, this, &CMyPropertySheet::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &CMyPropertySheet::reject);
    connect(buttons_->button(QDialogButtonBox::Apply), &QPushButton::clicked, this,
            &CMyPropertySheet::OnApply);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons_);
    resize(620, 460);
}

SheetPage* CMyPropertySheet::page(int index) const {
    return static_cast<SheetPage*>(tabs_->widget(index));
}

void CMyPropertySheet::setValues(const ConfigValues& values) {
    m_page1->m_callers = values.callers;
    m_page1->m_clearCommand = values.clearCommand;
    m_page1->m_pulseDuration = values.pulseDuration;
    m_page2->m_inputs = values.inputs;
    m_page3->m_outputs = values.outputs;
    m_page2->FillList();
    m_page3->FillList();
    page(current_)->putValues();
}

ConfigValues CMyPropertySheet::values() const {
    ConfigValues values;
    values.callers = m_page1->m_callers;
    values.clearCommand = m_page1->m_clearCommand;
    values.pulseDuration = m_page1->m_pulseDuration;
    values.inputs = m_page2->m_inputs;
    values.outputs = m_page3->m_outputs;
    return values;
}

void CMyPropertySheet::pageChanged(int index) {
    if (index == current_)
        return;
    // The page being left must give up its values first; a refusal keeps it
    // current, with its message shown while it is still in view.
    {
        const QSignalBlocker blocker(tabs_);
        tabs_->setCurrentIndex(current_);
    }
    if (!page(current_)->takeValues())
        return;
    {
        const QSignalBlocker blocker(tabs_);
        tabs_->setCurrentIndex(index);
    }
    current_ = index;
    page(current_)->putValues();
}

bool CMyPropertySheet::OnApply() {
    return page(current_)->takeValues();
}

void CMyPropertySheet::accept() {
    if (page(current_)->takeValues())
        QDialog::accept();
}

bool WidgetConfigSheet::run(ConfigValues& values) {
    CMyPropertySheet sheet(services_, parent_);
    sheet.setValues(values);
    if (sheet.exec() != QDialog::Accepted)
        return false;
    values = sheet.values();
    return true;
}
