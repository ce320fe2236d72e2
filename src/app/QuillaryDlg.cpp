#include "app/QuillaryDlg.h"

#include "config/ConfigFile.h"
#include "config/VoiceFiles.h"

#include <QDir>
#include <QFileInfo>
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

// Every command button, in the order EnableCommands switches them.
constexpr int AllCommands[] = {CQuillaryDlg::IdTransferFromUnit,
                               CQuillaryDlg::IdPrint,
                               CQuillaryDlg::IdSend,
                               CQuillaryDlg::IdLoad,
                               CQuillaryDlg::IdConfigure,
                               CQuillaryDlg::IdNew,
                               CQuillaryDlg::IdTransferToUnit,
                               CQuillaryDlg::IdClose,
                               CQuillaryDlg::IdSetup,
                               CQuillaryDlg::IdSyncClock};

// Places controls given in dialog units, scaled by the window font the way
// dialog templates are.
class DialogUnits {
public:
    explicit DialogUnits(const QFontMetrics& metrics)
        : x_(metrics.horizontalAdvance(
                 QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
             52.0 / 4.0),
          y_(metrics.height() / 8.0) {}
    QRect rect(int left, int top, int width, int height) const {
        return QRect(qRound(left * x_), qRound(top * y_), qRound(width * x_), qRound(height * y_));
    }

private:
    double x_;
    double y_;
};

struct ButtonLayout {
    int id;
    const char* text;
    const char* objectName;
    QRect position; // dialog units
    bool inUnitGroup;
};

// Template order, which is also the tab order.
const ButtonLayout ButtonLayouts[] = {
    {CQuillaryDlg::IdClose, "Close", "closeButton", {77, 133, 50, 14}, false},
    {CQuillaryDlg::IdConfigure, "Configure...", "configureButton", {16, 100, 77, 14}, false},
    {CQuillaryDlg::IdTransferFromUnit,
     "Transfer from unit",
     "transferFromUnitButton",
     {114, 64, 77, 14},
     true},
    {CQuillaryDlg::IdTransferToUnit,
     "Transfer to unit",
     "transferToUnitButton",
     {114, 46, 77, 14},
     true},
    {CQuillaryDlg::IdSend, "Send configuration...", "sendButton", {16, 82, 77, 14}, false},
    {CQuillaryDlg::IdPrint, "Print configuration...", "printButton", {16, 64, 77, 14}, false},
    {CQuillaryDlg::IdLoad, "Load configuration...", "loadButton", {16, 28, 77, 14}, false},
    {CQuillaryDlg::IdSetup, "Setup", "setupButton", {114, 100, 77, 14}, true},
    {CQuillaryDlg::IdSyncClock, "Syncronize clock", "syncClockButton", {114, 82, 77, 14}, true},
    {CQuillaryDlg::IdNew, "New configuration...", "newButton", {16, 46, 77, 14}, false},
};

const QRect ConfigurationGroup(7, 11, 93, 108);
const QRect UnitGroup(105, 11, 93, 108);
const QRect ProgressPosition(109, 23, 86, 15);
const QSize ClientSize(207, 167);

} // namespace

