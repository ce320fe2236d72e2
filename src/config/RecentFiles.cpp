#include "config/RecentFiles.h"

#include "config/Profile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {
// This file's texts, in the program's language.
struct RecentFilesText {
    Q_DECLARE_TR_FUNCTIONS(RecentFilesText)
};

// One spelling per file name, so that "a/../x.QRB" and "x.QRB" are one entry.
QString normalised(const QString& path) {
    return path.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}
} // namespace

RecentFiles::RecentFiles(const QStringList& paths) {
    for (const QString& path : paths) {
        const QString entry = normalised(path);
        if (!entry.isEmpty() && !paths_.contains(entry) && paths_.size() < Capacity)
            paths_.append(entry);
    }
}

void RecentFiles::push(const QString& path) {
    const QString entry = normalised(path);
    if (entry.isEmpty())
        return;
    paths_.removeAll(entry);
    paths_.prepend(entry);
    while (paths_.size() > Capacity)
        paths_.removeLast();
}

bool RecentFiles::remove(const QString& path) {
    return paths_.removeAll(normalised(path)) > 0;
}

RecentFiles RecentFiles::read(Profile& profile) {
    return RecentFiles(profile.recentFiles());
}

void RecentFiles::write(Profile& profile) const {
    profile.setRecentFiles(paths_);
}

void rememberRecentFile(Profile& profile, const QString& path) {
    RecentFiles recent = RecentFiles::read(profile);
    const QStringList before = recent.paths();
    recent.push(path);
    if (recent.paths() != before)
        recent.write(profile);
}

bool OpenRecentCommand::run(const QString& path) {
    const SessionOutcome outcome = session_.open(path);
    if (outcome.missing) {
        ui_.tell(RecentFilesText::tr("The configuration file \"%1\" no longer exists. It has "
                                     "been taken off the Recent menu.")
                     .arg(QDir::toNativeSeparators(path)));
        RecentFiles recent = RecentFiles::read(profile_);
        if (recent.remove(path))
            recent.write(profile_);
        return false;
    }
    return conclude(outcome);
}
