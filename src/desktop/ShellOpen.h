// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <functional>

// Hands a link ("mailto:...") to the desktop, which opens it with the user's
// program for it. The outcome is not reported: with no mail program
// registered nothing happens.
namespace shell {

using Opener = std::function<void(const QString& target)>;

void open(const QString& target);
// Replaces the desktop for tests; an empty function puts it back.
void setOpener(Opener opener);

} // namespace shell
