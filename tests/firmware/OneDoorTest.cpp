// SPDX-License-Identifier: MIT
// What lies in the folders (FIFOs, folders, links, planted journal files, a
// full disk) against the commands that read and write them.
#include "cli/CliFixture.h"
#include "dataset/ListFile.h"
#include "dataset/ListJournal.h"
#include "dataset/TreeCopy.h"
#include "firmware/FirmwareMaker.h"

#include <QFile>

#ifndef Q_OS_WIN
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#endif

using testsupport::readAll;

class OneDoorTest : public CliFixture {
protected:
    void SetUp() override {
        SettingsStore::setOverrideFile(scratch.path("settings.ini"));
        QDir().mkpath(user());
        made = maker.make();
        firmware = firmwaremaker::writeDataSet(made, user());
        fw = scratch.write("fw.s3", firmwaremaker::sRecords(made.image, maker.base));
    }
    QString data(const QString& name) const { return firmware + "/Data/" + name; }
    // Replaces the file by a FIFO (POSIX) or, where there are none, a folder.
    void plantFifo(const QString& path) const {
        QFile::remove(path);
#ifdef Q_OS_WIN
        QDir().mkpath(path);
#else
        ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
#endif
    }
    qsizetype lines(const QString& name) const {
        return listfile::load(data(name)).size();
    }

    FirmwareMaker maker = FirmwareMaker::standard();
    FirmwareMaker::Made made;
    QString fw;
};

TEST_F(OneDoorTest, AMemoryIniThatCannotBeReadStopsEveryCommandInsteadOfTheDefaults) {
    QFile::remove(data("Memory.ini"));
    QDir().mkpath(data("Memory.ini"));
    const QString patch = scratch.path("m.s3");
    for (const QStringList& args :
         {QStringList{"build", "melodies", "-o", patch}, QStringList{"info"},
          QStringList{"slots", "melodies"}, QStringList{"match", fw}}) {
        EXPECT_EQ(run(args), 1) << args.join(' ').toStdString();
        EXPECT_TRUE(err.contains("Memory.ini cannot be read: Not a regular file"))
            << err.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(patch));
    EXPECT_EQ(run({"check"}), 1);
    EXPECT_TRUE(out.contains("Memory.ini:0: error: cannot be read: Not a regular file"))
        << out.toStdString();

    // Missing, it gives the defaults as ever.
    QDir().rmdir(data("Memory.ini"));
    EXPECT_EQ(run({"slots", "melodies"}), 0) << err.toStdString();
}

TEST_F(OneDoorTest, ARequiredPatchThatCannotBeReadFailsMatchAndPortCreatesNothing) {
    plantFifo(data("ReqPatches/Fix.s3"));
    EXPECT_EQ(run({"match", fw}), 1);
    EXPECT_TRUE(out.contains("Fix.s3:0: error: cannot be read: Not a regular file"))
        << out.toStdString();
    EXPECT_EQ(run({"port", fw, fw, "--as", "LATER"}), 1);
    EXPECT_FALSE(QFileInfo::exists(user() + "/LATER"));
}

TEST_F(OneDoorTest, PreviewsAreNeverWrittenThroughALinkedPicFolder) {
    const QString outside = scratch.mkdir("outside");
    const QString mine = scratch.write("outside/1.jpg", "the user's own picture");
    QDir(data("Pic")).removeRecursively();
    ASSERT_TRUE(QFile::link(outside, data("Pic")));
    EXPECT_EQ(run({"previews", fw}), 1);
    EXPECT_TRUE(err.contains("is a link or not a folder")) << err.toStdString();
    EXPECT_EQ(readAll(mine), "the user's own picture");
    EXPECT_EQ(QDir(outside).entryList(QDir::Files).size(), 1);
}

TEST_F(OneDoorTest, ExtractMakesItsFolderWholeOrNotAtAllAndClearsWhatAKilledOneLeft) {
    // What a killed extract left beside its place goes with the next one.
    const QString left = scratch.mkdir(".out.extract/melodies");
    scratch.write(".out.extract/melodies/.1.mid.Ab12Cd", "cut short");
    ASSERT_EQ(run({"extract", fw, "-o", scratch.path("out")}), 0) << err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(scratch.path("out/index.tsv")));
    EXPECT_FALSE(QFileInfo::exists(scratch.path(".out.extract")));
    EXPECT_FALSE(QFileInfo::exists(scratch.path(".out.extract.lock")));

    // Into the data set, or over a folder that holds something: refused.
    EXPECT_EQ(run({"extract", fw, "-o", firmware + "/TempPic/x"}), 1);
    EXPECT_FALSE(QFileInfo::exists(firmware + "/TempPic/x"));
    EXPECT_EQ(run({"extract", fw, "-o", scratch.path("out")}), 1);

