// The main window: a thin view over the configuration session. Its buttons
// come from the command table (app/CommandTable.h); it shows the caption, the
// clock and the progress bar, and lends commands the session and the seams
// through context(). It owns the session and the link handle for its life.
#pragma once

#include "app/CommandContext.h"
#include "config/ConfigSession.h"
#include "config/Profile.h"
#include "seams/Clock.h"
#include "seams/Commands.h"
#include "seams/UserInteraction.h"
#include "unit/LinkApi.h"

#include <QDialog>
#include <QMap>
#include <QPoint>

#include <memory>

class PrinterChooser;
class ProgressBarSink;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class SerialDeviceFinder;
class QTimer;
class TeamSyncRunner;
struct TeamSyncResult;

// What the main window needs from outside; the application passes the real
// ones, tests pass fakes.
struct AppServices {
    LinkApi& link;
    UserInteraction& ui;
    Profile& profile;
    const Clock& clock;
    QString templateFolder;
    PrinterChooser* printerChooser = nullptr; // null: the print dialog
    SerialDeviceFinder* devices = nullptr;    // null: "USB" is left to the link library
};

class CQuillaryDlg : public QDialog, public CommandButtons {
    Q_OBJECT
public:
    explicit CQuillaryDlg(AppServices& services, QWidget* parent = nullptr);
    ~CQuillaryDlg() override;

    // Everything a command may use while it runs.
    CommandContext context();
    // Where Print asks for a printer.
    PrinterChooser& printerChooser();

    QPushButton* button(int id) const { return buttons_.value(id); }
    QProgressBar* progressBar() const { return progress_; }
    QLabel* clockPane() const { return clockPane_; }
    QLabel* messagePane() const { return messagePane_; }
    // Null without a team database.
    TeamSyncRunner* teamSync() const { return teamSync_; }

    RegisterStore& store() { return session_.store(); }
    const CurrentConfig& current() const { return session_.current(); }

    // CommandButtons: the buttons as the enable-state model gives them.
    void apply(EnableState state) override;
    // "Fenmarl [" + the current path, shortened in its middle, + "]".
    void UpdateTitle();

    // Saves as the session's close-time steps allow; then ends the link and
    // the window. When the user keeps the window open, the link stays usable.
    void CloseCommand();

    // Load without the dialog: a file named on the command line or dropped
    // on the window. A missing file is refused, not made.
    void openConfiguration(const QString& path);
    // An entry of the Recent menu.
    void openRecent(const QString& path);
    QMenu* recentMenu() const { return recentMenu_; }

protected:
    // Esc runs the Close command, with its save and link calls.
    void reject() override;
    // Nothing may end the window around the Close command.
    void accept() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // A dropped .QRB file (any case) is loaded; anything else is ignored.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildWindow();
    void fileChanged();
    void rebuildRecentMenu();
    void OnInitDialog();
    void OnTimer();
    void startTeamSync();
    void teamSyncFinished(const TeamSyncResult& result);

    AppServices& services_;
    ConfigSession session_;
    int32_t m_linkHandle = 0;
    // The port setting as read at start: it takes effect only after a restart.
    int startComPort_ = 1;
    QString startUsbDevice_;

    QMap<int, QPushButton*> buttons_;
    QMenu* recentMenu_ = nullptr;
    QProgressBar* progress_ = nullptr;
    std::unique_ptr<ProgressBarSink> progressSink_; // what commands report on
    QLabel* messagePane_ = nullptr;
    TeamSyncRunner* teamSync_ = nullptr;
    QString teamNotice_; // what the status line last said of the team database
    QLabel* clockPane_ = nullptr;
    QTimer* clockTimer_ = nullptr;
    bool dragging_ = false;
    QPoint dragOffset_;
};
