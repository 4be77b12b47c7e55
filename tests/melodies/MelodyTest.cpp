// SPDX-License-Identifier: MIT
#include "base/TarvexError.h"
#include "melodies/MelodyPlayer.h"
#include "melodies/MelodySlots.h"
#include "melodies/MelodyVolumes.h"
#include "platform/SettingsStore.h"
#include "support/MiniDataSet.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QThread>

using testsupport::Scratch;

namespace {

FirmwareDataSet volumeData(int melodies) {
    FirmwareDataSet data(QStringLiteral("unused"));
    MemoryMap map;
    map.volumePatchAvailable = true;
    data.setMemoryMap(map);
    MiniDataSet set;
    set.melodies = melodies;
    for (const QString& name : MiniDataSet::lists()) {
        data.setList(name, set.linesOf(name));
    }
    return data;
}

// A stand-in player: records its working folder and arguments, then waits to be ended.
QString writeFakePlayer(const Scratch& dir, const QString& log) {
    const QString path = dir.write("player dir/MidRadio.exe",
                                   QStringLiteral("#!/bin/sh\necho \"$(pwd)|$#|$1\" >> '%1'\n"
                                                  "exec sleep 30\n")
                                       .arg(log)
                                       .toUtf8());
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

} // namespace

TEST(MelodyVolumes, PercentagesAndStoredDigits) {
    EXPECT_EQ(melodyvolumes::percentText(1), "1%");
    EXPECT_EQ(melodyvolumes::percentText(8), "6%");
    EXPECT_EQ(melodyvolumes::percentText(64), "50%");
    EXPECT_EQ(melodyvolumes::percentText(100), "79%");
    EXPECT_EQ(melodyvolumes::percentText(127), "100%");
    EXPECT_EQ(melodyvolumes::lineFor(127), "7F");
    EXPECT_EQ(melodyvolumes::lineFor(1), "01");
    EXPECT_EQ(melodyvolumes::positionOf("00"), 1);
    EXPECT_EQ(melodyvolumes::positionOf("FF"), 127);
    EXPECT_EQ(melodyvolumes::positionOf("2a"), 42);
    EXPECT_THROW(melodyvolumes::positionOf("zz"), TarvexError);
    EXPECT_TRUE(melodyvolumes::isVolumeSlot(24));
    EXPECT_FALSE(melodyvolumes::isVolumeSlot(25));
}

TEST(MelodyVolumes, StoreAndRestoreTouchOnlyVolumeSlots) {
    FirmwareDataSet data = volumeData(30);
    melodyvolumes::store(data, 3, 100);
    EXPECT_EQ(data.line("Volumes.lst", 3), "64");
    data.setLine("StdVolumes.lst", 3, "11");
    SlotTable table(data, managers::melodies());
    EXPECT_EQ(restoreMelody(table, 3), 0x11);
    EXPECT_EQ(data.line("Volumes.lst", 3), "11");
    // Slot 25 has no volume line: restore leaves the volumes alone.
    EXPECT_EQ(restoreMelody(table, 25), std::nullopt);
    EXPECT_EQ(data.list("Volumes.lst").size(), 25);
    EXPECT_THROW(melodyvolumes::store(data, 25, 5), TarvexError);
    // Only a volume is stored, never a value clamped into one.
    for (const int outside : {0, 128, -1}) {
        EXPECT_EQ(testsupport::errorOf([&] { melodyvolumes::store(data, 3, outside); }),
                  QStringLiteral("volume must be 1 to 127: %1").arg(outside));
    }
    EXPECT_EQ(data.line("Volumes.lst", 3), "11");

    MemoryMap noVolumes;
    data.setMemoryMap(noVolumes);
    data.setLine("Volumes.lst", 4, "22");
    EXPECT_EQ(restoreMelody(table, 4), std::nullopt);
    EXPECT_EQ(data.line("Volumes.lst", 4), "22");
}

class PlayerTest : public ::testing::Test {
protected:
    void SetUp() override { SettingsStore::setOverrideFile(scratch.path("settings.ini")); }
    void TearDown() override { SettingsStore::setOverrideFile({}); }
    Scratch scratch;
};

TEST_F(PlayerTest, FoundThroughTheSettingsStoreOnlyWhenTheProgramExists) {
    TARVEX_SKIP_WITHOUT_POSIX_SHELL();
    EXPECT_EQ(MelodyPlayer::findMidRadio(), "");
    const QString player = writeFakePlayer(scratch, scratch.path("log"));
    {
        QSettings settings(scratch.path("settings.ini"), QSettings::IniFormat);
        settings.setValue("Software/YAMAHA/MidRadio2/Profiles/InstallDirectory",
                          scratch.path("nowhere"));
    }
    EXPECT_EQ(MelodyPlayer::findMidRadio(), "");
    {
        QSettings settings(scratch.path("settings.ini"), QSettings::IniFormat);
        settings.setValue("Software/YAMAHA/MidRadio2/Profiles/InstallDirectory",
                          scratch.path("player dir"));
    }
    EXPECT_EQ(MelodyPlayer::findMidRadio(), player);
}

TEST_F(PlayerTest, TheDefaultMidiPlayerIsLookedForOnlyWhereTheProgramsAre) {
    TARVEX_SKIP_WITHOUT_POSIX_SHELL();
    EXPECT_EQ(MelodyPlayer::findMidiPlayer(), ""); // whatever PATH holds
    const QString timidity =
        scratch.write("bin/" + MelodyPlayer::kDefaultMidiPlayer, "#!/bin/sh\n");
    QFile::setPermissions(timidity, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    MelodyPlayer::setProgramFolders({scratch.path("bin")});
    EXPECT_EQ(MelodyPlayer::findMidiPlayer(), timidity);
    EXPECT_EQ(MelodyPlayer::find().kind, MelodyPlayer::Kind::Midi);
    MelodyPlayer::setProgramFolders({scratch.path("nothing here")});
    EXPECT_EQ(MelodyPlayer::find().path, "");
}

TEST_F(PlayerTest, EndsThePreviousPlayerBeforeStartingTheNext) {
    TARVEX_SKIP_WITHOUT_POSIX_SHELL();
    const QString log = scratch.path("log");
    MelodyPlayer player(writeFakePlayer(scratch, log));
    const QString work = scratch.mkdir("Temp Melodies");
    scratch.write("Temp Melodies/my song.mid", "m");
    scratch.write("Temp Melodies/other.mmf", "m");

    player.play(work, QStringLiteral("[Стандартная мелодия]")); // names no file: nothing
    player.play(work, "../my song.mid");                        // not a bare name: nothing
    EXPECT_FALSE(player.isRunning());

    auto waitForCalls = [&](int n) {
        for (int i = 0; i < 200 && testsupport::readAll(log).count('\n') < n; ++i) {
            QThread::msleep(10);
        }
    };
    player.play(work, "my song.mid");
    ASSERT_TRUE(player.isRunning());
    waitForCalls(1);
    QElapsedTimer clock;
    clock.start();
    player.play(work, "other.mmf");
    EXPECT_GE(clock.elapsed(), 50);
    EXPECT_TRUE(player.isRunning());
    waitForCalls(2);
    const QList<QByteArray> calls = testsupport::readAll(log).trimmed().split('\n');
    ASSERT_EQ(calls.size(), 2);
    // One argument, the full path, blanks and all; started in the working folder.
    EXPECT_EQ(QString::fromUtf8(calls[0]), work + "|1|" + work + "/my song.mid");
    EXPECT_EQ(QString::fromUtf8(calls[1]), work + "|1|" + work + "/other.mmf");
    player.terminate();
    EXPECT_FALSE(player.isRunning());
}

TEST_F(PlayerTest, AFailedStartIsAnError) {
    const QString work = scratch.mkdir("w");
    scratch.write("w/a.mid", "m");
    MelodyPlayer player(scratch.path("no-such-player"));
    EXPECT_THROW(player.play(work, "a.mid"), TarvexError);
    player.terminate(); // nothing started: nothing happens
}
