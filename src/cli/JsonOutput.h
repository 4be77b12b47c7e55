#pragma once

#include "cli/CliContext.h"

#include <QJsonObject>
#include <QStringList>

// What the commands with "--json" share: one UTF-8 JSON document on stdout
// for scripts, holding what the text output holds.
namespace cli {

// Removes every "name" from args; returns whether there was one.
bool takeFlag(QStringList& args, const QString& name);
void printJson(CliContext& context, const QJsonObject& document);

} // namespace cli
