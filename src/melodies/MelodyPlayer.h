#pragma once

#include <QString>
#include <memory>

class QProcess;

// Previews a melody in the outside player. At most one player process is
// tracked: a new preview ends the last one first, and so does the close.
class MelodyPlayer {
public:
    // The player's full path from the settings store ("InstallDirectory" of
    // "Software/YAMAHA/MidRadio2/Profiles" + "/MidRadio.exe"), empty when absent.
    static QString FindMidRadio();

    explicit MelodyPlayer(QString playerPath = {});
    ~MelodyPlayer();

    bool isAvailable() const { return !playerPath_.isEmpty(); }
    QString playerPath() const { return playerPath_; }

    // The file `fileText` of the working folder, given to the player as its
    // one argument; nothing happens when no such file exists. Raises the
    // platform's error when the player cannot be started.
    void play(const QString& workFolder, const QString& fileText);
    void terminate();
    bool isRunning() const;

private:
    QString playerPath_;
    std::unique_ptr<QProcess> process_;
};
