// SPDX-License-Identifier: MIT
#pragma once

#include "editortext/EditedLines.h"

#include <QString>

class QMimeData;

// The X11 primary selection: what is selected, pasted by a middle click.
// Where the platform has none, nothing is kept, unless a test asks for a
// selection of the program's own.
namespace primaryselection {

bool available();
// Takes the data; it may make its text only when another program asks.
void set(QMimeData* data);
// The text between two places of the lines as they are now, made only when
// it is asked for: selecting millions of lines costs nothing until they are
// pasted.
void setLines(EditedLines lines, EditedLines::Position from, EditedLines::Position to);
QString text();
void keepOwnForTests(bool keep);

} // namespace primaryselection
