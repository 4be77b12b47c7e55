// SPDX-License-Identifier: MIT
#pragma once

#include <QCoreApplication>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <functional>
#include <utility>
#include <vector>

// What a check found, one finding per file and line, in the form compilers
// use so that editors can jump to it: "FILE:LINE: error: TEXT". Line 0 stands
// for the file as a whole.
struct Finding {
    QString file;
    qint64 line = 0;
    bool error = true;
    QString text;

    QString toText() const;
};

// A count in a text of the reports: `one` for 1, `many` for any other count
// (English has two forms), both translated with the count, so that the
// translation chooses its own plural form. Both hold %n.
QString countedText(qint64 n, const char* one, const char* many);

class Report {
    // Report::tr("…") translates in the context "Report", where every report
    // text lives, and lupdate files it there too.
    Q_DECLARE_TR_FUNCTIONS(Report)

public:
    void error(const QString& file, qint64 line, const QString& text);
    void warning(const QString& file, qint64 line, const QString& text);

    const std::vector<Finding>& findings() const { return findings_; }
    int errors() const { return errors_; }
    int warnings() const { return warnings_; }

    // Lines printed after the findings and before the count (verify's ranges
    // and matches). A source makes its lines only when the report is shown,
    // so that a million ranges are not a million strings held in memory.
    using LineSink = std::function<void(const QString& line)>;
    using LineSource = std::function<void(const LineSink& sink)>;
    void addSummary(const QString& line);
    void addSummary(LineSource lines);
    void forEachSummaryLine(const LineSink& sink) const;
    // A field of the JSON form besides the findings and counts (verify's
    // ranges), made when the JSON is asked for.
    void setJson(const QString& key, const QJsonValue& value);
    void setJson(const QString& key, std::function<QJsonValue()> value);

    // Every finding, the summary lines, then "2 errors, 1 warning".
    QString text() const;
    // The same, written line by line.
    void writeText(QTextStream& out) const;
    // The same content as one object: findings, errors, warnings and the fields set.
    QJsonObject json() const;
    QString countLine() const;

private:
    std::vector<Finding> findings_;
    std::vector<LineSource> summary_;
    std::vector<std::pair<QString, std::function<QJsonValue()>>> extra_;
    int errors_ = 0;
    int warnings_ = 0;
};
