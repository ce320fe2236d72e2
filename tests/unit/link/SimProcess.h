// Runs one unit simulator for a test: its own temporary state folder, its
// link exported through QUILLARY_LINK_DEVICE, and stopped (killed if need be)
// and waited for when the object goes away.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>

#include <cstdlib>

class SimProcess {
public:
    SimProcess() = default;
    ~SimProcess() { stop(); }
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    // Starts the simulator on the state folder (kept across restarts) and
    // waits until its link exists. False when it did not come up.
    bool start(const QStringList& faults = {}) {
        stop();
        process_.setProgram(QStringLiteral(VELK_UNIT_SIM));
        process_.setArguments(QStringList{"--state", stateDir(), "--link", linkPath()} + faults);
        process_.setProcessChannelMode(QProcess::ForwardedChannels);
        process_.start();
        if (!process_.waitForStarted(5000))
            return false;
        QElapsedTimer timer;
        timer.start();
        while (!QFileInfo(linkPath()).exists()) {
            if (timer.elapsed() > 5000 || process_.state() != QProcess::Running)
                return false;
            QThread::msleep(10);
        }
        ::setenv("QUILLARY_LINK_DEVICE", QFile::encodeName(linkPath()).constData(), 1);
        return true;
    }

    void stop() {
        if (process_.state() == QProcess::NotRunning)
            return;
        process_.terminate();
        if (!process_.waitForFinished(3000)) {
            process_.kill();
            process_.waitForFinished(3000);
        }
        ::unsetenv("QUILLARY_LINK_DEVICE");
    }

    QString stateDir() const { return dir_.path() + "/state"; }
    QString linkPath() const { return dir_.path() + "/tty"; }
    QString statePath(const QString& name) const { return stateDir() + "/" + name; }

    QByteArray readState(const QString& name) const {
        QFile file(statePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    QTemporaryDir dir_;
    QProcess process_;
};
