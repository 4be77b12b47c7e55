#pragma once

#include <QString>

// The check every page and command makes on a replacement file's name before
// anything is copied or recorded: the name becomes a line of a list written in
// code page 1251, and a file name inside a working folder.
namespace chosenname {

// The name the file is recorded under: the last component of its path.
QString of(const QString& path);
// What keeps a name from being a list line and a file name in a folder, the
// same for a chosen file and a firmware id.
enum class NameProblem { None, ControlCharacter, NotBareName, NotCp1251 };
NameProblem problemOf(const QString& bareName);

// The warning that refuses the name, empty when it may be recorded: a
// character code page 1251 cannot hold, a control character (a line break
// would add a line to the list and move every later slot), a path separator,
// or "." / "..". DEL and the C1 controls count as control characters.
QString refusal(const QString& bareName);

} // namespace chosenname
