// SPDX-License-Identifier: MIT
#include "dataset/Session.h"

#include "base/TarvexError.h"
#include "dataset/BundledDataSets.h"
#include "dataset/FirmwareSettings.h"
#include "dataset/ImportStaging.h"
#include "dataset/ListFile.h"
#include "platform/SettingsStore.h"
#include "support/MiniDataSet.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using testsupport::Scratch;

namespace {

// Every test gets its own settings file.
class SessionTest : public ::testing::Test {
protected:
    void SetUp() override { SettingsStore::setOverrideFile(scratch.path("settings.ini")); }
    void TearDown() override { SettingsStore::setOverrideFile({}); }

    SessionOptions options() const {
        SessionOptions o;
        o.userFolder = scratch.path("user");
        o.bundledRoot = scratch.path("no-bundled");
        return o;
    }

    Scratch scratch;
};

} // namespace

TEST_F(SessionTest, StartsOnADataSetAndCreatesTheWorkingFolders) {
    QDir().mkpath(scratch.path("user"));
    const QString firmware = MiniDataSet().writeTo(scratch.path("user"));
    Session session(options());
    session.start();
    EXPECT_TRUE(session.isLoaded());
    EXPECT_EQ(session.firmwareFolder(), firmware);
    EXPECT_EQ(session.firmwareSettings().currentId, "X120XEDJ2");
    EXPECT_EQ(session.firmwareSettings().folderList, "X120XEDJ2\r\n");
    for (const char* folder : {"TempMelodies", "TempJava", "TempPic"}) {
        EXPECT_TRUE(QFileInfo(firmware + "/" + folder).isDir()) << folder;
    }
    EXPECT_EQ(session.dataSet().slotCount(managers::melodies()), 3);
}

TEST_F(SessionTest, AFreshAccountGetsTheUserFolderAndTheBundledDataSet) {
    const QString bundledRoot = scratch.mkdir("bundled");
    MiniDataSet().writeTo(bundledRoot);
    SessionOptions o = options();
    o.userFolder = scratch.path("home/.local/share/Tarvex"); // no level of it exists yet
    o.bundledRoot = bundledRoot;
    Session session(o);
    session.start();
    EXPECT_TRUE(session.isLoaded());
    EXPECT_EQ(session.firmwareSettings().folderList, "X120XEDJ2\r\n");
}

TEST_F(SessionTest, MissingFirmwareFolderStopsAtTheFirstList) {
    Session session(options());
    try {
        session.start();
        ADD_FAILURE();
    } catch (const TarvexError& e) {
        EXPECT_EQ(e.message(), "Cannot open file " + scratch.path("user") +
                                   "/X120XEDJ2/Data/StdMelodiesList.lst");
    }
    EXPECT_EQ(session.reached(), Session::Step::ListsCreated);
    EXPECT_EQ(session.firmwareSettings().folderList, "");
    // Neither the firmware folder nor its working folders are created.
    EXPECT_FALSE(QFileInfo::exists(scratch.path("user/X120XEDJ2")));
}

TEST_F(SessionTest, InvalidOffsetStopsBeforeAnyListIsCreated) {
    QDir().mkpath(scratch.path("user"));
    MiniDataSet set;
    set.memoryIni = "[JavaGames]\r\nEndOffset=0x12G\r\n";
    set.writeTo(scratch.path("user"));
    Session session(options());
    try {
        session.start();
        ADD_FAILURE();
    } catch (const TarvexError& e) {
        EXPECT_EQ(e.message(), "'0x12G' is not a valid integer value");
    }
    EXPECT_EQ(session.reached(), Session::Step::MemoryMap);
    EXPECT_FALSE(session.dataSet().hasList("MelodiesFiles.lst"));
}

