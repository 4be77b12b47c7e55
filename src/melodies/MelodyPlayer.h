// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QProcess;

// Previews a melody in an outside player. At most one player process is
// tracked: a new preview ends the last one first, and so does the close.
class MelodyPlayer {
public:
    // MidRadio plays SMAF and MIDI melodies; any other player only MIDI.
    enum class Kind { MidRadio, Midi };
    struct Program {
        QString path; // empty when there is none
        Kind kind = Kind::MidRadio;
    };

    // The settings value naming a MIDI player (a program on PATH or a full path).
    static inline const QString kMidiPlayerKey = QStringLiteral("MidiPlayer");
    // The MIDI player looked for on PATH when the settings name none.
    static inline const QString kDefaultMidiPlayer = QStringLiteral("timidity");

    // The player's full path from the settings store ("InstallDirectory" of
    // "Software/YAMAHA/MidRadio2/Profiles" + "/MidRadio.exe"), empty when absent.
    static QString findMidRadio();
    // A MIDI player: the program named by kMidiPlayerKey when it can be run,
    // else kDefaultMidiPlayer on PATH; empty when neither is there.
    static QString findMidiPlayer();
    // MidRadio when its settings name one, else a MIDI player.
    static Program find();
    // The folders a player named without a folder is looked for in; empty
    // (the default) is PATH. Tests set it, so that what the machine has
    // installed never decides what they see.
    static void setProgramFolders(const QStringList& folders);
    static QStringList programFolders();

    explicit MelodyPlayer(QString playerPath = {}, Kind kind = Kind::MidRadio);
    explicit MelodyPlayer(const Program& program) : MelodyPlayer(program.path, program.kind) {}
    ~MelodyPlayer();

    bool isAvailable() const { return !playerPath_.isEmpty(); }
    QString playerPath() const { return playerPath_; }
    Kind kind() const { return kind_; }

    enum class Outcome { Started, NoFile, CannotPlay };
    // The file `fileText` of the working folder, given to the player as its
    // one argument. Nothing happens when no such file exists, nor when the
    // player cannot play it (a SMAF melody for a MIDI player). Raises the
    // platform's error when the player cannot be started.
    Outcome play(const QString& workFolder, const QString& fileText);
    // What the user is told when the player cannot play the file.
    QString cannotPlayMessage(const QString& fileText) const;
    // Ends the player's whole process group: asked first, killed after kTermWaitMs.
    void terminate();
    static constexpr int kTermWaitMs = 300;
    bool isRunning() const;
    // Called when a player started by play() has ended, by itself or by terminate().
    void setOnFinished(std::function<void()> onFinished) { onFinished_ = std::move(onFinished); }
    // What is called now, for one who calls it on and puts it back after.
    const std::function<void()>& onFinished() const { return onFinished_; }

private:
    QString playerPath_;
    Kind kind_;
    std::unique_ptr<QProcess> process_;
    std::function<void()> onFinished_;
};
