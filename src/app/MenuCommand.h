// SPDX-License-Identifier: MIT
#pragma once

#include "desktop/UserDialogs.h"

#include <QAction>
#include <QMenu>

// Adds `handler` of `owner` to `menu` as the action `name`. What the handler
// throws is shown to the user, as from every command of the window.
template <typename Owner>
void addMenuCommand(QMenu& menu, const QString& text, const char* name, Owner* owner,
                    void (Owner::*handler)()) {
    QAction* action = menu.addAction(text);
    action->setObjectName(QLatin1String(name));
    QObject::connect(action, &QAction::triggered, owner,
                     [owner, handler] { guarded([owner, handler] { (owner->*handler)(); }); });
}
