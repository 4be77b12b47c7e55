// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class QCoreApplication;

// Qt's own texts (file dialogs, standard buttons, their messages) in Russian,
// as the rest of the window. Reads qtbase_ru.qm from `folder`, by default
// Qt's translations folder. Returns whether it was found: without it those
// texts stay in English, which is no error.
bool installQtTranslation(QCoreApplication& app, const QString& folder = {});
