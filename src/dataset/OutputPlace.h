#pragma once

#include <QString>

// Where an output (a patch, a picture) may be written: never inside a
// firmware folder of the user folder, whose Data folder, lock, journal and
// working folders hold the user's data set. Paths are compared once every
// link is resolved, so neither a link to such a folder nor a link inside it
// passes.
namespace outputplace {

// The user folder a run uses when none is given: the application-data
// folder + "/Tarvex"; empty when there is no such folder.
QString standardUserFolder();
// The refusal of path as an output of a run on userFolder, empty when it may
// be written. Standard output ("-") is always allowed.
QString refusal(const QString& userFolder, const QString& path);

} // namespace outputplace