CQuillaryDlg::CQuillaryDlg(AppServices& services, QWidget* parent)
    : QDialog(parent), services_(services) {
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
    auto* about = menuBar->addAction(QStringLiteral("About"));
    about->setObjectName(QStringLiteral("aboutAction"));
    connect(about, &QAction::triggered, this, [this] { services_.ui.showAbout(); });
    // The menu bar's single item, reachable without a mouse.
    auto* aboutKey = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(aboutKey, &QShortcut::activated, about, &QAction::trigger);

    const DialogUnits units(fontMetrics());
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("clientArea"));
    client->setFixedSize(units.rect(0, 0, ClientSize.width(), ClientSize.height()).size());

    auto* configurationBox = new QGroupBox(QStringLiteral("Configuration"), client);
    configurationBox->setObjectName(QStringLiteral("configurationGroupBox"));
    configurationBox->setGeometry(units.rect(ConfigurationGroup.x(), ConfigurationGroup.y(),
                                             ConfigurationGroup.width(),
                                             ConfigurationGroup.height()));
    auto* unitBox = new QGroupBox(QStringLiteral("Unit"), client);
    unitBox->setObjectName(QStringLiteral("unitGroupBox"));
    unitBox->setGeometry(
        units.rect(UnitGroup.x(), UnitGroup.y(), UnitGroup.width(), UnitGroup.height()));

    QWidget* previous = nullptr;
    for (const ButtonLayout& control : ButtonLayouts) {
        QWidget* parentWidget = client;
        QPoint origin;
        if (control.id != IdClose) {
            parentWidget = control.inUnitGroup ? unitBox : configurationBox;
            origin = control.inUnitGroup ? UnitGroup.topLeft() : ConfigurationGroup.topLeft();
        }
        auto* button = new QPushButton(QString::fromLatin1(control.text), parentWidget);
        button->setObjectName(QString::fromLatin1(control.objectName));
        button->setGeometry(units.rect(control.position.x() - origin.x(),
                                       control.position.y() - origin.y(), control.position.width(),
                                       control.position.height()));
        buttons_.insert(control.id, button);
        if (previous)
            QWidget::setTabOrder(previous, button);
        previous = button;
    }

    progress_ = new QProgressBar(unitBox);
    progress_->setObjectName(QStringLiteral("progressBar"));
    progress_->setAccessibleName(QStringLiteral("Progress"));
    progress_->setTextVisible(false);
    progress_->setGeometry(units.rect(ProgressPosition.x() - UnitGroup.x(),
                                      ProgressPosition.y() - UnitGroup.y(),
                                      ProgressPosition.width(), ProgressPosition.height()));

    auto* statusBar = new QStatusBar(this);
    statusBar->setObjectName(QStringLiteral("statusBar"));
    statusBar->setSizeGripEnabled(false);
    messagePane_ = new QLabel(statusBar);
    messagePane_->setObjectName(QStringLiteral("messagePane"));
    messagePane_->setAccessibleName(QStringLiteral("Status"));
    messagePane_->setFixedWidth(std::max(0, client->width() - 70));
    clockPane_ = new QLabel(statusBar);
    clockPane_->setObjectName(QStringLiteral("clockPane"));
    clockPane_->setAccessibleName(QStringLiteral("Clock"));
    statusBar->addWidget(messagePane_);
    statusBar->addWidget(clockPane_, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menuBar);
    layout->addWidget(client);
    layout->addWidget(statusBar);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(button(IdLoad), &QPushButton::clicked, this, &CQuillaryDlg::LoadCommand);
    connect(button(IdNew), &QPushButton::clicked, this, &CQuillaryDlg::NewCommand);
    connect(button(IdConfigure), &QPushButton::clicked, this, &CQuillaryDlg::ConfigureCommand);
    connect(button(IdPrint), &QPushButton::clicked, this, &CQuillaryDlg::PrintCommand);
    connect(button(IdSend), &QPushButton::clicked, this, &CQuillaryDlg::SendCommand);
    connect(button(IdTransferToUnit), &QPushButton::clicked, this,
            &CQuillaryDlg::TransferToUnitCommand);
    connect(button(IdTransferFromUnit), &QPushButton::clicked, this,
            &CQuillaryDlg::TransferFromUnitCommand);
    connect(button(IdSyncClock), &QPushButton::clicked, this, &CQuillaryDlg::SyncClockCommand);
    connect(button(IdSetup), &QPushButton::clicked, this, &CQuillaryDlg::SetupCommand);
    connect(button(IdClose), &QPushButton::clicked, this, &CQuillaryDlg::CloseCommand);

    button(IdClose)->setFocus();
}

void CQuillaryDlg::OnInitDialog() {
    clockTimer_ = new QTimer(this);
    clockTimer_->setInterval(ClockPeriodMs);
    connect(clockTimer_, &QTimer::timeout, this, &CQuillaryDlg::OnTimer);
    clockTimer_->start();
    OnTimer();
    messagePane_->setText(QString());

    setButtonsEnabled({IdPrint, IdSend, IdTransferToUnit, IdConfigure}, false);
    progress_->setRange(0, 100);
    m_store.clear();

    LinkApi& link = services_.link;
    m_linkHandle = link.LinkCreate();
    const QByteArray port = services_.profile.portText().toLatin1();
    link.LinkSetPort(m_linkHandle, port.constData(), "COM0");
    link.LinkConfigure(m_linkHandle, "");
}

