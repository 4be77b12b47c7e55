// SPDX-License-Identifier: MIT
#include "CliFixture.h"
#include "base/ReportLanguage.h"
#include "cli/Commands.h"
#include "dataset/ListFile.h"
#include "platform/SettingsStore.h"
#include "support/MiniDataSet.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>

using testsupport::Scratch;

namespace {

class CheckCommands : public CliFixture {
protected:
    void SetUp() override {
        CliFixture::SetUp();
        // Previews, so that the mini data set checks without a warning.
        QDir().mkpath(firmware + "/Data/Pic");
        QImage preview(4, 2, QImage::Format_RGB888);
        preview.fill(Qt::white);
        preview.save(firmware + "/Data/Pic/1.jpg", "JPEG");
        preview.scaled(2, 2).save(firmware + "/Data/Pic/2.jpg", "JPEG");
    }

    QJsonObject json() const { return QJsonDocument::fromJson(out.toUtf8()).object(); }
};

} // namespace

TEST_F(CheckCommands, CheckReportsWithFileAndLineAndFailsOnErrors) {
    EXPECT_EQ(run({"check"}), 0) << out.toStdString() << err.toStdString();
    EXPECT_EQ(out, "0 errors, 0 warnings\n");

    listfile::save(firmware + "/Data/Volumes.lst", {"40", "80", "40"});
    EXPECT_EQ(run({"check"}), 1);
    EXPECT_EQ(out, firmware + "/Data/Volumes.lst:2: error: \"80\" is not a volume from 01 to 7F\n"
                              "1 error, 0 warnings\n");
    EXPECT_EQ(run({"check", "--json"}), 1);
    const QJsonObject report = json();
    EXPECT_EQ(report["errors"].toInt(), 1);
    const QJsonObject finding = report["findings"].toArray().at(0).toObject();
    EXPECT_EQ(finding["file"].toString(), firmware + "/Data/Volumes.lst");
    EXPECT_EQ(finding["line"].toInt(), 2);
    EXPECT_EQ(finding["severity"].toString(), "error");

    // A data set the program cannot even start on is still checked.
    QFile::remove(firmware + "/Data/PicNames.lst");
    EXPECT_EQ(run({"check"}), 1);
    EXPECT_TRUE(out.contains("/Data/PicNames.lst:0: error: missing")) << out.toStdString();
    EXPECT_EQ(run({"check", "--dir", scratch.path("nowhere")}), 1);
}

TEST_F(CheckCommands, APatch64KTheCheckCallsAnErrorIsNotBuilt) {
    const QString ini = firmware + "/Data/Memory.ini";
    QByteArray text = testsupport::readAll(ini);
    listfile::writeWhole(ini,
                         text.replace("[Patches]\r\n", "[Patches]\r\nPatch64K=S1050000AABB95\r\n"));
    EXPECT_EQ(run({"check"}), 1);
    EXPECT_EQ(out, ini + ":2: error: Patch64K is an S1 record: it must be one S3 record\n"
                         "1 error, 0 warnings\n");
    const QString patch = scratch.path("melodies.s3");
    EXPECT_EQ(run({"build", "melodies", "-o", patch}), 1);
    EXPECT_EQ(err, "tarvex-cli: Patch64K is an S1 record: it must be one S3 record: no patch is "
                   "built\n");
    EXPECT_FALSE(QFileInfo::exists(patch));
}

