// SPDX-License-Identifier: MIT
#include "cli/CliFixture.h"
#include "dataset/ListFile.h"
#include "dataset/MemoryMap.h"
#include "firmware/FirmwareMaker.h"

#include <QJsonDocument>
#include <QJsonObject>

using Kind = FirmwareMaker::Kind;
using testsupport::readAll;

// The data set made for one firmware, carried over to later versions of it.
class PortTest : public CliFixture {
protected:
    void SetUp() override {
        SettingsStore::setOverrideFile(scratch.path("settings.ini"));
        QDir().mkpath(user());
        made = old.make();
        firmware = firmwaremaker::writeDataSet(made, user());
        oldPath = scratch.write("old.s3", firmwaremaker::sRecords(made.image, old.base));
    }

    QString write(const FirmwareMaker& maker, const QString& name) {
        return scratch.write(name, firmwaremaker::sRecords(maker.make().image, maker.base));
    }

    FirmwareMaker old = FirmwareMaker::standard();
    FirmwareMaker::Made made;
    QString oldPath;
};

TEST_F(PortTest, CarriesTheDataSetOverInsertedCodeMovedTablesAndAMovedResource) {
    const FirmwareMaker later = old.later();
    const FirmwareMaker::Made expected = later.make();
    const QString newPath = write(later, "new.s3");

    ASSERT_EQ(run({"port", oldPath, newPath, "--as", "LATER"}), 0)
        << err.toStdString() << out.toStdString();
    auto hex = [](std::uint32_t v) {
        return QStringLiteral("%1").arg(v, 8, 16, QLatin1Char('0')).toUpper();
    };
    EXPECT_TRUE(
        out.contains(QStringLiteral("the melody of slot 1 (Мелодия 2): 0x%1 -> 0x%2, found by "
                                    "its 341 bytes")
                         .arg(hex(made.addresses[old.find(Kind::Melody, 1)]),
                              hex(expected.addresses[later.find(Kind::Melody, 1)]))))
        << out.toStdString();
    const QString data = user() + "/LATER/Data/";
    for (const char* list :
         {"MelodiesTable.lst", "StdMelodiesOffsets.lst", "JavaTable.lst", "JavaStdOffsets.lst",
          "PicTable.lst", "PicOffsets.lst", "VolumesOffsets.lst", "StdVolumes.lst", "Volumes.lst",
          "MelodiesFiles.lst", "PicSize.lst"}) {
        EXPECT_EQ(listfile::load(data + list), expected.set.linesOf(list)) << list;
    }
    EXPECT_EQ(readAll(data + "ReqPatches/Fix.s3"), expected.requiredPatch);
    EXPECT_EQ(readAll(data + "JavaHelp.rtf"), readAll(firmware + "/Data/JavaHelp.rtf"));
    const QString expectedIni = scratch.write("expected.ini", expected.set.memoryIni.toLatin1());
    const MemoryMap got = readMemoryMap(data + "Memory.ini");
    const MemoryMap want = readMemoryMap(expectedIni);
    EXPECT_EQ(got.melodyStart, want.melodyStart);
    EXPECT_EQ(got.melodyEnd, want.melodyEnd);
    EXPECT_EQ(got.javaStart, want.javaStart);
    EXPECT_EQ(got.javaEnd, want.javaEnd);
    EXPECT_EQ(got.pictureStart, want.pictureStart);
    EXPECT_EQ(got.pictureEnd, want.pictureEnd);
    EXPECT_EQ(got.patch64K, want.patch64K);
    EXPECT_TRUE(QFileInfo::exists(data + "Pic/2.jpg"));

    EXPECT_EQ(run({"--firmware", "LATER", "match", newPath}), 0) << out.toStdString();
    EXPECT_EQ(run({"--firmware", "LATER", "check"}), 0) << out.toStdString();
    // Never over an existing data set, nor anywhere but a new folder of its own.
    EXPECT_EQ(run({"port", oldPath, newPath, "--as", "LATER"}), 1);
    EXPECT_TRUE(err.contains("exists already"));
    EXPECT_EQ(run({"port", oldPath, newPath, "--as", "../LATER2"}), 1);
    EXPECT_TRUE(err.contains("cannot name a firmware folder")) << err.toStdString();
}

