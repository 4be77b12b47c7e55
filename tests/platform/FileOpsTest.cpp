// SPDX-License-Identifier: MIT
#include "platform/FileOps.h"

#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>
#include <unistd.h>

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

TEST(ChosenFile, OnlyARegularFileThatReadsIsTaken) {
    Scratch dir;
    EXPECT_TRUE(fileops::unreadableReason(dir.write("ring.mid", "MThd")).isEmpty());
    EXPECT_TRUE(fileops::unreadableReason(dir.write("empty.mid", "")).isEmpty());
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.path("fifo.mid")).constData(), 0600), 0);
    QFile::link("/dev/null", dir.path("device.mid"));
    QStringList refused{dir.path("missing.mid"), dir.mkdir("folder.mid"), dir.path("fifo.mid"),
                        dir.path("device.mid"), ""};
    if (::geteuid() != 0) { // the superuser reads whatever the permissions say
        const QString locked = dir.write("locked.mid", "MThd");
        QFile::setPermissions(locked, {});
        refused.append(locked);
    }
    for (const QString& path : refused) {
        EXPECT_FALSE(fileops::unreadableReason(path).isEmpty()) << path.toStdString();
    }
}
