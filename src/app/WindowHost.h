// SPDX-License-Identifier: MIT
#pragma once

#include <QList>

class CustomPatchPage;
class JavaPage;
class ManagerPage;
class MelodyPage;
class PicturePage;
class QString;
class QTabWidget;
class QWidget;
class Session;

// The window's pages, as its menus and start-up reach them.
struct WindowPages {
    QTabWidget* tabs = nullptr;
    MelodyPage* melodies = nullptr;
    JavaPage* java = nullptr;
    PicturePage* pictures = nullptr;
    CustomPatchPage* customPatch = nullptr;

    // The three manager pages, in tab order.
    QList<ManagerPage*> managers() const;
};

// What the menus, the keyboard commands and the start-up need of the main
// window. They talk to it through this alone, so none depends on the window
// and the window may change without them.
class WindowHost {
public:
    // The parent of their dialogs and the owner of the menus.
    virtual QWidget& widget() = 0;
    virtual Session& session() = 0;
    virtual const WindowPages& pages() const = 0;

    // The first status panel, redrawn at once.
    virtual void setStatusText(const QString& text) = 0;
    // A lasting state beside the first panel, until the data set changes.
    virtual void setStatusNotice(const QString& text) = 0;
    // The firmware id in the second status panel.
    virtual void showFirmwareId(const QString& id) = 0;

    // Closes this data set and opens firmware `id` in its place. False when
    // the close failed.
    virtual bool switchFirmware(const QString& id) = 0;
    // A data set was added to the user folder: the firmware choice offers it
    // from now on.
    virtual void dataSetAdded() = 0;
    virtual void showAbout() = 0;

protected:
    ~WindowHost() = default;
};
