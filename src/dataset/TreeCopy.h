// SPDX-License-Identifier: MIT
#pragma once

#include <QFileInfo>
#include <QString>
#include <functional>

// Copies of data-set folders: the bundled ones into the user folder, an
// imported one into its staging folder, a data set into a port's staging.
namespace treecopy {

// Told of an entry that is not copied: a link, or anything but a plain file.
using Skipped = std::function<void(const QFileInfo& entry)>;

// Raises "Cannot create file %s" when the folder cannot be made.
void makeFolder(const QString& path);
// Copies one plain file, replacing target once the copy is complete; a link
// or another entry goes to skipped instead. Raises "Cannot open file %s" or
// "Cannot create file %s".
void copyFile(const QFileInfo& source, const QString& target, const Skipped& skipped);
// The folder's tree into `to`, plain files only; links to folders are not
// entered. The copies are writable by their owner, whatever the source is.
void copy(const QString& from, const QString& to, const Skipped& skipped);

} // namespace treecopy
