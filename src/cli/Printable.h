#pragma once

#include <QString>

namespace cli {

// Text from a data set made safe for a terminal: control characters become
// escapes ("\t", "\n", "\r", "\x1B", "\x98"), and so do the invisible format
// and separator characters ("\u202E"), so a name can neither break a column
// nor drive the terminal. Every other character is left as it is.
QString printable(const QString& text);

} // namespace cli
