// SPDX-License-Identifier: MIT
// A chosen file is read before it is taken, and a link planted where a
// command stages its work is removed as a link, never emptied.
#include "CliFixture.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>
#include <unistd.h>

using testsupport::readAll;

namespace {

using ChosenFiles = CliFixture;

} // namespace

TEST_F(ChosenFiles, AFileThatCannotBeReadIsRefusedAndThePreviousChoiceStays) {
    const QString data = firmware + "/Data/";
    ASSERT_EQ(run({"assign", "melodies", "2", scratch.write("in/mine.mid", "MThd")}), 0)
        << err.toStdString();
    const QByteArray files = readAll(data + "MelodiesFiles.lst");
    const QByteArray sizes = readAll(data + "MelodiesSize.lst");
    const QStringList copies = QDir(firmware + "/TempMelodies").entryList(QDir::Files);

    ASSERT_EQ(::mkfifo(QFile::encodeName(scratch.path("in/fifo.mid")).constData(), 0600), 0);
    QFile::link("/dev/null", scratch.path("in/device.mid"));
    QStringList refused{scratch.path("in/rnig.mid"), scratch.mkdir("in/folder.mid"),
                        scratch.path("in/fifo.mid"), scratch.path("in/device.mid")};
    if (::geteuid() != 0) {
        const QString locked = scratch.write("in/locked.mid", "MThd");
        QFile::setPermissions(locked, {});
        refused.append(locked);
    }
    for (const QString& file : refused) {
        EXPECT_EQ(run({"assign", "melodies", "2", file}), 1) << file.toStdString();
        EXPECT_TRUE(err.contains("Cannot open file " + file)) << err.toStdString();
    }
    EXPECT_EQ(run({"assign", "java", "1", scratch.path("in/rnig.jar")}), 1);
    // An empty file reads, but its size 0 would stand for the standard resource.
    for (const QStringList& empty : {QStringList{"melodies", "2", scratch.write("in/e.mid", {})},
                                     {"java", "1", scratch.write("in/e.jar", {})}}) {
        EXPECT_EQ(run(QStringList{"assign"} + empty), 1) << empty.join(' ').toStdString();
        EXPECT_TRUE(err.contains("is empty")) << err.toStdString();
    }
    EXPECT_EQ(readAll(data + "MelodiesFiles.lst"), files);
    EXPECT_EQ(readAll(data + "MelodiesSize.lst"), sizes);
    EXPECT_EQ(QDir(firmware + "/TempMelodies").entryList(QDir::Files), copies);
}

TEST_F(ChosenFiles, ALinkAtAStagingNameIsRemovedAsALinkOnly) {
    const QString kept = scratch.write("outside/keep.txt", "keep");
    const QString place = user() + "/.OTHER.import";
    QFile::link(scratch.path("outside"), place);
    // The start's clean-up takes the link for what a killed run left.
    EXPECT_EQ(run({"import", firmware, "--as", "OTHER"}), 0) << err.toStdString();
    EXPECT_EQ(readAll(kept), "keep");
    EXPECT_EQ(QDir(scratch.path("outside")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{"keep.txt"});
    EXPECT_FALSE(QFileInfo::exists(place) || QFileInfo(place).isSymLink());
    EXPECT_FALSE(QFileInfo(user() + "/OTHER").isSymLink());
}
