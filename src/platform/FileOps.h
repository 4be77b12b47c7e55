#pragma once

#include <QString>

// The file operations the managers need, each reporting success and never raising.
namespace fileops {

bool exists(const QString& path); // a file (not a folder) of that path
bool folderExists(const QString& path);
bool createFolder(const QString& path); // one level; false when it exists already
bool remove(const QString& path);       // files only
// Copies source to target, replacing target only once the copy is complete;
// copying a file onto itself succeeds and changes nothing.
bool copyReplacing(const QString& source, const QString& target);

// Whether two bare names denote one file in a working folder: letter case
// counts where the file system tells case apart, and not where it ignores it
// (Windows, macOS), so a slot's copy is never taken for another's.
bool sameFileName(const QString& a, const QString& b);

// The last component of a path, with either separator.
QString bareName(const QString& path);
// A bare name that joins safely to a folder: no separators, not "." or "..".
bool isSafeBareName(const QString& name);

} // namespace fileops
