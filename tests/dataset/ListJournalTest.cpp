// A save of the slot lists is all or nothing, also when the process is killed.
#include "dataset/ListJournal.h"

#include "base/TarvexError.h"
#include "support/MiniDataSet.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <csignal>
#include <iostream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Every changeable list carries generation `g` in its first line.
void markGeneration(FirmwareDataSet& data, int g) {
    for (const QString& name : data.changeableLists()) {
        data.setLine(name, 0, QString::number(g));
    }
}

// The generations the lists on disk carry once a recovering run has loaded them.
QSet<QString> generationsOnDisk(const QString& firmwareFolder) {
    FirmwareDataSet data(firmwareFolder);
    data.readMemoryMap();
    data.createSlotLists();
    data.recoverInterruptedSave();
    data.loadSlotLists();
    QSet<QString> generations;
    for (const QString& name : data.changeableLists()) {
        generations.insert(data.line(name, 0));
    }
    return generations;
}

QStringList dataFolderEntries(const QString& firmwareFolder) {
    return QDir(firmwareFolder + "/Data")
        .entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

} // namespace

TEST(ListJournal, KilledSavesLeaveTheListsAllOldOrAllNew) {
    MiniSession mini;
    FirmwareDataSet& data = mini.data();
    ASSERT_EQ(data.changeableLists().size(), 8);
    markGeneration(data, 0);
    data.saveSlotLists();
    const QStringList cleanEntries = dataFolderEntries(mini.session->firmwareFolder());
    int interrupted = 0;
    for (int attempt = 0; attempt < 120; ++attempt) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int g = 1;; ++g) { // saves until killed
                markGeneration(data, g);
                data.saveSlotLists();
            }
        }
        usleep(useconds_t(QRandomGenerator::global()->bounded(1000, 25000)));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        interrupted += dataFolderEntries(mini.session->firmwareFolder()) != cleanEntries;
        const QSet<QString> generations = generationsOnDisk(mini.session->firmwareFolder());
        ASSERT_EQ(generations.size(), 1) << "attempt " << attempt << ": lists out of step";
        ASSERT_EQ(dataFolderEntries(mini.session->firmwareFolder()), cleanEntries);
    }
    std::cout << "saves cut short in the middle: " << interrupted << " of 120\n";
}

TEST(ListJournal, RecoveryFinishesACommittedSaveAndDropsAnUncommittedOne) {
    testsupport::Scratch scratch;
    const QString folder = scratch.mkdir("Data");
    const QString a = "MelodiesFiles.lst";
    const QString b = "MelodiesSize.lst";
    scratch.write("Data/" + a, "old a\r\n");
    scratch.write("Data/" + b, "old b\r\n");
    scratch.write("Data/" + a + ".new", "new a\r\n");
    scratch.write("Data/." + b + ".new.Xy12ab", "half");
    EXPECT_EQ(ListJournal(folder).pathToRead(a), folder + "/" + a);
    ListJournal(folder).recover(); // no marker: the new file was never committed
    EXPECT_EQ(testsupport::readAll(folder + "/" + a), "old a\r\n");
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), (QStringList{a, b}));

    scratch.write("Data/" + a + ".new", "new a\r\n");
    scratch.write("TempPic/pic.bmp", "old picture");
    scratch.write("TempPic/pic.bmp.new", "new picture");
    scratch.write("TempPic/.x.bmp.new.AbCdEf", "a copy a kill cut short");
    scratch.write("elsewhere.new", "not ours");
    scratch.write("Data/" + ListJournal::markerName(),
                  (a + "\r\n" + b + "\r\n../TempPic/pic.bmp\r\n../elsewhere\r\n").toUtf8());
    const ListJournal journal(folder);
    EXPECT_EQ(journal.pathToRead(a), folder + "/" + a + ".new"); // B was renamed already
    EXPECT_EQ(journal.pathToRead(b), folder + "/" + b);
    journal.recover();
    EXPECT_EQ(testsupport::readAll(folder + "/" + a), "new a\r\n");
    EXPECT_EQ(testsupport::readAll(scratch.path("TempPic/pic.bmp")), "new picture");
    EXPECT_EQ(testsupport::readAll(scratch.path("elsewhere.new")), "not ours");
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), (QStringList{a, b}));
    EXPECT_EQ(QDir(scratch.path("TempPic")).entryList(QDir::Files | QDir::Hidden),
              QStringList{"pic.bmp"});
}

// A planted marker renames nothing but the lists and the working copies of
// plain working folders, and one that cannot be finished names itself.
TEST(ListJournal, APlantedMarkerRenamesNothingElseAndNamesItselfWhenStuck) {
    testsupport::Scratch scratch;
    const QString folder = scratch.mkdir("Data");
    const QString marker = folder + "/" + ListJournal::markerName();
    scratch.write("outside/x.mid", "outside");
    scratch.write("outside/x.mid.new", "planted");
    ASSERT_TRUE(QFile::link(scratch.path("outside"), scratch.path("TempMelodies")));
    scratch.write("Data/Memory.ini", "[Memory]\r\n");
    scratch.write("Data/Memory.ini.new", "planted");
    scratch.write("Data/JavaHelp.rtf.new", "planted");
    scratch.write("Data/Pic.new", "planted");
    scratch.mkdir("Data/Pic");
    scratch.write("Data/" + ListJournal::markerName(),
                  "../TempMelodies/x.mid\r\nMemory.ini\r\nJavaHelp.rtf\r\nPic\r\n");
    ListJournal(folder).recover();
    EXPECT_EQ(testsupport::readAll(scratch.path("outside/x.mid")), "outside");
    EXPECT_EQ(testsupport::readAll(folder + "/Memory.ini"), "[Memory]\r\n");
    EXPECT_FALSE(QFile::exists(folder + "/JavaHelp.rtf"));
    EXPECT_TRUE(QFileInfo(folder + "/Pic").isDir());
    EXPECT_FALSE(QFile::exists(marker));

    // A list whose new file is a folder: the error names the marker, each time.
    scratch.mkdir("Data/JavaFiles.lst.new");
    scratch.write("Data/" + ListJournal::markerName(), "JavaFiles.lst\r\n");
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            ListJournal(folder).recover();
            ADD_FAILURE();
        } catch (const TarvexError& e) {
            EXPECT_TRUE(e.message().contains(marker + " could not be finished"))
                << e.message().toStdString();
        }
    }
    // A marker that is a FIFO is never opened: readers pass it by, writers are told.
    QFile::remove(marker);
    ASSERT_EQ(mkfifo(QFile::encodeName(marker).constData(), 0600), 0);
    EXPECT_EQ(ListJournal(folder).pathToRead("JavaFiles.lst"), folder + "/JavaFiles.lst");
    EXPECT_THROW(ListJournal(folder).recover(), TarvexError);
}
