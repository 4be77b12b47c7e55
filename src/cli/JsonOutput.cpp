#include "cli/JsonOutput.h"

#include <QJsonDocument>

namespace cli {

void printJson(CliContext& context, const QJsonObject& document) {
    // The text streams write UTF-8.
    context.out() << QString::fromUtf8(QJsonDocument(document).toJson(QJsonDocument::Indented));
}

} // namespace cli
