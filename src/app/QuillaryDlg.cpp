#include "app/QuillaryDlg.h"

#include "app/CommandTable.h"
#include "app/HistoryDialog.h"
#include "config/ConfigCommands.h"
#include "config/RecentFiles.h"
#include "journal/TeamJournal.h"
#include "report/PrintCommand.h"
#include "seams/EnableStates.h"
#include "unit/ProgressBarSink.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>

namespace {

constexpr int ClockPeriodMs = 1000;
const char* const ClockFormat = "HH:mm:ss";

// Places controls given in dialog units, scaled by the window font the way
// dialog templates are. `widen` stretches the horizontal unit so that texts
// longer than the English ones (a translation) still fit.
class DialogUnits {
public:
    explicit DialogUnits(const QFontMetrics& metrics, double widen = 1.0)
        : x_(metrics.horizontalAdvance(
                 QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
             52.0 / 4.0 * widen),
          y_(metrics.height() / 8.0) {}
    QRect rect(int left, int top, int width, int height) const {
        return QRect(qRound(left * x_), qRound(top * y_), qRound(width * x_), qRound(height * y_));
    }
    // The exact width, before rounding to pixels.
    double width(int units) const { return units * x_; }
    QRect rect(const QRect& units) const {
        return rect(units.x(), units.y(), units.width(), units.height());
    }

private:
    double x_;
    double y_;
};

// The first configuration file among dropped files: a local file whose name
// ends in .QRB, in any case. Empty when there is none.
QString droppedConfigFile(const QMimeData* data) {
    if (!data)
        return {};
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile() &&
            url.fileName().endsWith(QLatin1String(".QRB"), Qt::CaseInsensitive))
            return url.toLocalFile();
    }
    return {};
}

// How wide a Recent entry may grow before its path is shortened in the middle.
constexpr int RecentEntryWidth = 480;

const QRect ConfigurationGroup(7, 11, 93, 108);
const QRect UnitGroup(105, 11, 93, 108);
const QRect ProgressPosition(109, 23, 86, 15);
const QSize ClientSize(207, 167);

} // namespace

CQuillaryDlg::CQuillaryDlg(AppServices& services, QWidget* parent)
    : QDialog(parent), services_(services), session_(services.templateFolder) {
    setWindowIcon(QIcon(QStringLiteral(":/quillary.png")));
    setAcceptDrops(true);
    buildWindow();
    OnInitDialog();
}

CQuillaryDlg::~CQuillaryDlg() = default;

void CQuillaryDlg::buildWindow() {
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QStringLiteral("Fenmarl"));
    // A fixed-size window without a close box: Close and Esc end it.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::CustomizeWindowHint |
                   Qt::WindowMinimizeButtonHint);

    auto* menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("menuBar"));
    recentMenu_ = menuBar->addMenu(tr("&Recent"));
    recentMenu_->setObjectName(QStringLiteral("recentMenu"));
    recentMenu_->setToolTipsVisible(true);
    // Another window of the program may have changed the list meanwhile.
    connect(recentMenu_, &QMenu::aboutToShow, this, &CQuillaryDlg::rebuildRecentMenu);
    rebuildRecentMenu();
    auto* history = menuBar->addAction(tr("History..."));
    history->setObjectName(QStringLiteral("historyAction"));
    history->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    connect(history, &QAction::triggered, this, [this] { runHistoryCommand(this, context()); });
    auto* about = menuBar->addAction(tr("About"));
    about->setObjectName(QStringLiteral("aboutAction"));
    connect(about, &QAction::triggered, this, [this] { services_.ui.showAbout(); });
    // The menu bar's single item, reachable without a mouse.
    auto* aboutKey = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(aboutKey, &QShortcut::activated, about, &QAction::trigger);

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("clientArea"));
    auto* configurationBox = new QGroupBox(tr("Configuration"), client);
    configurationBox->setObjectName(QStringLiteral("configurationGroupBox"));
    auto* unitBox = new QGroupBox(tr("Unit"), client);
    unitBox->setObjectName(QStringLiteral("unitGroupBox"));
    progress_ = new QProgressBar(unitBox);
    progress_->setObjectName(QStringLiteral("progressBar"));
    progress_->setAccessibleName(tr("Progress"));
    progress_->setTextVisible(false);
    progressSink_ = std::make_unique<ProgressBarSink>(progress_);

    // Every control with the rectangle it takes in dialog units, relative to
    // its parent.
    QList<std::pair<QWidget*, QRect>> placed{
        {configurationBox, ConfigurationGroup},
        {unitBox, UnitGroup},
        {progress_, ProgressPosition.translated(-UnitGroup.topLeft())}};
    QWidget* previous = nullptr;
    for (const CommandRow& row : commandTable()) {
        QWidget* parentWidget = client;
        QPoint origin;
        if (row.group != CommandGroup::Window) {
            const bool unit = row.group == CommandGroup::Unit;
            parentWidget = unit ? unitBox : configurationBox;
            origin = unit ? UnitGroup.topLeft() : ConfigurationGroup.topLeft();
        }
        auto* button = new QPushButton(tr(row.text), parentWidget);
        button->setObjectName(QString::fromLatin1(row.objectName));
        placed.append({button, row.geometry.translated(-origin)});
        const auto handler = row.handler;
        connect(button, &QPushButton::clicked, this,
                [this, handler] { handler(*this, context()); });
        buttons_.insert(row.id, button);
        if (previous)
            QWidget::setTabOrder(previous, button);
        previous = button;
    }

    // The layout keeps its proportions; where a text needs more room than
    // the English one had, the whole window grows to the widest need.
    double widen = 1.0;
    const DialogUnits plain(fontMetrics());
    for (const auto& [widget, units] : placed) {
        const int needed = qobject_cast<QGroupBox*>(widget) ? widget->minimumSizeHint().width()
                                                            : widget->sizeHint().width();
        if (qobject_cast<QProgressBar*>(widget) == nullptr)
            widen = std::max(widen, needed / plain.width(units.width()));
    }
    const DialogUnits units(fontMetrics(), widen);
    for (const auto& [widget, rect] : placed)
        widget->setGeometry(units.rect(rect));
    client->setFixedSize(units.rect(0, 0, ClientSize.width(), ClientSize.height()).size());

    auto* statusBar = new QStatusBar(this);
    statusBar->setObjectName(QStringLiteral("statusBar"));
    statusBar->setSizeGripEnabled(false);
    // The panes' own texts are what screen readers read: no accessible names.
    messagePane_ = new QLabel(statusBar);
    messagePane_->setObjectName(QStringLiteral("messagePane"));
    messagePane_->setFixedWidth(std::max(0, client->width() - 70));
    progressSink_->setStatusLabel(messagePane_);
    clockPane_ = new QLabel(statusBar);
    clockPane_->setObjectName(QStringLiteral("clockPane"));
    statusBar->addWidget(messagePane_);
    statusBar->addWidget(clockPane_, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menuBar);
    layout->addWidget(client);
    layout->addWidget(statusBar);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    button(IdClose)->setFocus();
}

