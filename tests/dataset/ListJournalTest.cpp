// A save of the slot lists is all or nothing, also when the process is killed.
#include "dataset/ListJournal.h"

#include "support/MiniDataSet.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QRandomGenerator>
#include <csignal>
#include <iostream>
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
    scratch.write("Data/A.lst", "old a\r\n");
    scratch.write("Data/B.lst", "old b\r\n");
    scratch.write("Data/A.lst.new", "new a\r\n");
    scratch.write("Data/.B.lst.new.Xy12ab", "half");
    ListJournal journal(folder);
    EXPECT_EQ(journal.pathToRead("A.lst"), folder + "/A.lst");
    journal.recover(); // no marker: the new file was never committed
    EXPECT_EQ(testsupport::readAll(folder + "/A.lst"), "old a\r\n");
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), (QStringList{"A.lst", "B.lst"}));

    scratch.write("Data/A.lst.new", "new a\r\n");
    scratch.write("TempPic/pic.bmp", "old picture");
    scratch.write("TempPic/pic.bmp.new", "new picture");
    scratch.write("elsewhere.new", "not ours");
    scratch.write("Data/" + ListJournal::markerName(),
                  "A.lst\r\nB.lst\r\n../TempPic/pic.bmp\r\n../elsewhere\r\n");
    EXPECT_EQ(journal.pathToRead("A.lst"), folder + "/A.lst.new"); // B was renamed already
    EXPECT_EQ(journal.pathToRead("B.lst"), folder + "/B.lst");
    journal.recover();
    EXPECT_EQ(testsupport::readAll(folder + "/A.lst"), "new a\r\n");
    EXPECT_EQ(testsupport::readAll(scratch.path("TempPic/pic.bmp")), "new picture");
    EXPECT_EQ(testsupport::readAll(scratch.path("elsewhere.new")), "not ours");
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), (QStringList{"A.lst", "B.lst"}));
}
