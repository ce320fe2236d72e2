// The configurations last loaded, created or saved, newest first: what the
// main window's Recent menu offers. The list lives in the profile
// (Recent/Files); this class keeps its rules, and the Recent command opens
// an entry.
#pragma once

#include "config/ConfigCommands.h"

#include <QStringList>

class Profile;

class RecentFiles {
public:
    static constexpr int Capacity = 8;

    // Takes a stored list as it is found: doubles, empty names and entries
    // past the capacity are dropped.
    explicit RecentFiles(const QStringList& paths = {});

    // Absolute paths, newest first, each once.
    const QStringList& paths() const { return paths_; }
    // `path` becomes the first entry; an older entry for the same file goes,
    // and so does the oldest one beyond the capacity.
    void push(const QString& path);
    // False when `path` was not on the list.
    bool remove(const QString& path);

    // The profile's list, and writing it back.
    static RecentFiles read(Profile& profile);
    void write(Profile& profile) const;

private:
    QStringList paths_;
};

// Puts `path` at the front of the profile's list.
void rememberRecentFile(Profile& profile, const QString& path);

// A choice in the Recent menu: the file is loaded with Load's checks,
// messages and enable states. A file that has gone is told, by name, and
// taken off the list.
class OpenRecentCommand : private LoadConfigCommand {
public:
    OpenRecentCommand(ConfigSession& session, UserInteraction& ui, CommandButtons& buttons,
                      Profile& profile)
        : LoadConfigCommand(session, ui, buttons), profile_(profile) {}
    // True when the file became current.
    bool run(const QString& path);

private:
    Profile& profile_;
};
