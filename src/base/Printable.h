#pragma once

#include <QString>

namespace terminal {

// Text from outside (a data set, a path) made safe for a terminal or a
// report of one finding a line: control characters become
// escapes ("\t", "\n", "\r", "\x1B", "\x98"), and so do the invisible format
// and separator characters ("\u202E"), so a name can neither break a column
// nor drive the terminal. Every other character is left as it is.
QString printable(const QString& text);

} // namespace terminal
