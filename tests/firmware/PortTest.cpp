// SPDX-License-Identifier: MIT
#include "cli/CliFixture.h"
#include "dataset/ListFile.h"
#include "dataset/MemoryMap.h"
#include "firmware/FirmwareMaker.h"

#include <QElapsedTimer>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QThread>
#include <csignal>

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

// The user's choices go to their slots in the new set, working copies and
// all; each one that cannot go is named with its reason, and its slot stays
// standard.
TEST_F(PortTest, CarriesTheUsersChoicesAndNamesEachOneLeftBehind) {
    const QByteArray tune = testsupport::sequence(700, 7);
    ASSERT_EQ(run({"assign", "melodies", "1", scratch.write("in/tune.mid", tune)}), 0);
    ASSERT_EQ(run({"assign", "melodies", "2",
                   scratch.write("in/big.mid", testsupport::sequence(5000, 3))}),
              0);
    ASSERT_EQ(run({"volume", "0", "100"}), 0) << err.toStdString();
    ASSERT_EQ(run({"assign", "java", "0", scratch.write("in/g.jad", "d")}), 0);
    ASSERT_EQ(run({"assign", "java", "1", scratch.write("in/g.jar", testsupport::sequence(90))}),
              0);
    QFile::remove(firmware + "/TempJava/g.jar");
    // A bitmap of the picture slot's own size.
    auto bitmap = [&](int slot, const QString& name) {
        const QString entry = listfile::load(firmware + "/Data/PicOffsets.lst").value(slot);
        QImage picture(entry.mid(0, 2).toInt(nullptr, 16), entry.mid(4, 2).toInt(nullptr, 16),
                       QImage::Format_RGB888);
        picture.fill(qRgb(10, 200, 30));
        EXPECT_TRUE(picture.save(scratch.path(name), "BMP"));
        return scratch.path(name);
    };
    ASSERT_EQ(run({"assign", "pictures", "0", bitmap(0, "in/p.bmp")}), 0) << err.toStdString();
    ASSERT_EQ(run({"assign", "pictures", "1", bitmap(1, "in/q.bmp")}), 0) << err.toStdString();
    QStringList picSizes = listfile::load(firmware + "/Data/PicSize.lst");
    picSizes[1] = "1"; // a size the copy does not give: the check refuses it
    listfile::save(firmware + "/Data/PicSize.lst", picSizes);

    const QString newPath = write(old.later(), "new.s3");
    ASSERT_EQ(run({"port", oldPath, newPath, "--as", "LATER"}), 0)
        << err.toStdString() << out.toStdString();
    for (const char* line :
         {"carried to the new set: the melody of slot 1, tune.mid, 700 bytes",
          "left behind: the melody of slot 2, big.mid: it does not fit: 5000 bytes needed, 3379 "
          "bytes left of 4079 bytes",
          "carried to the new set: the picture of slot 0, p.bmp, ",
          "left behind: the picture of slot 1, q.bmp: 1 bytes recorded, but ",
          "left behind: the Java file of slot 0, g.jad: the other half of its game stays behind",
          "left behind: the Java file of slot 1, g.jar: its working copy ",
          "carried to the new set: the volume of melody slot 0, 64",
          "3 choices carried to the new set", "4 choices left behind",
          "To use it, give --firmware LATER before the command"}) {
        EXPECT_TRUE(out.contains(QString::fromUtf8(line))) << line << "\n" << out.toStdString();
    }
    // Named as the old set holds it, never by the staging that is gone.
    EXPECT_TRUE(out.contains("1 bytes recorded, but " + firmware + "/TempPic/q.bmp gives"));
    const QString later = user() + "/LATER/";
    EXPECT_EQ(readAll(later + "TempMelodies/tune.mid"), tune);
    EXPECT_EQ(readAll(later + "TempPic/p.bmp"), readAll(scratch.path("in/p.bmp")));
    EXPECT_FALSE(QFileInfo::exists(later + "TempMelodies/big.mid"));
    EXPECT_FALSE(QFileInfo::exists(later + "TempPic/q.bmp"));
    EXPECT_FALSE(QFileInfo::exists(later + "TempJava/g.jad"));
    const QString placeholder = listfile::load(later + "Data/MelodiesFiles.lst").value(0);
    EXPECT_EQ(listfile::load(later + "Data/MelodiesFiles.lst"),
              QStringList({placeholder, "tune.mid", placeholder}));
    EXPECT_EQ(listfile::load(later + "Data/MelodiesSize.lst"), QStringList({"0", "700", "0"}));
    EXPECT_EQ(listfile::load(later + "Data/MelodiesNames.lst"),
              listfile::load(firmware + "/Data/MelodiesNames.lst"));
    EXPECT_EQ(listfile::load(later + "Data/Volumes.lst").value(0), "64");
    EXPECT_EQ(listfile::load(later + "Data/PicSize.lst").value(1), "0");
    EXPECT_EQ(listfile::load(later + "Data/JavaSize.lst"), QStringList({"0", "0"}));
    EXPECT_EQ(run({"--firmware", "LATER", "check"}), 0) << out.toStdString();
    EXPECT_EQ(run({"--firmware", "LATER", "build", "melodies", "-o", scratch.path("m.s3")}), 0)
        << err.toStdString();

    ASSERT_EQ(run({"port", oldPath, newPath, "--as", "LATER2", "--json"}), 0);
    const QJsonObject json = QJsonDocument::fromJson(out.toUtf8()).object();
    EXPECT_EQ(json["carried"].toArray().size(), 3);
    const QJsonObject first = json["left_behind"].toArray().at(0).toObject();
    EXPECT_EQ(first["manager"].toString(), "melodies");
    EXPECT_EQ(first["slot"].toInt(), 2);
    EXPECT_EQ(first["size"].toInt(), 5000);
    EXPECT_TRUE(first["reason"].toString().startsWith("it does not fit")) << out.toStdString();
}

