// The modal "Configuration" sheet: the parameters, inputs and outputs pages
// in tabs, with OK, Cancel and Apply. It edits a working copy of the
// registers; only the Configure command reads and writes the registers.
#pragma once

#include "editor/ConfigureCommand.h"
#include "editor/EditorServices.h"

#include <QDialog>

class QDialogButtonBox;
class QTabWidget;
class CMyPropertyPage1;
class CMyPropertyPage2;
class CMyPropertyPage3;
class SheetPage;

class CMyPropertySheet : public QDialog {
    Q_OBJECT
public:
    explicit CMyPropertySheet(EditorServices& services, QWidget* parent = nullptr);

    CMyPropertyPage1* m_page1;
    CMyPropertyPage2* m_page2;
    CMyPropertyPage3* m_page3;

    void setValues(const ConfigValues& values);
    // The pages' values as they were last taken.
    ConfigValues values() const;

    // Takes the current page's values and keeps the sheet open.
    bool OnApply();
    // Takes the current page's values, then ends the sheet.
    void accept() override;

private:
    void pageChanged(int index);
    SheetPage* page(int index) const;

    QTabWidget* tabs_;
    QDialogButtonBox* buttons_;
    int current_ = 0;
};

// The Configure command's sheet as the user sees it.
class WidgetConfigSheet final : public ConfigSheet {
public:
    WidgetConfigSheet(EditorServices services, QWidget* parent)
        : services_(std::move(services)), parent_(parent) {}
    bool run(ConfigValues& values) override;

private:
    EditorServices services_;
    QWidget* parent_;
};