TEST_F(PortTest, RefusesAResourceMissingOrFoundTwiceAndCreatesNothing) {
    FirmwareMaker missing = old;
    missing.pieces.erase(missing.pieces.begin() + std::ptrdiff_t(missing.find(Kind::Melody, 2)));
    EXPECT_EQ(run({"port", oldPath, write(missing, "missing.s3"), "--as", "NEW", "--json"}), 1);
    const QJsonObject json = QJsonDocument::fromJson(out.toUtf8()).object();
    EXPECT_FALSE(json["created"].toBool());
    EXPECT_TRUE(json["firmware_folder"].isNull()) << out.toStdString();
    EXPECT_EQ(run({"port", oldPath, write(missing, "missing.s3"), "--as", "NEW"}), 1);
    EXPECT_TRUE(out.contains("StdMelodiesOffsets.lst:3: error: the melody of slot 2 (Мелодия 3): "
                             "its 378 bytes from"));
    EXPECT_TRUE(out.contains("are found nowhere in the new firmware"));

    FirmwareMaker twice = old;
    twice.pieces.insert(twice.pieces.end() - 1, {Kind::Java, 1});
    EXPECT_EQ(run({"port", oldPath, write(twice, "twice.s3"), "--as", "NEW"}), 1);
    EXPECT_TRUE(out.contains("JavaStdOffsets.lst:2: error: the Java file of slot 1"));
    EXPECT_TRUE(out.contains("are found at several places in the new firmware: 0x"));
    EXPECT_FALSE(QFileInfo::exists(user() + "/NEW"));
    EXPECT_TRUE(err.contains("Nothing is created"));

    // Code inserted just before the patched bytes: what precedes them and what
    // follows them point at different places, and neither is taken.
    FirmwareMaker split = old;
    split.pieces.insert(split.pieces.begin() + std::ptrdiff_t(split.find(Kind::Required)),
                        {Kind::Code, 70});
    EXPECT_EQ(run({"port", oldPath, write(split, "split.s3"), "--as", "NEW"}), 1);
    EXPECT_TRUE(out.contains("Fix.s3:1: error: required patch Fix.s3 at 0x"));
    EXPECT_TRUE(out.contains("the bytes before it and after it are found at different places"));
    EXPECT_FALSE(QFileInfo::exists(user() + "/NEW"));
}

TEST_F(PortTest, RefusesARegionWhoseStartNewCodeTakesAndAPatchOverChangedBytes) {
    // The code before the melody region grew into it: the bytes before the
    // region still end where they did, but the region's first bytes are code.
    FirmwareMaker grown = old;
    grown.pieces.insert(grown.pieces.begin() + std::ptrdiff_t(grown.find(Kind::MelodyRegion)),
                        {Kind::Code, 80});
    const FirmwareMaker::Made made = grown.make();
    const std::uint32_t start = made.addresses[grown.find(Kind::Code, 80)];
    EXPECT_EQ(run({"port", oldPath, write(grown, "grown.s3"), "--as", "NEW"}), 1);
    EXPECT_TRUE(
        out.contains(QStringLiteral("Memory.ini:2: error: the melody region placed at 0x%1-")
                         .arg(QString::number(start, 16).toUpper().rightJustified(8, '0'))))
        << out.toStdString();
    EXPECT_TRUE(out.contains("bytes erased in the old firmware are not erased in the new one"));
    EXPECT_FALSE(QFileInfo::exists(user() + "/NEW"));

    // The bytes the Patch64K line writes over changed, those around them did not.
    FirmwareMaker::Made changed = old.make();
    const qsizetype at = qsizetype(changed.addresses[old.find(Kind::Patch64K)] - old.base);
    changed.image[at + 3] = char(changed.image[at + 3] ^ 0x5A);
    const QString newPath =
        scratch.write("changed.s3", firmwaremaker::sRecords(changed.image, old.base));
    EXPECT_EQ(run({"port", oldPath, newPath, "--as", "NEW"}), 1);
    EXPECT_TRUE(out.contains("error: the Patch64K line, carried from 0x"));
    EXPECT_TRUE(out.contains("writes over bytes that changed"));
    EXPECT_FALSE(QFileInfo::exists(user() + "/NEW"));
    ASSERT_EQ(run({"port", oldPath, newPath, "--as", "NEW", "--allow-changed-patches"}), 0)
        << out.toStdString() << err.toStdString();
    EXPECT_TRUE(out.contains("warning: the Patch64K line, carried from 0x")) << out.toStdString();
}