void CQuillaryDlg::OnTimer() {
    clockPane_->setText(services_.clock.now().toString(ClockFormat));
}

void CQuillaryDlg::setButtonsEnabled(std::initializer_list<int> ids, bool enable) {
    for (int id : ids)
        button(id)->setEnabled(enable);
}

void CQuillaryDlg::EnableCommands(bool enable) {
    for (int id : AllCommands)
        button(id)->setEnabled(enable);
}

FileDialogRequest CQuillaryDlg::configFileDialog(FileDialogKind kind) {
    FileDialogRequest request;
    request.kind = kind;
    request.filter = QStringLiteral("Configuration files (*.QRB)");
    request.defaultSuffix = QStringLiteral("QRB");
    return request;
}

void CQuillaryDlg::refreshVoiceFlags() {
    m_current.g_voiceHighFlags = m_store.text(84);
    m_current.g_voiceLowFlags = m_store.text(85);
}

bool CQuillaryDlg::LoadConfigFile(const QString& path) {
    return finishFileOperation(loadConfigFile(path, m_store));
}

bool CQuillaryDlg::SaveConfigFile(const QString& path) {
    return finishFileOperation(saveConfigFile(path, m_store));
}

bool CQuillaryDlg::finishFileOperation(const ConfigFileResult& result) {
    if (!result) {
        services_.ui.tell(result.error);
        return false;
    }
    UpdateTitle();
    refreshVoiceFlags();
    return true;
}

void CQuillaryDlg::UpdateTitle() {
    const QString path = QDir::toNativeSeparators(m_current.g_configPath) + ']';
    const QString shortened =
        QFontMetrics(font()).elidedText(path, Qt::ElideMiddle, 200, Qt::TextSingleLine);
    setWindowTitle(QStringLiteral("Fenmarl [") + shortened);
}

void CQuillaryDlg::LoadCommand() {
    const QString path = services_.ui.chooseFile(configFileDialog(FileDialogKind::Open));
    if (path.isEmpty())
        return;
    const CurrentConfig previous = m_current;
    const QFileInfo info(path);
    m_current.g_configTitle = info.completeBaseName();
    m_current.g_configPath = info.absoluteFilePath();
    if (!LoadConfigFile(m_current.g_configPath)) {
        // Nothing was read: the configuration that was current stays current.
        m_current = previous;
        return;
    }
    setButtonsEnabled({IdTransferFromUnit, IdPrint, IdSend, IdTransferToUnit, IdConfigure}, true);
}

void CQuillaryDlg::NewCommand() {
    const QString path = services_.ui.chooseFile(configFileDialog(FileDialogKind::Save));
    if (path.isEmpty())
        return;
    const QFileInfo info(path);
    m_current.g_configTitle = info.completeBaseName();
    m_current.g_configPath = info.absoluteFilePath();
    SeedVoiceFiles(info.absolutePath(), m_current.g_configTitle, services_.templateFolder);
    m_store.clear();
    SaveConfigFile(m_current.g_configPath);
    setButtonsEnabled({IdTransferFromUnit, IdPrint, IdSend, IdTransferToUnit, IdConfigure}, true);
}

// The following commands get their work with the editor, report, mail and unit
// transfers; their buttons already follow the enable rules.
void CQuillaryDlg::ConfigureCommand() {}
void CQuillaryDlg::PrintCommand() {}
void CQuillaryDlg::SendCommand() {}
void CQuillaryDlg::TransferToUnitCommand() {}
void CQuillaryDlg::TransferFromUnitCommand() {}
void CQuillaryDlg::SyncClockCommand() {}
void CQuillaryDlg::SetupCommand() {}

void CQuillaryDlg::CloseCommand() {
    services_.link.LinkClose(m_linkHandle);
    services_.link.LinkDestroy(m_linkHandle);
    OnCancel();
}

void CQuillaryDlg::OnCancel() {
    if (!m_current.g_configPath.isEmpty())
        SaveConfigFile(m_current.g_configPath);
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
