// SPDX-License-Identifier: MIT
#include "CliFixture.h"
#include "cli/Commands.h"
#include "dataset/ListFile.h"
#include "support/TestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>

namespace {

// The rules of docs/json.md that hold for any document.
void expectShape(const QJsonValue& value, const QString& where) {
    static const QRegularExpression key("^[a-z][a-z0-9_]*$");
    static const QRegularExpression hex("^0x[0-9A-F]{8}$");
    static const QRegularExpression numberText("^(-?[0-9]+|0x[0-9A-Fa-f]+)$");
    if (value.isArray()) {
        for (const QJsonValue& item : value.toArray()) {
            if (!item.isString()) { // list texts are data and may be anything
                expectShape(item, where + "[]");
            }
        }
        return;
    }
    if (!value.isObject()) {
        return;
    }
    const QJsonObject object = value.toObject();
    for (auto it = object.begin(); it != object.end(); ++it) {
        const QString at = where + "." + it.key();
        EXPECT_TRUE(key.match(it.key()).hasMatch()) << at.toStdString();
        if (it.key().endsWith("_hex")) {
            const QJsonValue number = object.value(it.key().chopped(4));
            if (it->isNull()) {
                EXPECT_TRUE(number.isNull()) << at.toStdString();
                continue;
            }
            EXPECT_TRUE(hex.match(it->toString()).hasMatch()) << at.toStdString();
            ASSERT_TRUE(number.isDouble()) << at.toStdString();
            EXPECT_EQ(it->toString().toLongLong(nullptr, 16), qint64(number.toDouble()))
                << at.toStdString();
        } else if (it->isString()) {
            EXPECT_FALSE(numberText.match(it->toString()).hasMatch())
                << at.toStdString() << " holds a number as text: " << it->toString().toStdString();
        }
        expectShape(*it, at);
    }
}

class JsonShape : public CliFixture {
protected:
    // Runs the command with --json; the document it printed, checked.
    QJsonObject document(const QStringList& args, int exitCode) {
        EXPECT_EQ(run(args + QStringList{"--json"}), exitCode) << err.toStdString();
        covered.insert(args.first());
        QJsonParseError error;
        const QJsonObject object = QJsonDocument::fromJson(out.toUtf8(), &error).object();
        EXPECT_EQ(error.error, QJsonParseError::NoError) << out.toStdString();
        EXPECT_EQ(object.value("format"), QJsonValue(1)) << args.join(' ').toStdString();
        expectShape(object, args.join(' '));
        return object;
    }

    QSet<QString> covered;
};

} // namespace

TEST_F(JsonShape, EveryCommandPrintsTheOneShapeWithOrWithoutErrors) {
    const QJsonObject info = document({"info"}, 0);
    EXPECT_EQ(info["melody_start"], QJsonValue(0x01300000));
    EXPECT_EQ(info["melody_start_hex"], QJsonValue("0x01300000"));
    EXPECT_EQ(info["volume_patch"], QJsonValue(true));
    EXPECT_EQ(info["melody_total"], QJsonValue(8056815));

    QSet<QString> slotKeys;
    for (const char* manager : {"melodies", "java", "pictures"}) {
        const QJsonArray rows = document({"slots", manager}, 0)["slots"].toArray();
        ASSERT_FALSE(rows.isEmpty());
        for (const QJsonValue& slot : rows) {
            const QStringList keys = slot.toObject().keys();
            slotKeys.insert(keys.join(','));
        }
    }
    EXPECT_EQ(slotKeys.size(), 1) << "every slot has the same fields";
    const QJsonObject melody = document({"slots", "melodies"}, 0)["slots"][1].toObject();
    EXPECT_EQ(melody["volume"], QJsonValue(0x40));
    EXPECT_TRUE(melody["size"].isDouble());

    // check, verify and import: the same fields with and without errors.
    auto sameFields = [](const QJsonObject& good, const QJsonObject& bad) {
        EXPECT_EQ(good.keys(), bad.keys());
        EXPECT_EQ(good["errors"], QJsonValue(0));
        EXPECT_GT(bad["errors"].toInt(), 0);
    };
    const QString patch = scratch.path("good.s3");
    ASSERT_EQ(run({"custom", "--offset", "0x01301000", "-o", patch,
                   scratch.write("in.bin", testsupport::sequence(20))}),
              0);
    const QJsonObject good = document({"verify", patch}, 0);
    const QJsonObject range = good["ranges"][0].toObject();
    EXPECT_EQ(range["start"], QJsonValue(0x01301000));
    EXPECT_EQ(range["end_hex"], QJsonValue("0x01301013"));
    const QJsonObject unread = document({"verify", scratch.path("none.s3")}, 1);
    sameFields(good, unread);
    EXPECT_EQ(unread["ranges"], QJsonValue(QJsonArray()));

    const QString copy = scratch.path("copy");
    set.writeTo(copy);
    const QJsonObject imported = document({"import", copy + "/X120XEDJ2", "--as", "NEW"}, 0);
    EXPECT_EQ(imported["imported"], QJsonValue(true));
    listfile::save(firmware + "/Data/JavaTable.lst", {"0110002"});
    const QJsonObject refused = document({"import", firmware, "--as", "BAD"}, 1);
    EXPECT_EQ(refused["imported"], QJsonValue(false));
    EXPECT_EQ(refused["firmware_folder"], QJsonValue());
    sameFields(imported, refused);
    sameFields(document({"--firmware", "NEW", "check"}, 0), document({"check"}, 1));

    // match and port on a firmware that does not hold the data set.
    const QString junk = scratch.write("junk.bin", testsupport::sequence(4096));
    EXPECT_EQ(document({"match", junk}, 1)["matches"], QJsonValue(false));
    const QJsonObject port = document({"port", junk, junk, "--as", "P"}, 1);
    EXPECT_EQ(port["created"], QJsonValue(false));
    EXPECT_EQ(port["moves"], QJsonValue(QJsonArray()));
    const QJsonObject scan = document({"scan", junk}, 0);
    EXPECT_EQ(scan["resources"], QJsonValue(QJsonArray()));
    EXPECT_EQ(scan["erased_areas"], QJsonValue(QJsonArray()));

    // revert refused (the junk holds no byte the patch writes) and made.
    const QJsonObject unreverted =
        document({"revert", junk, patch, "-o", scratch.path("r1.s3")}, 1);
    EXPECT_FALSE(unreverted["written"].toBool());
    const QJsonObject reverted =
        document({"revert", junk, "--base", "0x01301000", patch, "-o", scratch.path("r2.s3")}, 0);
    EXPECT_EQ(reverted["records"], QJsonValue(2));
    sameFields(reverted, unreverted);

    const QJsonObject sets = document({"firmwares"}, 0);
    EXPECT_EQ(sets["data_sets"].toArray().size(), 2); // X120XEDJ2 and the imported NEW
    EXPECT_TRUE(sets["data_sets"][0]["in_use_by"].isNull());

    // A command that gains --json gains a case here.
    for (const CliCommand& command : cliCommands()) {
        for (const CliHelpItem& item : command.items) {
            if (item.names().contains("--json")) {
                EXPECT_TRUE(covered.contains(command.name)) << command.name.toStdString();
            }
        }
    }
}