#ifndef Q_OS_WIN
    // A full disk: no part of the folder stays.
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 100;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const int status = run({"extract", fw, "-o", scratch.path("full")});
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(QDir(scratch.path()).entryList({"*full*"}, QDir::AllEntries | QDir::Hidden),
              QStringList());
#endif
}

TEST_F(OneDoorTest, AKilledPortsStagingIsRemovedByTheNextCommand) {
    scratch.mkdir("user/.LATER.port/Data");
    scratch.write("user/.LATER.port/Data/Memory.ini", "[Melodies]\r\n");
    ASSERT_EQ(run({"info"}), 0) << err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(user() + "/.LATER.port"));
}

TEST_F(OneDoorTest, APlantedMarkerNeverInstallsAListOfAnotherLength) {
    const qsizetype before = lines("MelodiesFiles.lst");
    ASSERT_GT(before, 1);
    scratch.write("user/X120XEDJ2/Data/.lists.commit",
                  QByteArray("MelodiesFiles.lst\0junk\r\n", 24));
    scratch.write("user/X120XEDJ2/Data/MelodiesFiles.lst.new", "planted\r\n");
    EXPECT_EQ(run({"slots", "melodies"}), 0) << err.toStdString();
    EXPECT_FALSE(out.contains("planted"));
    EXPECT_EQ(run({"restore", "melodies", "0"}), 1);
    EXPECT_TRUE(err.contains(".lists.commit")) << err.toStdString();
    EXPECT_EQ(lines("MelodiesFiles.lst"), before);
}

TEST_F(OneDoorTest, AnyCommandFinishesAnInterruptedSaveAndImportCopiesTheFinishedLists) {
    QStringList names = listfile::load(data("MelodiesNames.lst"));
    names[0] = "Saved";
    listfile::save(data("MelodiesNames.lst.new"), names);
    scratch.write("user/X120XEDJ2/Data/.lists.commit", "MelodiesNames.lst\r\n");
    const QString copy = scratch.path("copy/X120XEDJ2");
    treecopy::copy(firmware + "/Data", copy + "/Data", [](const QFileInfo&) {});

    // import reads the copy through its journal, and writes nothing into it.
    ASSERT_EQ(run({"import", copy, "--as", "COPY"}), 0) << err.toStdString() << out.toStdString();
    EXPECT_EQ(listfile::load(user() + "/COPY/Data/MelodiesNames.lst").value(0), "Saved");
    EXPECT_FALSE(QFileInfo::exists(user() + "/COPY/Data/.lists.commit"));
    EXPECT_FALSE(QFileInfo::exists(user() + "/COPY/Data/MelodiesNames.lst.new"));
    EXPECT_TRUE(QFileInfo::exists(copy + "/Data/.lists.commit"));

    // A reader finds the save unfinished and finishes it.
    ASSERT_EQ(run({"info"}), 0) << err.toStdString();
    EXPECT_EQ(listfile::load(data("MelodiesNames.lst")).value(0), "Saved");
    EXPECT_FALSE(QFileInfo::exists(data(".lists.commit")));
    EXPECT_FALSE(QFileInfo::exists(data("MelodiesNames.lst.new")));
}

TEST_F(OneDoorTest, ApplyNeverWritesOverItsInputsOrTheDataSetAndReadsOnlyKnownFormats) {
    const QString patch =
        scratch.write("p.s3", firmwaremaker::record(3, maker.base, "\xAA") + "\r\n");
    const QByteArray table = readAll(data("MelodiesTable.lst"));
    const QByteArray original = readAll(fw);
    EXPECT_EQ(run({"apply", fw, patch, "-o", data("MelodiesTable.lst")}), 1);
    EXPECT_EQ(readAll(data("MelodiesTable.lst")), table);
    EXPECT_EQ(run({"apply", fw, patch, "-o", fw}), 1);
    EXPECT_EQ(run({"apply", fw, patch, "-o", patch}), 1);
    ASSERT_TRUE(QFile::link(fw, scratch.path("link.s3")));
    EXPECT_EQ(run({"apply", fw, patch, "-o", scratch.path("link.s3")}), 1);
    EXPECT_TRUE(err.contains("is also read by this command")) << err.toStdString();
    EXPECT_EQ(readAll(fw), original);

    // Neither S-records nor named .bin, and no --base: refused, saying what is expected.
    const QString image = scratch.write("fw.img", made.image);
    EXPECT_EQ(run({"match", image}), 1);
    EXPECT_TRUE(err.contains("is not S-records")) << err.toStdString();
    EXPECT_EQ(run({"match", image, "--base", QString::number(maker.base)}), 0) << out.toStdString();
}
