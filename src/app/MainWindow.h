// SPDX-License-Identifier: MIT
#pragma once

#include "dataset/Session.h"

#include <QMainWindow>
#include <memory>

class CustomPatchPage;
class JavaPage;
class MelodyPage;
class PicturePage;
class PageCommands;
class QAction;
class QLabel;
class QTabWidget;
class AboutDialog;
class DonationDialog;
class FirmwareVersionDialog;
class StatusPanel;

// The main window: the four pages, the status bar and the menu. It runs the
// start-up (StartUp) on construction and the close sequence when it is
// closed, and owns the session and the three other windows for the whole run.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    static inline const QString kCaption = QStringLiteral("Tarvex by Ulvane (tarvex@example.org)");

    explicit MainWindow(SessionOptions options, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Closes this data set as the close sequence does and opens firmware `id`
    // in its place, remembered as the current one. False when the close failed.
    bool switchFirmware(const QString& id);

    void Exit1Click();
    void N2Click();
    void About1Click();

    // The first status panel, redrawn at once; the managers report here.
    void setStatusText(const QString& text);
    QString statusText(int panel) const;
    // A lasting state (read only and who holds the data set, errors found at
    // start), shown beside the first panel until the data set changes.
    QString statusNotice() const;

    Session& session() { return *session_; }
    QTabWidget* pageControl() const { return PageControl1; }
    MelodyPage* melodyPage() const { return tsMelodiesManager; }
    JavaPage* javaPage() const { return tsJavaGames; }
    PicturePage* picturePage() const { return tsGraphics; }
    CustomPatchPage* customPatchPage() const { return tsCreateCustomPatch; }
    AboutDialog* frmAbout() const { return frmAbout_; }
    FirmwareVersionDialog* frmOptFirmware() const { return frmOptFirmware_; }
    DonationDialog* frmNagScreen() const { return frmNagScreen_; }
    PageCommands* commands() const { return commands_; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // The start-up fills the pages and status bar this window builds.
    friend class StartUp;

    void buildMenu();
    void buildStatusBar();
    // The start-up for the session's data set, by StartUp.
    void FormCreate();
    void setStatusNotice(const QString& text);
    void showFirmwareId(const QString& id); // in the second status panel
    void FormShow();
    void FormClose();

    SessionOptions options_;
    std::unique_ptr<Session> session_;
    QTabWidget* PageControl1;
    MelodyPage* tsMelodiesManager;
    JavaPage* tsJavaGames;
    PicturePage* tsGraphics;
    CustomPatchPage* tsCreateCustomPatch;
    QWidget* tsFirmwareScanner;
    StatusPanel* statusPanel0_;
    StatusPanel* statusNotice_;
    QLabel* statusPanel1_;
    PageCommands* commands_ = nullptr;
    AboutDialog* frmAbout_ = nullptr;
    FirmwareVersionDialog* frmOptFirmware_ = nullptr;
    DonationDialog* frmNagScreen_ = nullptr;
    bool shownOnce_ = false;
    bool reopening_ = false; // FormCreate for another firmware, after the first
};
