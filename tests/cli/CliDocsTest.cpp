#include "cli/CliDocs.h"

#include "cli/Commands.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

QString readText(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return QString::fromUtf8(file.readAll());
}

QString manualName(const QString& name) {
    return QString(name).replace(QLatin1Char('-'), QStringLiteral("\\-"));
}

// The part of the page from the command's entry to the next entry's.
QString manualEntry(const QString& page, const QString& command) {
    const qsizetype start = page.indexOf(".TP\n\\fB" + command + "\\fR");
    if (start < 0) {
        return {};
    }
    // To the end of its own list of items, or to the next entry when it has none.
    const qsizetype items = page.indexOf(".RS\n", start);
    const qsizetype next = page.indexOf(".TP\n", start + 4);
    const qsizetype end =
        items >= 0 && (next < 0 || items < next) ? page.indexOf(".RE\n", items) : next;
    return page.mid(start, end < 0 ? -1 : end - start);
}

} // namespace

// The manual page and the completion the build installs list every command,
// option and argument of the table the parser checks against.
TEST(CliDocs, ManualPageAndCompletionCoverTheParsersTable) {
    const QString page = readText(TARVEX_CLI_MANUAL);
    const QString completion = readText(TARVEX_CLI_COMPLETION);
    ASSERT_FALSE(page.isEmpty());
    ASSERT_FALSE(completion.isEmpty());
    EXPECT_TRUE(page.contains("\n.SH COMMANDS\n"));
    EXPECT_TRUE(page.contains("\n.SH ENVIRONMENT\n"));
    EXPECT_TRUE(page.contains("\n.SH FILES\n"));
    EXPECT_FALSE(page.contains("tarvex-cli --manual-sections"));
    // Only ASCII: a terminal without Cyrillic must not get warnings.
    for (const QChar c : page) {
        ASSERT_LT(c.unicode(), 0x80) << "not ASCII: " << QString(c).toStdString();
    }

    QList<std::pair<QString, QList<CliHelpItem>>> tables{{QString(), cli::programOptions()}};
    for (const CliCommand& command : cliCommands()) {
        tables.append({command.name, command.items});
    }
    for (const auto& [name, items] : tables) {
        const QString entry =
            name.isEmpty() ? page.section(".SH COMMANDS", 0, 0) : manualEntry(page, name);
        EXPECT_FALSE(entry.isEmpty()) << "no manual entry for " << name.toStdString();
        const QRegularExpression optionsLine("\n    \"" + name + "\"\\) echo \"([^\"]*)\" ;;\n");
        const QStringList completed =
            optionsLine.match(completion).captured(1).split(' ', Qt::SkipEmptyParts);
        EXPECT_TRUE(completed.contains("--help")) << name.toStdString();
        int argument = 0;
        for (const CliHelpItem& item : items) {
            EXPECT_TRUE(entry.contains(
                manualName(item.isOption() ? item.names().last() : item.valueName())))
                << name.toStdString() << ": " << item.term.toStdString();
            for (const QString& option : item.names()) {
                EXPECT_TRUE(completed.contains(option))
                    << name.toStdString() << " " << option.toStdString();
            }
            if (!item.isOption()) {
                EXPECT_TRUE(completion.contains(
                    QString("\n    \"%1 %2\") echo \"").arg(name).arg(argument++)))
                    << name.toStdString() << " " << item.term.toStdString();
            }
        }
    }
    // Values that are no files are not completed as files.
    EXPECT_TRUE(completion.contains("\n    \"assign 1\") echo \"slot\" ;;\n"));
    EXPECT_TRUE(completion.contains("\n    \"assign 0\") echo \"words:melodies java pictures\""));
    EXPECT_TRUE(completion.contains("\n    \" --firmware\") echo \"firmware\" ;;\n"));
    EXPECT_TRUE(completion.contains("\n    \"custom --offset\") echo \"text\" ;;\n"));
}

TEST(CliDocs, TextBeyondAsciiGetsAFallbackForPlainTerminals) {
    QString text;
    QTextStream out(&text);
    clidocs::printManualSections(out, {{"build", "build -o OUT", {}, "as \"Создать патч!\"", {}}});
    out.flush();
    EXPECT_TRUE(text.contains(".ie '\\*[.T]'utf8' As \"\\[u0421]\\[u043E]"));
    EXPECT_TRUE(text.contains("\n.el As \"Sozdat' patch!\".\n")) << text.toStdString();
}
