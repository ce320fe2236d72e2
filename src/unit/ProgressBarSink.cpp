#include "unit/ProgressBarSink.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QProgressBar>

ProgressBarSink::ProgressBarSink(QProgressBar* bar) : bar_(bar) {}

void ProgressBarSink::setStep(const QString& step) {
    if (status_)
        status_->setText(step);
}

void ProgressBarSink::setProgress(int position) {
    if (bar_)
        bar_->setValue(position);
    QCoreApplication* application = QCoreApplication::instance();
    if (!application)
        return;
    application->installEventFilter(this);
    QCoreApplication::processEvents();
    application->removeEventFilter(this);
}

bool ProgressBarSink::eventFilter(QObject*, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::Close: // the window ends only through its Close command
        return true;
    default:
        return false;
    }
}
