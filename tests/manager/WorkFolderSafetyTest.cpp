// SPDX-License-Identifier: MIT
// Working folders and copies that are links: nothing is written through a
// link, and the cleaner never deletes what a link points to.
#include "base/TarvexError.h"
#include "java/JavaPatch.h"
#include "manager/PatchAssembly.h"
#include "pictures/PictureSlots.h"
#include "support/MiniDataSet.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

using testsupport::readAll;

namespace {

class WorkFolderSafety : public ::testing::Test {
protected:
    QString work(const QString& relative) const { return mini.firmware(relative); }
    QString outside(const QString& relative, const QByteArray& bytes) {
        return mini.scratch.write("outside/" + relative, bytes);
    }

    MiniSession mini;
};

} // namespace

TEST_F(WorkFolderSafety, CleanerRemovesLinksButNeverTheirTargets) {
    const QString target = outside("keep.bin", "precious");
    ASSERT_TRUE(QFile::link(target, work("TempPic/link.bmp")));
    ASSERT_TRUE(QFile::link(mini.scratch.path("outside"), work("TempPic/folder.bmp")));
    SlotTable(mini.data(), managers::pictures()).cleanWorkFolder();
    EXPECT_FALSE(QFileInfo(work("TempPic/link.bmp")).isSymLink());
    EXPECT_FALSE(QFileInfo(work("TempPic/folder.bmp")).isSymLink());
    EXPECT_EQ(readAll(target), "precious");
}

TEST_F(WorkFolderSafety, WorkingFolderThatIsALinkIsNeitherWrittenIntoNorCleaned) {
    const QString victim = outside("Game.jad", "someone else's");
    ASSERT_TRUE(QDir(work("TempJava")).removeRecursively());
    ASSERT_TRUE(QFile::link(mini.scratch.path("outside"), work("TempJava")));
    SlotTable java(mini.data(), managers::java());
    java.cleanWorkFolder();
    EXPECT_THROW(java.assignFile(0, mini.scratch.write("in/New.jad", "n")), TarvexError);
    EXPECT_THROW(patch::run(java, javaPatchHooks(), {}, [&] { return mini.scratch.path("p.s3"); }),
                 TarvexError);
    EXPECT_EQ(readAll(victim), "someone else's");
    EXPECT_FALSE(QFile::exists(mini.scratch.path("outside/New.jad")));
    EXPECT_FALSE(QFile::exists(mini.scratch.path("p.s3")));
}

TEST_F(WorkFolderSafety, WorkingCopyAndConvertedPictureThatAreLinksAreReplaced) {
    const QString target = outside("ring.mmf", "OUTSIDE");
    ASSERT_TRUE(QFile::link(target, work("TempMelodies/ring.mmf")));
    SlotTable melodies(mini.data(), managers::melodies());
    ASSERT_EQ(melodies.assignFile(1, mini.scratch.write("in/ring.mmf", "NEW")),
              SlotTable::AssignResult::Assigned);
    melodies.save();
    EXPECT_FALSE(QFileInfo(work("TempMelodies/ring.mmf")).isSymLink());
    EXPECT_EQ(readAll(work("TempMelodies/ring.mmf")), "NEW");
    // A link to the chosen file itself is no copy of it either.
    const QString own = mini.scratch.write("in/own.mmf", "OWN");
    ASSERT_TRUE(QFile::link(own, work("TempMelodies/own.mmf")));
    melodies.assignFile(2, own);
    melodies.save();
    EXPECT_FALSE(QFileInfo(work("TempMelodies/own.mmf")).isSymLink());
    EXPECT_EQ(readAll(target), "OUTSIDE");

    const QString picture = outside("picture.bin", "PICTURE");
    ASSERT_TRUE(QFile::link(picture, work("TempPic/temp.09")));
    QImage image(4, 2, QImage::Format_RGB888);
    image.fill(Qt::red);
    const QString bitmap = mini.scratch.path("in/red.bmp");
    ASSERT_TRUE(image.save(bitmap, "BMP"));
    SlotTable pictures(mini.data(), managers::pictures());
    EXPECT_EQ(pictureslots::choose(pictures, 0, bitmap).outcome, pictureslots::Outcome::Accepted);
    EXPECT_EQ(readAll(picture), "PICTURE");
}
