// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>

class TarvexError;

// Writes the lists of one save, and the working copies chosen since the last
// one, all or nothing. Every new list goes beside its
// old one as "<name>.new"; then a commit marker naming them is written; then
// each is renamed over its list and the marker removed. A kill at any moment
// leaves either no marker (the old lists stand; stray new files are dropped
// at the next recovery) or a complete marker (the next recovery finishes the
// renames). Each file is synced before the step that depends on it.
class ListJournal {
public:
    explicit ListJournal(QString folder);

    // Writes all files (name, bytes) or none; raises "Cannot create file %s"
    // with the system's reason when a file cannot be written. Working copies
    // already written to their staged paths (entries of workingCopyEntry)
    // take their places in the same step.
    void save(const QList<std::pair<QString, QByteArray>>& files,
              const QStringList& stagedCopies = {}) const;

    // Finishes or drops a save a kill interrupted. Only the holder of the
    // data set's lock may call it. Raises an error naming the marker, and
    // renames nothing, when the marker is not a file this program writes or a
    // new file it names is not one: not a plain file, or a list whose line
    // count differs from the list it would replace (a save changes lines,
    // never their number). Raises too when a committed rename cannot be
    // finished.
    void recover() const;

    // Where a reader finds a list now: the committed new file while a save is
    // being finished (when it passes the checks of recover), else the list
    // itself. Changes nothing on disk; the
    // marker is read once per journal object.
    QString pathToRead(const QString& name) const;

    static QString markerName(); // ".lists.commit"
    // A working copy as the journal names it, relative to the data folder.
    static QString workingCopyEntry(const QString& workFolder, const QString& bareName);
    static bool isWorkingCopyEntry(const QString& entry);
    // What a marker may name: a list the program writes back, or a working
    // copy in a working folder that is a plain folder. Anything else a
    // planted marker names is ignored.
    bool isAcceptedEntry(const QString& entry) const;
    // Where a new file waits for its save: beside its place, ".new" added.
    static QString stagedPath(const QString& path);

private:
    QString path(const QString& name) const;
    QStringList committedNames() const;
    // ownSave: the files were written by this object's save just now; else
    // each must be what a save of ours writes (isStagedFile).
    void finish(const QStringList& names, bool ownSave) const;
    TarvexError unfinished(const QString& why, const QString& reason = {}) const;
    bool isStagedFile(const QString& name) const;

    QString folder_;
    mutable std::optional<QStringList> committed_;
};
