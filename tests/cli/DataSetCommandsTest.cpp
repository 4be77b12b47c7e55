// SPDX-License-Identifier: MIT
#include "CliFixture.h"
#include "dataset/FirmwareSettings.h"
#include "platform/DataSetLock.h"
#include "platform/FileOps.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// Two data sets, OTHER beside the mini one; the terminal and the trash are
// stand-ins, so nothing waits for a typed answer or reaches the desktop.
class DataSetCommands : public CliFixture {
protected:
    void SetUp() override {
        CliFixture::SetUp();
        other = set.writeTo(user(), "OTHER");
        cli::setTerminalForTests([this](const QString& question) {
            if (answer) {
                questions.append(question);
            }
            return answer;
        });
        fileops::setTrashForTests([this](const QString& path, QString* reason) {
            *reason = "the trash is full";
            return trashWorks && QDir().mkpath(scratch.path("trash")) &&
                   QDir().rename(path, scratch.path("trash/") + QFileInfo(path).fileName());
        });
    }
    void TearDown() override {
        cli::setTerminalForTests({});
        fileops::setTrashForTests({});
        CliFixture::TearDown();
    }

    QString other;
    std::optional<QString> answer; // nothing: no terminal
    QStringList questions;
    bool trashWorks = true;
};

QString remembered() {
    return readFirmwareSettings(SettingsStore()).currentId;
}

} // namespace

TEST_F(DataSetCommands, FirmwaresMarksTheCurrentTheDemonstrationTheHeldAndTheBroken) {
    scratch.mkdir("bin"); // beside it, the program's bundled sets
    scratch.mkdir("share/tarvex/firmware/X120XEDJ2");
    ASSERT_TRUE(QFile::remove(other + "/Data/MelodiesNames.lst"));
    ASSERT_TRUE(QFile::link(other, user() + "/LINKED")); // not a set of its own
    DataSetLock holder(other);
    ASSERT_EQ(holder.tryLock(), DataSetLock::Result::Locked);

    ASSERT_EQ(run({"firmwares", "--json"}), 0) << err.toStdString();
    const QJsonObject document = QJsonDocument::fromJson(out.toUtf8()).object();
    EXPECT_EQ(document["current"], QJsonValue("X120XEDJ2"));
    QMap<QString, QJsonObject> sets;
    for (const QJsonValue& each : document["data_sets"].toArray()) {
        sets.insert(each["id"].toString(), each.toObject());
    }
    ASSERT_EQ(sets.keys(), (QStringList{"OTHER", "X120XEDJ2"}));
    EXPECT_TRUE(sets["X120XEDJ2"]["current"].toBool());
    EXPECT_TRUE(sets["X120XEDJ2"]["demonstration"].toBool());
    EXPECT_TRUE(sets["X120XEDJ2"]["in_use_by"].isNull());
    EXPECT_EQ(sets["X120XEDJ2"]["errors"], QJsonValue(0));
    EXPECT_FALSE(sets["OTHER"]["current"].toBool() || sets["OTHER"]["demonstration"].toBool());
    EXPECT_TRUE(sets["OTHER"]["in_use_by"].isString());
    EXPECT_GT(sets["OTHER"]["errors"].toInt(), 0);

    ASSERT_EQ(run({"firmwares"}), 0);
    const QStringList lines = out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3) << out.toStdString();
    EXPECT_TRUE(lines[1].startsWith("  OTHER ") && lines[1].contains("in use by") &&
                lines[1].contains("error"))
        << lines[1].toStdString();
    EXPECT_TRUE(lines[2].startsWith("* X120XEDJ2 ") && lines[2].contains("never flash"));
}

TEST_F(DataSetCommands, UseStoresTheChoiceTheCommandsThenFollow) {
    ASSERT_EQ(run({"use", "OTHER"}), 0) << err.toStdString();
    EXPECT_EQ(remembered(), "OTHER");
    EXPECT_TRUE(readFirmwareSettings(SettingsStore()).folderList.contains("OTHER\r\n"));
    ASSERT_EQ(run({"info", "--json"}), 0);
    EXPECT_EQ(QJsonDocument::fromJson(out.toUtf8()).object()["firmware"], QJsonValue("OTHER"));
    EXPECT_EQ(run({"use", "OTHER"}), 0);
    EXPECT_TRUE(out.contains("already")) << out.toStdString();

    ASSERT_TRUE(QFile::link(other, user() + "/LINKED"));
    for (const QString id : {"NOSUCH", "LINKED", "..", ""}) {
        EXPECT_EQ(run({"use", id}), 1) << id.toStdString();
        EXPECT_TRUE(err.contains("X120XEDJ2") && err.contains("OTHER")) << err.toStdString();
    }
    EXPECT_EQ(remembered(), "OTHER");
}

TEST_F(DataSetCommands, RemoveMovesOnlyAConfirmedFreePlainSetToTheTrash) {
    // No terminal, a "no", a holder, a trash that refuses: each leaves it whole.
    EXPECT_EQ(run({"remove", "OTHER"}), 2);
    answer = "n";
    EXPECT_EQ(run({"remove", "OTHER"}), 1);
    ASSERT_EQ(questions.size(), 1);
    EXPECT_TRUE(questions[0].contains(other) && questions[0].contains("[y/N]"));
    {
        DataSetLock holder(other);
        ASSERT_EQ(holder.tryLock(), DataSetLock::Result::Locked);
        EXPECT_EQ(run({"remove", "OTHER", "--yes"}), 1);
        EXPECT_TRUE(err.contains("in use")) << err.toStdString();
    }
    trashWorks = false;
    EXPECT_EQ(run({"remove", "OTHER", "--yes"}), 1);
    EXPECT_TRUE(err.contains("not deleted")) << err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(other + "/Data/Memory.ini"));

    // A link is refused, and what it leads to stays.
    ASSERT_TRUE(QFile::link(other, user() + "/LINKED"));
    trashWorks = true;
    EXPECT_EQ(run({"remove", "LINKED", "--yes"}), 1);
    EXPECT_TRUE(QFileInfo(user() + "/LINKED").isSymLink());
    EXPECT_TRUE(QFileInfo::exists(other + "/Data/Memory.ini"));

    // The current set goes too; the choice stays, and the user is told.
    ASSERT_EQ(run({"use", "OTHER"}), 0);
    answer = "y";
    EXPECT_EQ(run({"remove", "OTHER"}), 0) << err.toStdString();
    EXPECT_TRUE(out.contains("none is current")) << out.toStdString();
    EXPECT_FALSE(QFileInfo::exists(other));
    EXPECT_TRUE(QFileInfo::exists(scratch.path("trash/OTHER/Data/Memory.ini")));
    EXPECT_EQ(remembered(), "OTHER");
    EXPECT_EQ(run({"info"}), 1);
}
