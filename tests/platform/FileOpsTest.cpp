// SPDX-License-Identifier: MIT
#include "platform/FileOps.h"

#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using testsupport::readAll;
using testsupport::Scratch;

TEST(FolderRemover, NeverRemovesThroughALink) {
    Scratch dir;
    const QString kept = dir.write("outside/keep.txt", "keep");
    dir.write("tree/a/b/deep.txt", "x");
    dir.write("tree/.hidden", "x");
    QFile::link(dir.path("outside"), dir.path("tree/a/folder-link"));
    QFile::link(kept, dir.path("tree/file-link"));
    EXPECT_EQ(fileops::removeFolderTree(dir.path("tree")), fileops::TreeRemoval::Removed);
    EXPECT_FALSE(QFileInfo(dir.path("tree")).exists());
    EXPECT_EQ(readAll(kept), "keep");

    // A root that is a link or no folder is refused and stays as it is.
    QFile::link(dir.path("outside"), dir.path("root-link"));
    EXPECT_EQ(fileops::removeFolderTree(dir.path("root-link")), fileops::TreeRemoval::Refused);
    EXPECT_TRUE(QFileInfo(dir.path("root-link")).isSymLink());
    EXPECT_EQ(fileops::removeFolderTree(kept), fileops::TreeRemoval::Refused);
    EXPECT_EQ(fileops::removeFolderTree(dir.path("none")), fileops::TreeRemoval::Missing);
    EXPECT_EQ(readAll(kept), "keep");

    // At a staging name a link goes as a link; a file there is not ours.
    EXPECT_TRUE(fileops::removeStagingEntry(dir.path("root-link")));
    EXPECT_FALSE(QFileInfo(dir.path("root-link")).isSymLink());
    EXPECT_FALSE(fileops::removeStagingEntry(kept));
    EXPECT_EQ(readAll(kept), "keep");
}