TEST_F(CheckCommands, VerifyAndJsonOfInfoAndSlots) {
    const QString melody = scratch.write("in/a.mid", testsupport::sequence(20));
    ASSERT_EQ(run({"assign", "melodies", "1", melody}), 0);
    const QString patch = scratch.path("out.s3");
    ASSERT_EQ(run({"build", "melodies", "-o", patch}), 0);
    EXPECT_EQ(run({"verify", patch}), 0) << out.toStdString();
    EXPECT_TRUE(out.endsWith("0 errors, 0 warnings\n")) << out.toStdString();
    EXPECT_TRUE(out.contains("0x01301000-0x01301013: 20 bytes: melody region\n"));
    ASSERT_EQ(run({"verify", "--json", "--no-dataset", patch}), 0);
    const QJsonArray ranges = json()["ranges"].toArray();
    ASSERT_FALSE(ranges.isEmpty());
    EXPECT_EQ(ranges.last().toObject()["start"].toInteger(), 0x01301000);
    EXPECT_EQ(ranges.last().toObject()["start_hex"].toString(), "0x01301000");
    EXPECT_EQ(ranges.last().toObject()["bytes"].toInt(), 20);

    const QString bad = scratch.write("bad.s3", "S00600004844521B\r\nS30901201010101112136E\r\n");
    EXPECT_EQ(run({"verify", "--no-dataset", bad}), 1);
    EXPECT_TRUE(out.startsWith(bad + ":2: error: checksum 6E, expected 6F\n"));
    EXPECT_EQ(run({"verify"}), 2);
    // Under a Russian locale the report is Russian, the JSON keys and severities stay.
    ASSERT_TRUE(reportlanguage::use(QLocale(QLocale::Russian)));
    EXPECT_EQ(run({"verify", "--no-dataset", bad}), 1);
    EXPECT_TRUE(out.startsWith(bad + ":2: ошибка: контрольная сумма 6E, ожидалась 6F\n"));
    EXPECT_TRUE(out.endsWith("2 ошибки, 0 предупреждений\n")) << out.toStdString();
    EXPECT_EQ(err, "tarvex-cli: В патче есть ошибки\n"); // the closing message too
    EXPECT_EQ(run({"verify", patch}), 0);
    EXPECT_TRUE(out.contains("0x01301000-0x01301013: байтов: 20: область мелодий\n"
                             "совпадает с текущим выбором мелодий: да\n"
                             "совпадает с текущим выбором игр Java: нет\n"))
        << out.toStdString();
    EXPECT_EQ(run({"verify", "--no-dataset", "--json", bad}), 1);
    EXPECT_EQ(json()["findings"].toArray()[0].toObject()["severity"].toString(), "error");
    EXPECT_FALSE(reportlanguage::use(QLocale(QLocale::English)));
    EXPECT_EQ(run({"verify", "--no-dataset", bad}), 1);
    EXPECT_TRUE(out.endsWith("2 errors, 0 warnings\n"));

    ASSERT_EQ(run({"info", "--json"}), 0);
    EXPECT_EQ(json()["melody_total"].toInt(), 8056815);
    EXPECT_EQ(json()["firmware"].toString(), "X120XEDJ2");
    ASSERT_EQ(run({"slots", "java", "--json"}), 0);
    const QJsonArray rows = json()["slots"].toArray();
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[1].toObject()["columns"].toArray()[0].toString(), QStringLiteral("Игра0.jar"));
    ASSERT_EQ(run({"slots", "melodies", "--json"}), 0);
    EXPECT_EQ(json()["slots"].toArray()[1].toObject()["volume"].toInt(), 0x40);
}

TEST_F(CheckCommands, ImportAddsAPassingDataSetOnlyUnderANewId) {
    // What a killed import left goes with the next command.
    scratch.write("user/.KILLED.import/Data/Memory.ini", "");
    EXPECT_EQ(run({"import", firmware, "--as", "COPY"}), 0) << out.toStdString();
    EXPECT_FALSE(QFileInfo::exists(user() + "/.KILLED.import"));
    EXPECT_TRUE(out.contains("Imported COPY into " + user() + "/COPY\n"));
    EXPECT_TRUE(out.endsWith("tarvex-cli --firmware COPY info\n")) << out.toStdString();
    EXPECT_TRUE(QFileInfo::exists(user() + "/COPY/Data/Memory.ini"));
    EXPECT_TRUE(QDir(user() + "/COPY/TempMelodies").exists());
    EXPECT_EQ(run({"--firmware", "COPY", "check"}), 0);

    EXPECT_EQ(run({"import", firmware}), 1);
    EXPECT_TRUE(err.contains("exists already")) << err.toStdString();
    listfile::save(firmware + "/Data/JavaTable.lst", {"0110002"});
    EXPECT_EQ(run({"import", firmware + "/Data", "--as", "BROKEN"}), 1);
    EXPECT_TRUE(out.contains("JavaTable.lst:1: error: ")) << out.toStdString();
    EXPECT_FALSE(QFileInfo::exists(user() + "/BROKEN"));
}

TEST_F(CheckCommands, PicturesOfEveryAcceptedFormatCheckClean) {
    QImage picture(4, 2, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    picture.save(scratch.path("in.png"), "PNG");
    picture.save(scratch.path("in.jpg"), "JPEG");
    // Qt writes no GIF: a 2 x 2 one, all blue, by hand.
    scratch.write("in.gif", testsupport::bytesFromHex("474946383961020002008000000000FFFFFFFF"
                                                      "2C0000000002000200000203040005003B"));
    ASSERT_EQ(run({"assign", "pictures", "0", scratch.path("in.png")}), 0) << err.toStdString();
    ASSERT_EQ(run({"assign", "pictures", "1", scratch.path("in.gif")}), 0) << err.toStdString();
    EXPECT_EQ(run({"check"}), 0) << out.toStdString();
    ASSERT_EQ(run({"assign", "pictures", "0", scratch.path("in.jpg")}), 0) << err.toStdString();
    EXPECT_EQ(run({"check"}), 0) << out.toStdString();
    EXPECT_EQ(out, "0 errors, 0 warnings\n");
}
