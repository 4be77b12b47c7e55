// SPDX-License-Identifier: MIT
#include "base/Report.h"

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

void Report::addSummary(const QString& line) {
    summary_.push_back([line](const LineSink& sink) { sink(line); });
}

void Report::addSummary(LineSource lines) {
    summary_.push_back(std::move(lines));
}

void Report::forEachSummaryLine(const LineSink& sink) const {
    for (const LineSource& lines : summary_) {
        lines(sink);
    }
}

void Report::setJson(const QString& key, const QJsonValue& value) {
    setJson(key, [value] { return value; });
}

void Report::setJson(const QString& key, std::function<QJsonValue()> value) {
    for (auto& [k, v] : extra_) {
        if (k == key) {
            v = std::move(value);
            return;
        }
    }
    extra_.emplace_back(key, std::move(value));
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
    QTextStream stream(&out);
    writeText(stream);
    stream.flush();
    return out;
}

void Report::writeText(QTextStream& out) const {
    for (const Finding& finding : findings_) {
        out << finding.toText() << '\n';
    }
    forEachSummaryLine([&out](const QString& line) { out << line << '\n'; });
    out << countLine() << '\n';
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
    QJsonObject out;
    for (const auto& [key, value] : extra_) {
        out.insert(key, value());
    }
    out.insert(QStringLiteral("findings"), findings);
    out.insert(QStringLiteral("errors"), errors_);
    out.insert(QStringLiteral("warnings"), warnings_);
    return out;
}
