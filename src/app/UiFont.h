// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>
#include <QStringList>

// The windows' font: Tahoma 8 pt where it exists, else a face of similar
// width, so that the fixed-size dialogs and the list columns hold their text.
inline QFont uiFont(bool bold = false) {
    QFont font;
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans Condensed"),
                      QStringLiteral("Liberation Sans Narrow")});
    font.setPointSize(8);
    font.setBold(bold);
    return font;
}
