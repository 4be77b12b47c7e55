#include "check/Report.h"

#include "base/Printable.h"

#include <QCoreApplication>
#include <QJsonArray>

namespace {

// English has one form for 1 and one for the rest; the Russian translation
// gives each of these its own plural forms.
QString counted(int n, const char* one, const char* many) {
    return QCoreApplication::translate("Report", n == 1 ? one : many, nullptr, n);
}

} // namespace

QString Finding::toText() const {
    // Paths and list lines may hold control characters: escaped, so that a
    // name can neither split a finding over two lines nor drive a terminal.
    return QStringLiteral("%1:%2: %3: %4")
        .arg(terminal::printable(file))
        .arg(line)
        .arg(error ? QCoreApplication::translate("Report", "error")
                   : QCoreApplication::translate("Report", "warning"),
             terminal::printable(text));
}

void Report::error(const QString& file, qint64 line, const QString& text) {
    findings_.push_back({file, line, true, text});
    ++errors_;
}

void Report::warning(const QString& file, qint64 line, const QString& text) {
    findings_.push_back({file, line, false, text});
    ++warnings_;
}

void Report::addSummary(const QString& line, const QJsonObject& json) {
    summary_.append(line);
    summaryJson_.push_back(json);
}

QString Report::countLine() const {
    return counted(errors_, QT_TRANSLATE_N_NOOP("Report", "%n error"),
                   QT_TRANSLATE_N_NOOP("Report", "%n errors")) +
           QStringLiteral(", ") +
           counted(warnings_, QT_TRANSLATE_N_NOOP("Report", "%n warning"),
                   QT_TRANSLATE_N_NOOP("Report", "%n warnings"));
}

QString Report::text() const {
    QString out;
    for (const Finding& finding : findings_) {
        out += finding.toText() + QLatin1Char('\n');
    }
    for (const QString& line : summary_) {
        out += line + QLatin1Char('\n');
    }
    return out + countLine() + QLatin1Char('\n');
}

QJsonObject Report::json() const {
    QJsonArray findings;
    for (const Finding& finding : findings_) {
        findings.append(QJsonObject{
            {QStringLiteral("file"), finding.file},
            {QStringLiteral("line"), finding.line},
            {QStringLiteral("severity"),
             finding.error ? QStringLiteral("error") : QStringLiteral("warning")},
            {QStringLiteral("text"), finding.text},
        });
    }
    QJsonArray summary;
    for (const QJsonObject& item : summaryJson_) {
        summary.append(item);
    }
    QJsonObject out{
        {QStringLiteral("findings"), findings},
        {QStringLiteral("errors"), errors_},
        {QStringLiteral("warnings"), warnings_},
    };
    if (!summary.isEmpty()) {
        out.insert(QStringLiteral("ranges"), summary);
    }
    return out;
}
