// The main window: ten commands as push buttons, the progress bar, the clock
// in the status bar. It owns the register store, the current-configuration
// texts and the link handle for its whole life.
#pragma once

#include "core/Clock.h"
#include "config/CurrentConfig.h"
#include "config/Profile.h"
#include "config/RegisterStore.h"
#include "core/UserInteraction.h"
#include "unit/LinkApi.h"

#include <QDialog>
#include <QMap>
#include <QPoint>

struct ConfigFileResult;
class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

// What the main window needs from outside; the application passes the real
// ones, tests pass fakes.
struct AppServices {
    LinkApi& link;
    UserInteraction& ui;
    Profile& profile;
    const Clock& clock;
    QString templateFolder;
};

class CQuillaryDlg : public QDialog {
    Q_OBJECT
public:
    enum ControlId {
        IdClose = 2,
        IdConfigure = 1000,
        IdTransferFromUnit = 1001,
        IdTransferToUnit = 1002,
        IdSend = 1003,
        IdPrint = 1004,
        IdLoad = 1005,
        IdProgress = 1006,
        IdSyncClock = 1007,
        IdSetup = 1008,
        IdNew = 1009,
    };

    explicit CQuillaryDlg(AppServices& services, QWidget* parent = nullptr);
    ~CQuillaryDlg() override;

    QPushButton* button(int id) const { return buttons_.value(id); }
    QProgressBar* progressBar() const { return progress_; }
    QLabel* clockPane() const { return clockPane_; }
    QLabel* messagePane() const { return messagePane_; }

    RegisterStore& store() { return m_store; }
    CurrentConfig& current() { return m_current; }
    int32_t linkHandle() const { return m_linkHandle; }

    // Switches all ten command buttons.
    void EnableCommands(bool enable);

    // Load or save with the caption and the voice-flag copies kept up to date;
    // a failure is shown to the user and leaves everything as it was.
    bool LoadConfigFile(const QString& path);
    bool SaveConfigFile(const QString& path);
    void UpdateTitle();

    // The dialog for configuration files, as every command shows it.
    static FileDialogRequest configFileDialog(FileDialogKind kind);

public slots:
    void LoadCommand();
    void NewCommand();
    void ConfigureCommand();
    void PrintCommand();
    void SendCommand();
    void TransferToUnitCommand();
    void TransferFromUnitCommand();
    void SyncClockCommand();
    void SetupCommand();
    void CloseCommand();

protected:
    // Esc runs the Close command, with its link calls and save.
    void reject() override;
    // Nothing may end the window around the Close command.
    void accept() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void buildWindow();
    void OnInitDialog();
    void OnCancel();
    void OnTimer();
    void setButtonsEnabled(std::initializer_list<int> ids, bool enable);
    void refreshVoiceFlags();
    bool finishFileOperation(const ConfigFileResult& result);

    AppServices& services_;
    RegisterStore m_store;
    CurrentConfig m_current;
    int32_t m_linkHandle = 0;

    QMap<int, QPushButton*> buttons_;
    QProgressBar* progress_ = nullptr;
    QLabel* messagePane_ = nullptr;
    QLabel* clockPane_ = nullptr;
    QTimer* clockTimer_ = nullptr;
    bool dragging_ = false;
    QPoint dragOffset_;
};
