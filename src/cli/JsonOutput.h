#pragma once

#include "cli/CliContext.h"

#include <QJsonObject>

// What the commands with "--json" share: one UTF-8 JSON document on stdout
// for scripts, holding what the text output holds.
namespace cli {

inline const CliHelpItem kJsonHelp{QStringLiteral("--json"),
                                   QStringLiteral("one JSON document (UTF-8) instead of the text")};

void printJson(CliContext& context, const QJsonObject& document);

} // namespace cli