void CQuillaryDlg::OnInitDialog() {
    clockTimer_ = new QTimer(this);
    clockTimer_->setInterval(ClockPeriodMs);
    connect(clockTimer_, &QTimer::timeout, this, &CQuillaryDlg::OnTimer);
    clockTimer_->start();
    OnTimer();
    messagePane_->setText(QString());

    apply(EnableState::AtStart);
    progress_->setRange(0, 100);
    session_.store().clear();
    // A unit command changes the file from its own thread; the title and
    // the Recent menu change on the window's.
    session_.setOnFileChanged([this] {
        if (QThread::currentThread() == thread())
            fileChanged();
        else
            QMetaObject::invokeMethod(this, &CQuillaryDlg::fileChanged,
                                      Qt::BlockingQueuedConnection);
    });

    LinkApi& link = services_.link;
    m_linkHandle = link.LinkCreate();
    startComPort_ = services_.profile.comPort();
    startUsbDevice_ = services_.profile.usbDevice();
    const QByteArray port = services_.profile.portText().toLatin1();
    link.LinkSetPort(m_linkHandle, port.constData(), "COM0");
    link.LinkConfigure(m_linkHandle, "");
    startTeamSync();
}

// With a team database the journal is shared in the background: at start
// and after each command that journaled. The status line says how many
// records wait; the window never waits for the server.
void CQuillaryDlg::startTeamSync() {
    const QString url = services_.profile.teamDatabase();
    if (url.isEmpty())
        return;
    QString error;
    std::unique_ptr<TeamJournal> team =
        TeamJournal::create(url, services_.profile.teamCaFile(), &error);
    if (!team) {
        teamNotice_ = tr("The team database is not used");
        messagePane_->setText(teamNotice_);
        messagePane_->setToolTip(error);
        return;
    }
    teamSync_ = new TeamSyncRunner(std::move(team), Journal::defaultPath(), this);
    connect(teamSync_, &TeamSyncRunner::finished, this, &CQuillaryDlg::teamSyncFinished);
    teamSync_->request();
}

void CQuillaryDlg::teamSyncFinished(const TeamSyncResult& result) {
    // English names one record apart; a translation has its language's forms.
    const QString notice = result.waiting == 1 ? tr("1 record not yet shared")
                           : result.waiting > 0
                               ? tr("%n records not yet shared", nullptr, result.waiting)
                               : QString();
    // A step of a command that runs meanwhile is not overwritten by silence.
    if (!notice.isEmpty() || messagePane_->text() == teamNotice_)
        messagePane_->setText(notice);
    messagePane_->setToolTip(result.error);
    teamNotice_ = notice;
}

void CQuillaryDlg::OnTimer() {
    clockPane_->setText(services_.clock.now().toString(ClockFormat));
}

CommandContext CQuillaryDlg::context() {
    CommandContext context{session_,        services_.ui,      services_.link, m_linkHandle,
                           services_.clock, services_.profile, *progressSink_, *this};
    context.devices = services_.devices;
    context.journaled = [this] {
        if (teamSync_)
            teamSync_->request();
    };
    if (services_.devices) {
        context.choosePort = [this] {
            return choosePortDevice(startComPort_, startUsbDevice_, *services_.devices);
        };
    }
    return context;
}

