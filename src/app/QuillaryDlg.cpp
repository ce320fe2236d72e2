#include "app/QuillaryDlg.h"

#include "app/CommandTable.h"
#include "app/HistoryDialog.h"
#include "config/ConfigCommands.h"
#include "report/PrintCommand.h"
#include "seams/EnableStates.h"
#include "unit/ProgressBarSink.h"

#include <QDir>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
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

const QRect ConfigurationGroup(7, 11, 93, 108);
const QRect UnitGroup(105, 11, 93, 108);
const QRect ProgressPosition(109, 23, 86, 15);
const QSize ClientSize(207, 167);

} // namespace

CQuillaryDlg::CQuillaryDlg(AppServices& services, QWidget* parent)
    : QDialog(parent), services_(services), session_(services.templateFolder) {
    setWindowIcon(QIcon(QStringLiteral(":/quillary.png")));
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
    session_.setOnFileChanged([this] { UpdateTitle(); });

    LinkApi& link = services_.link;
    m_linkHandle = link.LinkCreate();
    startComPort_ = services_.profile.comPort();
    startUsbDevice_ = services_.profile.usbDevice();
    const QByteArray port = services_.profile.portText().toLatin1();
    link.LinkSetPort(m_linkHandle, port.constData(), "COM0");
    link.LinkConfigure(m_linkHandle, "");
}

void CQuillaryDlg::OnTimer() {
    clockPane_->setText(services_.clock.now().toString(ClockFormat));
}

CommandContext CQuillaryDlg::context() {
    CommandContext context{session_,        services_.ui,      services_.link, m_linkHandle,
                           services_.clock, services_.profile, *progressSink_, *this};
    context.devices = services_.devices;
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
