// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

// The demonstration data sets shipped with the program. Each one whose
// firmware folder is missing from the user folder is copied there; an
// existing folder is never touched, because it holds the user's choices.
namespace bundled {

// Where the shipped data sets lie for a program in programFolder, empty when
// none is found.
QString findRoot(const QString& programFolder);
// Whether id is one of the shipped demonstration data sets.
bool isBundled(const QString& bundledRoot, const QString& id);
// Returns the ids copied. A copy goes to a temporary folder first and is
// renamed into place, so an interrupted copy never looks like a data set.
QStringList installMissing(const QString& bundledRoot, const QString& userFolder);

} // namespace bundled
