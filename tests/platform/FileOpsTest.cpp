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

// Where no trash can be set up the move must not land in the working folder
// and be told as done: the set stays where it was.
TEST(FolderTrash, NoUsableTrashLeavesTheFolderInPlace) {
    Scratch dir;
    const QByteArray oldData = qgetenv("XDG_DATA_HOME");
    const QString oldCurrent = QDir::currentPath();
    qputenv("XDG_DATA_HOME", dir.mkdir("data").toLocal8Bit());
    QDir::setCurrent(dir.mkdir("work"));
    dir.write("set/Data/Melodies.lst", "keep");
    for (const char* plant : {"file", "dangling link"}) {
        SCOPED_TRACE(plant);
        QFile::remove(dir.path("data/Trash"));
        if (QByteArray(plant) == "file") {
            dir.write("data/Trash", "not a trash");
        } else {
            QFile::link(dir.path("gone"), dir.path("data/Trash"));
        }
        QString reason;
        EXPECT_EQ(fileops::moveFolderToTrash(dir.path("set"), &reason), fileops::Trashed::NoTrash);
        EXPECT_EQ(readAll(dir.path("set/Data/Melodies.lst")), "keep");
        EXPECT_TRUE(QDir(dir.path("work")).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot));
    }
    QFile::remove(dir.path("data/Trash"));
    EXPECT_EQ(fileops::moveFolderToTrash(dir.path("set")), fileops::Trashed::Moved);
    EXPECT_EQ(readAll(dir.path("data/Trash/files/set/Data/Melodies.lst")), "keep");
    QDir::setCurrent(oldCurrent);
    qputenv("XDG_DATA_HOME", oldData);
}
