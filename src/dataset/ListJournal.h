#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <utility>

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
    // data set's lock may call it. Raises "Cannot create file %s" when a
    // committed rename cannot be finished.
    void recover() const;

    // Where a reader finds a list now: the committed new file while a save is
    // being finished, else the list itself. Changes nothing on disk.
    QString pathToRead(const QString& name) const;

    static QString markerName(); // ".lists.commit"
    // A working copy as the journal names it, relative to the data folder.
    static QString workingCopyEntry(const QString& workFolder, const QString& bareName);
    static bool isWorkingCopyEntry(const QString& entry);
    // Where a new file waits for its save: beside its place, ".new" added.
    static QString stagedPath(const QString& path);

private:
    QString path(const QString& name) const;
    QStringList committedNames() const;
    void finish(const QStringList& names) const;

    QString folder_;
};
