#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>
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

class Report {
public:
    void error(const QString& file, qint64 line, const QString& text);
    void warning(const QString& file, qint64 line, const QString& text);

    const std::vector<Finding>& findings() const { return findings_; }
    int errors() const { return errors_; }
    int warnings() const { return warnings_; }

    // Lines printed after the findings and before the count (verify's ranges).
    void addSummary(const QString& line, const QJsonObject& json);
    const QStringList& summary() const { return summary_; }

    // Every finding, the summary lines, then "2 errors, 1 warning".
    QString text() const;
    // The same content as one object: findings, summary, errors, warnings.
    QJsonObject json() const;
    QString countLine() const;

private:
    std::vector<Finding> findings_;
    QStringList summary_;
    std::vector<QJsonObject> summaryJson_;
    int errors_ = 0;
    int warnings_ = 0;
};