#ifndef Q_OS_WIN
// A port killed at any moment leaves no half set: the new set is there whole,
// its choice with it, or not at all, and the next command clears the staging.
TEST_F(PortTest, AKilledPortLeavesTheNewSetWholeOrNotAtAll) {
    const QByteArray tune = testsupport::sequence(700, 7);
    ASSERT_EQ(run({"assign", "melodies", "1", scratch.write("in/tune.mid", tune)}), 0);
    const QString newPath = write(old.later(), "new.s3");
    const QStringList args{"--user-folder", user(), "--firmware", QFileInfo(firmware).fileName()};
    // Killed after this many milliseconds, or never (-1); whether the set is there.
    qint64 lasts = 0; // how long an uninterrupted port runs
    auto port = [&](const QString& id, qint64 killAfter) {
        QElapsedTimer timer;
        timer.start();
        QProcess child;
        child.start(QStringLiteral(TARVEX_CLI_PATH),
                    args + QStringList{"port", oldPath, newPath, "--as", id});
        EXPECT_TRUE(child.waitForStarted());
        if (killAfter >= 0) {
            QThread::msleep(std::uint64_t(killAfter));
            ::kill(pid_t(child.processId()), SIGKILL);
        }
        child.waitForFinished(60000);
        lasts = killAfter < 0 ? timer.elapsed() : lasts;
        EXPECT_EQ(run({"info"}), 0) << err.toStdString(); // clears what a kill left
        EXPECT_EQ(QDir(user()).entryList({"." + id + ".*"}, QDir::AllEntries | QDir::Hidden),
                  QStringList());
        const bool there = QFileInfo::exists(user() + "/" + id);
        if (there) {
            EXPECT_EQ(readAll(user() + "/" + id + "/TempMelodies/tune.mid"), tune) << killAfter;
            EXPECT_EQ(listfile::load(user() + "/" + id + "/Data/MelodiesFiles.lst").value(1),
                      "tune.mid");
            EXPECT_EQ(run({"--firmware", id, "check"}), 0) << killAfter << out.toStdString();
        }
        return there;
    };
    ASSERT_TRUE(port("WHOLE", -1));
    for (int k = 0; k < 10; ++k) {
        port(QStringLiteral("K%1").arg(k), lasts * k / 9);
    }
}
#endif
