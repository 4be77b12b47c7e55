#include "cli/JsonOutput.h"

#include <QJsonDocument>

namespace cli {

bool takeFlag(QStringList& args, const QString& name) {
    return args.removeAll(name) > 0;
}

void printJson(CliContext& context, const QJsonObject& document) {
    // The text streams write UTF-8.
    context.out() << QString::fromUtf8(QJsonDocument(document).toJson(QJsonDocument::Indented));
}

} // namespace cli