PrinterChooser& CQuillaryDlg::printerChooser() {
    static DialogPrinterChooser dialog;
    return services_.printerChooser ? *services_.printerChooser : dialog;
}

void CQuillaryDlg::apply(EnableState state) {
    QList<CommandId> enabled;
    for (CommandId id : CommandOrder) {
        if (button(id)->isEnabled())
            enabled << id;
    }
    enabled = enabledAfter(state, enabled);
    for (CommandId id : CommandOrder)
        button(id)->setEnabled(enabled.contains(id));
    // A Recent entry is a Load: offered when Load is.
    recentMenu_->menuAction()->setEnabled(enabled.contains(IdLoad));
}

void CQuillaryDlg::UpdateTitle() {
    const QString& path = session_.current().g_configPath;
    if (path.isEmpty()) {
        setWindowTitle(QStringLiteral("Fenmarl"));
        return;
    }
    const QString shown = QDir::toNativeSeparators(path) + ']';
    const QString shortened =
        QFontMetrics(font()).elidedText(shown, Qt::ElideMiddle, 200, Qt::TextSingleLine);
    setWindowTitle(QStringLiteral("Fenmarl [") + shortened);
}

void CQuillaryDlg::fileChanged() {
    UpdateTitle();
    rememberRecentFile(services_.profile, session_.current().g_configPath);
    rebuildRecentMenu();
}

void CQuillaryDlg::rebuildRecentMenu() {
    recentMenu_->clear();
    const QStringList paths = RecentFiles::read(services_.profile).paths();
    if (paths.isEmpty()) {
        recentMenu_->addAction(tr("No recent configurations"))->setEnabled(false);
        return;
    }
    const QFontMetrics metrics(recentMenu_->font());
    for (qsizetype i = 0; i < paths.size(); ++i) {
        const QString path = paths[i];
        const QString shown =
            metrics.elidedText(QDir::toNativeSeparators(path), Qt::ElideMiddle, RecentEntryWidth);
        // The number is the entry's key; an "&" in a name is shown, not a key.
        QAction* entry = recentMenu_->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QString(shown).replace('&', "&&")));
        entry->setObjectName(QStringLiteral("recentAction%1").arg(i + 1));
        entry->setToolTip(QDir::toNativeSeparators(path));
        // Queued: the load rebuilds this menu, which must not delete the
        // entry while it is still announcing its trigger.
        connect(
            entry, &QAction::triggered, this, [this, path] { openRecent(path); },
            Qt::QueuedConnection);
    }
}

void CQuillaryDlg::openConfiguration(const QString& path) {
    LoadConfigCommand(session_, services_.ui, *this).open(path);
}

void CQuillaryDlg::openRecent(const QString& path) {
    OpenRecentCommand(session_, services_.ui, *this, services_.profile).run(path);
    rebuildRecentMenu();
}

void CQuillaryDlg::dragEnterEvent(QDragEnterEvent* event) {
    if (button(IdLoad)->isEnabled() && !droppedConfigFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CQuillaryDlg::dragMoveEvent(QDragMoveEvent* event) {
    if (button(IdLoad)->isEnabled() && !droppedConfigFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
    else
        event->ignore();
}

void CQuillaryDlg::dropEvent(QDropEvent* event) {
    const QString path = droppedConfigFile(event->mimeData());
    if (path.isEmpty() || !button(IdLoad)->isEnabled())
        return;
    event->acceptProposedAction();
    // Once the drop is over: the program the file came from waits for its
    // end, and a message about the file would keep it waiting.
    QTimer::singleShot(0, this, [this, path] {
        if (button(IdLoad)->isEnabled())
            openConfiguration(path);
    });
}

void CQuillaryDlg::CloseCommand() {
    // The save steps come first: when the user keeps the window open, the
    // link must still be there for the next command.
    if (!CloseTimeSave(session_, services_.ui).run())
        return;
    services_.link.LinkClose(m_linkHandle);
    services_.link.LinkDestroy(m_linkHandle);
    clockTimer_->stop();
    QDialog::reject();
}

void CQuillaryDlg::reject() {
    CloseCommand();
}

void CQuillaryDlg::accept() {
    CloseCommand();
}

void CQuillaryDlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QDialog::mousePressEvent(event);
        return;
    }
    // Let the window manager move the window as if its caption was pressed;
    // where it cannot, follow the mouse ourselves.
    if (QWindow* handle = windowHandle(); handle && handle->startSystemMove())
        return;
    dragging_ = true;
    dragOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void CQuillaryDlg::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_ && (event->buttons() & Qt::LeftButton))
        move(event->globalPosition().toPoint() - dragOffset_);
    else
        QDialog::mouseMoveEvent(event);
}

void CQuillaryDlg::mouseReleaseEvent(QMouseEvent* event) {
    dragging_ = false;
    QDialog::mouseReleaseEvent(event);
}
