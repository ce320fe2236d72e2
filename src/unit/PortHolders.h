// Who has a serial device open, found the way fuser finds it: through the
// open files of every process (/proc/<pid>/fd). Names the program that keeps
// a port busy. No widgets, no link library.
#pragma once

#include <QList>
#include <QString>

struct PortHolder {
    qint64 pid = 0;
    QString name; // /proc/<pid>/comm, e.g. "ModemManager"; empty when it could not be read
    bool operator==(const PortHolder&) const = default;
};

// The processes that have `device` open, by process number. A process whose
// open files this user may not see (another user's) is not among them. When
// some of them hold a lock on the device (as the link library takes one),
// only those are given: the others merely have it open (the unit simulator
// keeps its end of the line so), the lock is what keeps a second program
// out. `procRoot` is /proc, or a tree laid out like it.
QList<PortHolder> findPortHolders(const QString& device,
                                  const QString& procRoot = QStringLiteral("/proc"));
