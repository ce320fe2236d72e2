// The configuration sheet's three pages: the parameters, the 16 inputs and
// the 16 outputs. Each holds its part of the working copy; the sheet puts
// values into a page's controls when it is shown and takes them back (with
// their checks) when it is left, on Apply and on OK.
#pragma once

#include "config/ConfigFields.h"
#include "editor/EditorServices.h"

#include <QWidget>
#include <array>
#include <functional>

class QDialog;
class QLineEdit;
class QTableWidget;

class SheetPage : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    virtual void putValues() {}
    // False when a value was refused; the user has been told and the focus
    // is on the field.
    virtual bool takeValues() { return true; }
};

class CMyPropertyPage1 : public SheetPage {
    Q_OBJECT
public:
    // `phoneRegion`: the country whose national numbers the callers' field checks.
    CMyPropertyPage1(UserInteraction& ui, const QString& phoneRegion, QWidget* parent = nullptr);

    QByteArray m_callers;
    QByteArray m_clearCommand;
    int m_pulseDuration = FieldLimits::DefaultPulse;

    void putValues() override;
    bool takeValues() override;

private:
    UserInteraction& ui_;
    QLineEdit* clearCommandEdit_;
    QLineEdit* callersEdit_;
    QLineEdit* pulseDurationEdit_;
};

// Runs an editor modally; true when it ended with OK. Tests replace it.
using EditorRunner = std::function<bool(QDialog& editor)>;

// A page with a 16-row list: a double-click (or Enter) on a row opens the
// row's editor, Delete clears the row last selected after asking.
class ListPage : public SheetPage {
    Q_OBJECT
public:
    QTableWidget* m_list;

    void FillList();
    void OnDblclkList(int row);
    void OnKeydownList(int key);
    void setEditorRunner(EditorRunner runner) { runEditor_ = std::move(runner); }

protected:
    ListPage(UserInteraction& ui, const QString& listName,
             const QList<std::pair<QString, int>>& columns, QWidget* parent);
    bool eventFilter(QObject* watched, QEvent* event) override;

    virtual void fillRow(int row) = 0;
    void fitColumns();
    virtual void editRow(int row) = 0;
    virtual void clearEntry(int row) = 0;
    void setCell(int row, int column, const QString& text);
    QString cell(int row, int column) const;
    bool runEditor(QDialog& editor) { return runEditor_(editor); }

    UserInteraction& ui_;

private:
    EditorRunner runEditor_;
    int selectionMark_ = -1;
    QList<int> columnWidths_; // each column's narrowest
};

class CMyPropertyPage2 : public ListPage {
    Q_OBJECT
public:
    explicit CMyPropertyPage2(EditorServices& services, QWidget* parent = nullptr);

    std::array<InputEntry, ConfigInputCount> m_inputs;

protected:
    void fillRow(int row) override;
    void editRow(int row) override;
    void clearEntry(int row) override;

private:
    EditorServices& services_;
};

class CMyPropertyPage3 : public ListPage {
    Q_OBJECT
public:
    explicit CMyPropertyPage3(UserInteraction& ui, QWidget* parent = nullptr);

    std::array<OutputEntry, ConfigOutputCount> m_outputs;

protected:
    void fillRow(int row) override;
    void editRow(int row) override;
    void clearEntry(int row) override;

private:
    // The list's name for an output's type, in the program's language.
    static QString typeText(bool pulse);
};
