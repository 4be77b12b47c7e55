// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// Which language our texts are in, known to every layer: the texts that
// quote the system (a file error's reason, a library's message) show its
// words only when they are in the same language, so that no line mixes two.
// The translation is installed by reportlanguage::use, which says here
// what it installed.
namespace ourlanguage {

void setRussian(bool russian);
bool russian();

// The system's text when it is in our language, else empty.
QString systemText(const QString& text);

// "TEXT: SYSTEM TEXT", or TEXT alone when the system's text is in another
// language or empty.
QString withSystemText(const QString& text, const QString& system);

} // namespace ourlanguage