TEST_F(SessionTest, ScanListsOnlyPlainFoldersInNameOrder) {
    const QString user = scratch.mkdir("scan");
    QDir().mkpath(user + "/B_FW");
    QDir().mkpath(user + "/A_FW");
    QDir().mkpath(user + "/.hidden");
    scratch.write("scan/file.txt", "x");
    QDir().mkpath(user + "/locked");
    QFile::setPermissions(user + "/locked", QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_EQ(Session::scanFirmwareFolders(user), "A_FW\r\nB_FW\r\n");
    QFile::setPermissions(user + "/locked", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(SessionTest, FirmwareOverrideAndStoredChoice) {
    QDir().mkpath(scratch.path("user"));
    MiniDataSet().writeTo(scratch.path("user"), "OTHER");
    {
        SettingsStore store;
        writeFirmwareSettings(store, {"OTHER", "whatever\r\n"});
    }
    Session stored(options());
    stored.start();
    EXPECT_EQ(stored.firmwareFolder(), scratch.path("user/OTHER"));
    // The scan supersedes the stored list.
    EXPECT_EQ(stored.firmwareSettings().folderList, "OTHER\r\n");

    SessionOptions o = options();
    o.firmwareOverride = "X120XEDJ2";
    Session overridden(o);
    EXPECT_THROW(overridden.start(), TarvexError);
    EXPECT_EQ(overridden.firmwareFolder(), scratch.path("user/X120XEDJ2"));
}

TEST_F(SessionTest, SettingsDefaultsAndTypeCheck) {
    SettingsStore store;
    const FirmwareSettings defaults = readFirmwareSettings(store);
    EXPECT_EQ(defaults.currentId, "X120XEDJ2");
    EXPECT_EQ(defaults.folderList, "X120XEDJ2");
    scratch.write("settings.ini", "[General]\nCurFW=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)\n");
    try {
        readFirmwareSettings(SettingsStore());
        ADD_FAILURE();
    } catch (const TarvexError& e) {
        EXPECT_EQ(e.message(), "Invalid data type for 'CurFW'");
    }
}

TEST_F(SessionTest, BundledDataSetsAreCopiedOnceAndNeverOverwritten) {
    const QString bundledRoot = scratch.mkdir("bundled");
    MiniDataSet().writeTo(bundledRoot, "DEMO");
    const QString user = scratch.mkdir("user");
    EXPECT_EQ(bundled::installMissing(bundledRoot, user), QStringList{"DEMO"});
    listfile::save(user + "/DEMO/Data/MelodiesFiles.lst", {"mine.mmf", "b", "c"});
    EXPECT_TRUE(bundled::installMissing(bundledRoot, user).isEmpty());
    EXPECT_EQ(listfile::load(user + "/DEMO/Data/MelodiesFiles.lst").first(), "mine.mmf");
    EXPECT_FALSE(QFileInfo::exists(user + "/.DEMO.partial"));
}

TEST_F(SessionTest, AFirstStartRemovesALinkAtItsCopyAndNothingItLeadsTo) {
    const QString bundledRoot = scratch.mkdir("bundled");
    MiniDataSet().writeTo(bundledRoot, "DEMO");
    const QString user = scratch.mkdir("user");
    const QString kept = scratch.write("outside/keep.txt", "keep");
    QFile::link(scratch.path("outside"), user + "/.DEMO.partial");
    EXPECT_EQ(bundled::installMissing(bundledRoot, user), QStringList{"DEMO"});
    EXPECT_EQ(testsupport::readAll(kept), "keep");
    EXPECT_FALSE(QFileInfo::exists(scratch.path("outside/Data")));
    EXPECT_TRUE(QFileInfo(user + "/DEMO/Data").isDir());
    EXPECT_FALSE(QFileInfo(user + "/DEMO").isSymLink());
    EXPECT_FALSE(QFileInfo(user + "/.DEMO.partial").isSymLink());
}

TEST_F(SessionTest, AStagingNameHoldingALinkIsRefusedAndOnlyTheLinkGoes) {
    const QString user = scratch.mkdir("user");
    const QString kept = scratch.write("outside/keep.txt", "keep");
    using namespace fileops::staging;
    for (const QString& suffix : {kDraft, kPort, kImport, kExtract}) {
        const QString place = user + "/.NEW" + suffix;
        QFile::link(scratch.path("outside"), place);
        {
            ImportStaging staging(user, "NEW", suffix);
            EXPECT_THROW(staging.begin(), TarvexError);
        }
        EXPECT_FALSE(QFileInfo(place).isSymLink()) << suffix.toStdString();
        if (suffix != kExtract) {
            // A killed run's leftover link goes at the next start the same way.
            QFile::link(scratch.path("outside"), place);
            ImportStaging::removeLeftovers(user);
            EXPECT_FALSE(QFileInfo(place).isSymLink()) << suffix.toStdString();
        }
    }
    EXPECT_EQ(testsupport::readAll(kept), "keep");
}

TEST_F(SessionTest, BundledDataSetsAreFoundBesideTheProgramThenInTheDataFolders) {
    const QString installed = scratch.mkdir("prefix/share/tarvex/firmware");
    scratch.mkdir("prefix/bin");
    EXPECT_EQ(bundled::findRoot(scratch.path("prefix/bin")), installed);

    const QString system = scratch.mkdir("system/tarvex/firmware");
    const QByteArray previous = qgetenv("XDG_DATA_DIRS");
    qputenv("XDG_DATA_DIRS",
            QFile::encodeName(scratch.path("none") + ":" + scratch.path("system")));
    EXPECT_EQ(bundled::findRoot(scratch.mkdir("elsewhere/bin")), system);
    if (previous.isNull()) {
        qunsetenv("XDG_DATA_DIRS");
    } else {
        qputenv("XDG_DATA_DIRS", previous);
    }
}
