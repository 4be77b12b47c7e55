// SPDX-License-Identifier: MIT
#pragma once

#include "base/Report.h"
#include "cli/CliContext.h"

#include <QJsonObject>

// What the commands with "--json" share: one UTF-8 JSON document on stdout
// for scripts, holding what the text output holds.
namespace cli {

// Made when the table is, so that it speaks the language installed.
inline CliHelpItem jsonHelp() {
    return {QStringLiteral("--json"), Report::tr("one JSON document (UTF-8) instead of the text")};
}

// The document with its "format" added (docs/json.md).
void printJson(CliContext& context, QJsonObject document);

} // namespace cli
