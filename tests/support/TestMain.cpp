#include "melodies/MelodyPlayer.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#ifdef TARVEX_TEST_WIDGETS
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#endif

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TestApplication app(argc, argv);
    // Programs are looked for in an empty folder, not on PATH: a MIDI player
    // the machine happens to have must not change what a test sees.
    const QTemporaryDir noPrograms;
    MelodyPlayer::setProgramFolders({noPrograms.path()});
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
