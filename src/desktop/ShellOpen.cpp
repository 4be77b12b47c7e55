// SPDX-License-Identifier: MIT
#include "desktop/ShellOpen.h"

#include <QDesktopServices>
#include <QUrl>

namespace shell {

namespace {

Opener& replacement() {
    static Opener opener;
    return opener;
}

} // namespace

void open(const QString& target) {
    if (replacement()) {
        replacement()(target);
        return;
    }
    QDesktopServices::openUrl(QUrl(target));
}

void setOpener(Opener opener) {
    replacement() = std::move(opener);
}

} // namespace shell
