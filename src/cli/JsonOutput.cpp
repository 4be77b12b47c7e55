#include "cli/JsonOutput.h"

#include "base/JsonShape.h"

#include <QJsonDocument>

namespace cli {

void printJson(CliContext& context, QJsonObject document) {
    document.insert(QStringLiteral("format"), jsonshape::kFormat);
    // The text streams write UTF-8.
    context.out() << QString::fromUtf8(QJsonDocument(document).toJson(QJsonDocument::Indented));
}

} // namespace cli
