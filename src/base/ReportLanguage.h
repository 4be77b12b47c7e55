// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class QLocale;

// The language of the reports of check, verify and import. Their texts are
// English in the program; a Russian translation is built in. The window
// always speaks Russian; the command line follows the user's locale, which
// it passes here, so that nothing else depends on the machine's settings.
namespace reportlanguage {

// Russian for a Russian locale, English for any other. Returns whether the
// reports are now Russian.
bool use(const QLocale& locale);

// A text of the system (a file error's reason, which the C library words by
// its own locale) when it is in the language of ours, else empty: one line
// never mixes two languages.
QString inOurLanguage(const QString& systemText);

// A finding's "cannot be read", with the system's reason where it is in our language.
QString cannotBeRead(const QString& reason);

} // namespace reportlanguage
