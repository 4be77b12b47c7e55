// SPDX-License-Identifier: MIT
#include "platform/FindFiles.h"

#include "base/TarvexError.h"
#include "platform/FileOps.h"
#include "platform/OutputFile.h"
#include "support/TestSupport.h"

#include <QDir>

using testsupport::Scratch;

TEST(FindFilesMask, WildcardsSetsAndCase) {
    auto m = [](const char* name, const char* mask) {
        return FileSearch::matchesMask(QString::fromUtf8(name), QString::fromUtf8(mask));
    };
    EXPECT_TRUE(m("patch.s3", "*.s3"));
    EXPECT_TRUE(m("PATCH.S3", "*.s3"));
    EXPECT_FALSE(m("patch.s30", "*.s3"));
    EXPECT_TRUE(m("a.mmf", "*.*"));
    EXPECT_FALSE(m("noext", "*.*"));
    EXPECT_TRUE(m("", "*"));
    EXPECT_TRUE(m("abc", "a?c"));
    EXPECT_FALSE(m("ac", "a?c"));
    EXPECT_TRUE(m("x7", "x[0-9]"));
    EXPECT_TRUE(m("xB", "x[a-c]"));
    EXPECT_FALSE(m("xd", "x[a-c]"));
    EXPECT_TRUE(m("xd", "x[!a-c]"));
    EXPECT_FALSE(m("xa", "x[!a-c]"));
    EXPECT_TRUE(m("a]", "a[]]"));
    EXPECT_FALSE(m("ab", "a[b")); // an unclosed set matches nothing
    // Only a to z fold: Cyrillic letters keep their case.
    EXPECT_TRUE(m("мелодия.mid", "мелодия.MID"));
    EXPECT_FALSE(m("Мелодия.mid", "мелодия.mid"));
    EXPECT_TRUE(m("aXbXc", "*x*x*"));
}

TEST(FindFiles, OptionsDecideWhatIsReported) {
    Scratch dir;
    dir.write("b.s3", "");
    dir.write("a.S3", "");
    dir.write("notes.txt", "");
    dir.write(".hidden.s3", "");
    dir.write("sub/deep.s3", "");
    dir.mkdir("dir.s3");

    FileSearch plain;
    plain.directory = dir.path();
    plain.fileMask = "*.s3";
    plain.run();
    EXPECT_EQ(plain.files, (QStringList{".hidden.s3", "a.S3", "b.s3", "dir.s3"}));

    FileSearch full;
    full.directory = dir.path();
    full.fileMask = "*.s3";
    full.fullPath = true;
    full.subfolders = true;
    full.includeDirs = true;
    full.run();
    EXPECT_EQ(full.files,
              (QStringList{dir.path() + "/.hidden.s3", dir.path() + "/a.S3", dir.path() + "/b.s3",
                           "dir.s3", dir.path() + "/sub/deep.s3"}));

    FileSearch all;
    all.directory = dir.path();
    all.run(); // "*.*" also matches "." and ".."
    EXPECT_TRUE(all.files.contains(".") && all.files.contains(".."));
    EXPECT_FALSE(all.files.contains("sub"));

    FileSearch missing;
    missing.directory = dir.path("nowhere");
    const QString before = QDir::currentPath();
    missing.run();
    EXPECT_TRUE(missing.files.isEmpty());
    EXPECT_EQ(QDir::currentPath(), before);
}

TEST(FileOps, CopyReplacesOnlyWhenComplete) {
    Scratch dir;
    const QString source = dir.write("src.bin", "new bytes");
    const QString target = dir.write("dst.bin", "old");
    EXPECT_TRUE(fileops::copyReplacing(source, target));
    EXPECT_EQ(testsupport::readAll(target), "new bytes");
    // A missing source leaves the target alone.
    EXPECT_FALSE(fileops::copyReplacing(dir.path("none"), target));
    EXPECT_EQ(testsupport::readAll(target), "new bytes");
    // Copying a file onto itself keeps it.
    EXPECT_TRUE(fileops::copyReplacing(target, target));
    EXPECT_EQ(testsupport::readAll(target), "new bytes");
}

TEST(FileOps, BareNamesAndUnsafeNames) {
    EXPECT_EQ(fileops::bareName("C:\\music\\ring.mid"), "ring.mid");
    EXPECT_EQ(fileops::bareName("/home/u/ring.mmf"), "ring.mmf");
    EXPECT_TRUE(fileops::isSafeBareName("ring.mmf"));
    for (const char* bad : {"", ".", "..", "a/b", "a\\b"}) {
        EXPECT_FALSE(fileops::isSafeBareName(bad)) << bad;
    }
    Scratch dir;
    dir.mkdir("folder");
    EXPECT_FALSE(fileops::remove(dir.path("folder")));
    EXPECT_FALSE(fileops::createFolder(dir.path("folder")));
    EXPECT_TRUE(fileops::createFolder(dir.path("new")));
}

TEST(OutputFile, ARegularFileIsReplacedOnlyOnCommit) {
    testsupport::Scratch dir;
    const QString path = dir.write("out.s3", "old");
    {
        OutputFile file(path);
        file.open();
        EXPECT_FALSE(file.isStream());
        file.write("new", 3);
    } // not committed: the old file stays
    EXPECT_EQ(testsupport::readAll(path), "old");
    OutputFile file(path);
    file.open();
    file.write("new", 3);
    file.commit();
    EXPECT_EQ(testsupport::readAll(path), "new");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"out.s3"});

    OutputFile folder(dir.mkdir("folder"));
    try {
        folder.open();
        FAIL() << "a folder was opened for writing";
    } catch (const TarvexError& error) {
        EXPECT_EQ(error.message(), "Cannot create file " + dir.path("folder"));
        EXPECT_EQ(error.reason(), "Is a directory");
    }
}
