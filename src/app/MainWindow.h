// SPDX-License-Identifier: MIT
#pragma once

#include "app/WindowHost.h"
#include "dataset/Session.h"

#include <QMainWindow>
#include <memory>

class AboutDialog;
class DonationDialog;
class FirmwareVersionDialog;
class PageCommands;
class QLabel;
class StatusPanel;

// The main window: the four pages, the status bar and the menu. It runs the
// start-up (StartUp) on construction and the close sequence when it is
// closed, and owns the session and the three other windows for the whole run.
class MainWindow : public QMainWindow, private WindowHost {
    Q_OBJECT

public:
    static inline const QString kCaption = QStringLiteral("Tarvex by Ulvane (tarvex@example.org)");

    explicit MainWindow(SessionOptions options, QWidget* parent = nullptr);
    ~MainWindow() override;

    bool switchFirmware(const QString& id) override;
    // The firmware version dialog; the choice is kept for the next start.
    void chooseFirmware();
    void showAbout() override;

    void setStatusText(const QString& text) override;
    QString statusText(int panel) const;
    QString statusNotice() const;

    Session& session() override { return *session_; }
    QTabWidget* pageControl() const { return pages_.tabs; }
    MelodyPage* melodyPage() const { return pages_.melodies; }
    JavaPage* javaPage() const { return pages_.java; }
    PicturePage* picturePage() const { return pages_.pictures; }
    CustomPatchPage* customPatchPage() const { return pages_.customPatch; }
    PageCommands* commands() const { return commands_; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget& widget() override { return *this; }
    const WindowPages& pages() const override { return pages_; }
    void setStatusNotice(const QString& text) override;
    void showFirmwareId(const QString& id) override;
    void dataSetAdded() override;

    void buildPages();
    void buildMenu();
    void buildStatusBar();
    // The start-up for the session's data set, by StartUp.
    void openDataSet();
    void askForDonation();
    // Lists saved, copies cleaned, the lock released.
    void closeDataSet();

    SessionOptions options_;
    std::unique_ptr<Session> session_;
    WindowPages pages_;
    StatusPanel* statusLine_;
    StatusPanel* statusNotice_;
    QLabel* firmwareLabel_;
    PageCommands* commands_ = nullptr;
    AboutDialog* about_ = nullptr;
    FirmwareVersionDialog* firmwareVersion_ = nullptr;
    DonationDialog* donation_ = nullptr;
    bool shownOnce_ = false;
    bool reopening_ = false; // the start-up for another firmware, after the first
};
