#include "cli/JsonOutput.h"

#include <QJsonDocument>

namespace cli {

bool takeFlag(QStringList& args, const QString& name) {
    return args.removeAll(name) > 0;
}

void printJson(CliContext& context, const QJsonObject& document) {
    QByteArray text = QJsonDocument(document).toJson(QJsonDocument::Indented);
    if (!text.endsWith('\n')) {
        text += '\n';
    }
    context.writeOutput({}, text);
}

} // namespace cli
