// SPDX-License-Identifier: MIT
#include "base/OurLanguage.h"

namespace ourlanguage {

namespace {
bool russianTexts = false;
} // namespace

void setRussian(bool russian) {
    russianTexts = russian;
}

bool russian() {
    return russianTexts;
}

QString systemText(const QString& text) {
    bool cyrillic = false;
    bool latin = false;
    for (const QChar c : text) {
        cyrillic = cyrillic || c.script() == QChar::Script_Cyrillic;
        latin = latin || (c.script() == QChar::Script_Latin && c.isLetter());
    }
    return (russianTexts ? cyrillic && !latin : !cyrillic) ? text : QString();
}

QString withSystemText(const QString& text, const QString& system) {
    const QString shown = systemText(system);
    return shown.isEmpty() ? text : text + QStringLiteral(": ") + shown;
}

} // namespace ourlanguage
