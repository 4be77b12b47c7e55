// SPDX-License-Identifier: MIT
#include "import/DataSetImport.h"

#include "base/TarvexError.h"
#include "check/DataSetCheck.h"
#include "dataset/ImportStaging.h"
#include "dataset/ListFile.h"
#include "platform/DataSetLock.h"
#include "support/MiniDataSet.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFileInfo>

using testsupport::Scratch;

namespace {

class DataSetImportTest : public ::testing::Test {
protected:
    void write() { firmware = set.writeTo(scratch.path("user")); }

    Scratch scratch;
    MiniDataSet set;
    QString firmware;
};

} // namespace

TEST_F(DataSetImportTest, CopiesOnlyAPassingDataSetUnderANewId) {
    write();
    scratch.write("user/X120XEDJ2/TempJava/old.jar", "j");
    const QString users = scratch.path("other");
    const datasetimport::Result done = datasetimport::run(firmware, {}, users);
    EXPECT_TRUE(done.imported) << done.report.text().toStdString();
    EXPECT_EQ(done.id, "X120XEDJ2");
    EXPECT_TRUE(QFileInfo::exists(users + "/X120XEDJ2/Data/PicOffsets.lst"));
    EXPECT_TRUE(QDir(users + "/X120XEDJ2/TempJava").isEmpty());
    EXPECT_TRUE(QDir(users + "/X120XEDJ2/TempPic").exists());
    EXPECT_EQ(QDir(users).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{"X120XEDJ2"});

    // From the Data folder itself, under another id; an existing id is refused.
    EXPECT_TRUE(datasetimport::run(firmware + "/Data", "MINE", users).imported);
    EXPECT_THROW(datasetimport::run(firmware, "MINE", users), TarvexError);
    EXPECT_THROW(datasetimport::run(firmware, "../up", users), TarvexError);

    listfile::save(firmware + "/Data/Volumes.lst", {"80"});
    const datasetimport::Result broken = datasetimport::run(firmware, "BROKEN", users);
    EXPECT_FALSE(broken.imported);
    EXPECT_GT(broken.report.errors(), 0);
    EXPECT_FALSE(QFileInfo::exists(users + "/BROKEN"));
}

TEST_F(DataSetImportTest, TakesTheWorkingCopiesButNoLinks) {
    set.overrides = {{"MelodiesFiles.lst", {"a.mid", "b.mid", "[Стандартная мелодия]"}},
                     {"MelodiesSize.lst", {"3", "4", "0"}}};
    write();
    scratch.write("user/X120XEDJ2/TempMelodies/a.mid", "abc");
    scratch.write("user/X120XEDJ2/TempMelodies/unnamed.mid", "x");
    scratch.write("user/X120XEDJ2/b.mid", "abcd");
    ASSERT_TRUE(QFile::link(firmware + "/b.mid", firmware + "/TempMelodies/b.mid"));
    ASSERT_TRUE(QFile::link(firmware + "/b.mid", firmware + "/Data/notes.txt"));
    const QString users = scratch.path("other");
    const datasetimport::Result refused = datasetimport::run(firmware, "LINKED", users);
    EXPECT_FALSE(refused.imported);
    EXPECT_EQ(refused.skipped,
              (QStringList{firmware + "/Data/notes.txt", firmware + "/TempMelodies/b.mid"}));
    EXPECT_TRUE(
        refused.report.text().contains(firmware + "/Data/notes.txt:0: warning: a link: not copied"))
        << refused.report.text().toStdString();
    EXPECT_TRUE(refused.report.text().contains(firmware +
                                               "/Data/MelodiesFiles.lst:2: error: in "
                                               "the copy, without what was not "
                                               "copied: the working copy " +
                                               firmware + "/TempMelodies/b.mid is missing"))
        << refused.report.text().toStdString();
    EXPECT_EQ(QDir(users).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList());

    QFile::remove(firmware + "/TempMelodies/b.mid");
    QFile::copy(firmware + "/b.mid", firmware + "/TempMelodies/b.mid");
    const datasetimport::Result done = datasetimport::run(firmware, "COPIED", users);
    ASSERT_TRUE(done.imported) << done.report.text().toStdString();
    EXPECT_EQ(QDir(users + "/COPIED/TempMelodies").entryList(QDir::Files),
              (QStringList{"a.mid", "b.mid"}));
    EXPECT_FALSE(QFileInfo::exists(users + "/COPIED/Data/notes.txt"));
    EXPECT_EQ(datasetcheck::run(users + "/COPIED/Data").errors(), 0);
}

TEST_F(DataSetImportTest, RefusesBadIdsAndWaitsForNoOtherImport) {
    write();
    const QString users = scratch.mkdir("other");
    for (const QString id : {"A\nB", "\x1B[31mRED", "A\x7F", "   ", "Ωmega", ".hidden"}) {
        EXPECT_TRUE(testsupport::errorOf([&] {
                        datasetimport::run(firmware, id, users);
                    }).contains("cannot name a firmware folder: it "))
            << id.toStdString();
    }
    EXPECT_TRUE(testsupport::errorOf([&] {
                    datasetimport::run(scratch.path(), {}, users);
                }).contains("is not a data set: expected a firmware folder holding a \"Data\""));

    // A killed import's staging folder goes; one at work is left to finish.
    scratch.write("other/.GONE.import/Data/half.lst", "x");
    scratch.write("other/.KEPT.import/Data/half.lst", "x");
    DataSetLock busy(DataSetLock::OnFile{users + "/.KEPT.import.lock"});
    ASSERT_EQ(busy.tryLock(), DataSetLock::Result::Locked);
    ImportStaging::removeLeftovers(users);
    EXPECT_FALSE(QFileInfo::exists(users + "/.GONE.import"));
    EXPECT_TRUE(QFileInfo::exists(users + "/.KEPT.import/Data/half.lst"));
    EXPECT_TRUE(testsupport::errorOf([&] {
                    datasetimport::run(firmware, "KEPT", users);
                }).contains("The firmware KEPT is being imported by another process: "));
    busy.unlock();
    EXPECT_TRUE(datasetimport::run(firmware, "KEPT", users).imported);
    EXPECT_FALSE(QFileInfo::exists(users + "/.KEPT.import"));

    // A copy that cannot be made says why.
    scratch.write("other/.FILE.import", "in the way");
    const QString blocked =
        testsupport::errorOf([&] { datasetimport::run(firmware, "FILE", users); });
    EXPECT_TRUE(blocked.startsWith("Cannot create file " + users + "/.FILE.import"));
}
