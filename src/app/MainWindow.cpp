// SPDX-License-Identifier: MIT
#include "app/MainWindow.h"

#include "app/AboutDialog.h"
#include "app/CheckMenu.h"
#include "app/DonationDialog.h"
#include "app/FirmwareMenu.h"
#include "app/FirmwareVersionDialog.h"
#include "app/PageCommands.h"
#include "app/StartUp.h"
#include "app/StatusPanel.h"
#include "app/UiFont.h"
#include "base/ReportLanguage.h"
#include "desktop/UserDialogs.h"
#include "editor/CustomPatchPage.h"
#include "manager/SlotTable.h"
#include "pages/JavaPage.h"
#include "pages/MelodyPage.h"
#include "pages/PicturePage.h"
#include "platform/SettingsStore.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>

namespace {

constexpr int kMelodyTab = 0;
constexpr int kJavaTab = 1;
constexpr int kPictureTab = 2;
constexpr int kScannerTab = 4;

QFont boldFont(QFont font) {
    font.setBold(true);
    return font;
}

// The window changes its data set for its whole run, so it holds the lock.
SessionOptions withLock(SessionOptions options) {
    options.forWriting = true;
    options.readOnlyWhenHeld = true;
    return options;
}

} // namespace

MainWindow::MainWindow(SessionOptions options, QWidget* parent)
    : QMainWindow(parent), options_(withLock(std::move(options))),
      session_(std::make_unique<Session>(options_)) {
    // The window and its reports speak Russian, whatever the user's locale.
    reportlanguage::use(QLocale(QLocale::Russian, QLocale::Russia));
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(kCaption);
    setFont(uiFont());
    resize(690, 500);
    setMinimumSize(690, 500);
    if (const QScreen* screen = this->screen()) {
        move(screen->availableGeometry().center() - rect().center());
    }

    buildPages();
    buildMenu();
    buildStatusBar();
    for (ManagerPage* page : pages_.managers()) {
        page->setStatusSink([this](const QString& text) { setStatusText(text); });
    }
    pages_.customPatch->setStatusSink([this](const QString& text) { setStatusText(text); });
    // What one page reported does not hold on another.
    connect(pages_.tabs, &QTabWidget::currentChanged, this, [this] { setStatusText({}); });

    openDataSet();

    about_ = new AboutDialog(this);
    firmwareVersion_ = new FirmwareVersionDialog(this);
    firmwareVersion_->fill(session_->firmwareSettings());
    donation_ = new DonationDialog(this);
}

void MainWindow::buildPages() {
    auto* tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("PageControl1"));
    pages_.tabs = tabs;
    pages_.melodies = new MelodyPage(tabs);
    pages_.java = new JavaPage(tabs);
    pages_.pictures = new PicturePage(tabs);
    pages_.customPatch = new CustomPatchPage(tabs);
    auto* scanner = new QWidget(tabs);
    scanner->setObjectName(QStringLiteral("tsFirmwareScanner"));
    const QStyle* look = style();
    tabs->addTab(pages_.melodies, look->standardIcon(QStyle::SP_MediaVolume),
                 QStringLiteral("Менеджер мелодий"));
    tabs->addTab(pages_.java, look->standardIcon(QStyle::SP_ComputerIcon),
                 QStringLiteral("Менеджер JAVA игр"));
    tabs->addTab(pages_.pictures, look->standardIcon(QStyle::SP_FileDialogContentsView),
                 QStringLiteral("Менеджер картинок"));
    tabs->addTab(pages_.customPatch, look->standardIcon(QStyle::SP_FileIcon),
                 QStringLiteral("Создать патч"));
    tabs->addTab(scanner, QString());
    tabs->setTabVisible(kScannerTab, false);
    tabs->setCurrentIndex(kMelodyTab);
    setCentralWidget(tabs);
}

MainWindow::~MainWindow() {
    // The commands watch the pages' buttons and tabs: they go first, so that
    // nothing the pages do while they are destroyed reaches them.
    delete commands_;
}

void MainWindow::buildMenu() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&Файл"));
    file->setObjectName(QStringLiteral("File1"));
    QAction* exit = file->addAction(QStringLiteral("Вы&ход"));
    exit->setObjectName(QStringLiteral("Exit1"));
    connect(exit, &QAction::triggered, this, [this] { guarded([this] { close(); }); });

    QMenu* settings = menuBar()->addMenu(QStringLiteral("&Настройки"));
    settings->setObjectName(QStringLiteral("N1"));
    QAction* firmware = settings->addAction(QStringLiteral("&Версия прошивки"));
    firmware->setObjectName(QStringLiteral("N2"));
    connect(firmware, &QAction::triggered, this, [this] { guarded([this] { chooseFirmware(); }); });
    new CheckMenu(*this, *settings);
    new FirmwareMenu(*this, *settings);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Помощь"));
    help->setObjectName(QStringLiteral("Help1"));
    QAction* about = help->addAction(QStringLiteral("О &программе..."));
    about->setObjectName(QStringLiteral("About1"));
    connect(about, &QAction::triggered, this, [this] { guarded([this] { showAbout(); }); });

    commands_ = new PageCommands(*this, file, exit, help, about);
}

void MainWindow::buildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    // Panel 0 takes what the window's width leaves; panel 1 keeps its 150.
    // Between them, a lasting state (read only, errors found at start) keeps
    // a panel of its own, as wide as its text when the window has the room.
    statusLine_ = new StatusPanel(bar);
    statusNotice_ = new StatusPanel(bar, Qt::ElideRight);
    statusNotice_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    statusNotice_->setGivesWayTo(statusLine_);
    statusNotice_->hide();
    firmwareLabel_ = new QLabel(bar);
    firmwareLabel_->setFixedWidth(150);
    statusLine_->setObjectName(QStringLiteral("StatusPanel0"));
    statusNotice_->setObjectName(QStringLiteral("StatusNotice"));
    firmwareLabel_->setObjectName(QStringLiteral("StatusPanel1"));
    for (QLabel* label :
         {static_cast<QLabel*>(statusLine_), static_cast<QLabel*>(statusNotice_), firmwareLabel_}) {
        label->setFont(boldFont(font()));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setAlignment(label == firmwareLabel_ ? Qt::AlignCenter
                                                    : Qt::AlignLeft | Qt::AlignVCenter);
        bar->addWidget(label, label == statusLine_ ? 1 : 0);
    }
}

void MainWindow::setStatusText(const QString& text) {
    statusLine_->setFullText(text);
    statusLine_->repaint();
}

void MainWindow::setStatusNotice(const QString& text) {
    statusNotice_->setFullText(text);
    statusNotice_->setVisible(!text.isEmpty());
}

void MainWindow::showFirmwareId(const QString& id) {
    firmwareLabel_->setText(QStringLiteral("Прошивка: %1").arg(id));
}

QString MainWindow::statusNotice() const {
    return statusNotice_->fullText();
}

QString MainWindow::statusText(int panel) const {
    return panel == 0 ? statusLine_->fullText() : firmwareLabel_->text();
}

void MainWindow::openDataSet() {
    StartUp(*this).run(reopening_);
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        // After the window is on screen, so that the request appears over it.
        QTimer::singleShot(0, this, [this] { guarded([this] { askForDonation(); }); });
    }
}

void MainWindow::askForDonation() {
    UserDialogs::instance().runModal(*donation_);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    bool goOn = false;
    if (pages_.customPatch->isModified()) {
        pages_.tabs->setCurrentWidget(pages_.customPatch); // what the question is about
    }
    if (!guarded([&] { goOn = pages_.customPatch->askSaveChanges(); }) || !goOn) {
        event->ignore();
        return;
    }
    if (guarded([this] { closeDataSet(); })) {
        event->accept();
    } else {
        // A list that could not be written keeps the window open.
        event->ignore();
    }
}

void MainWindow::closeDataSet() {
    FirmwareDataSet& data = session_->dataSet();
    if (!session_->isReadOnly()) {
        data.saveSlotLists();
    }
    // Only lists read from disk tell which copies are still in use; after an
    // early start-up failure the copies are left alone.
    if (session_->isLoaded() && !session_->isReadOnly()) {
        SlotTable(data, managers::melodies()).cleanWorkFolder();
    }
    data.releaseLists(managers::melodies());
    pages_.melodies->shutDown();
}

bool MainWindow::switchFirmware(const QString& id) {
    FirmwareSettings& settings = session_->firmwareSettings();
    const QString previous = settings.currentId;
    settings.currentId = id;
    SettingsStore store;
    writeFirmwareSettings(store, settings);
    // What the close does for this data set (lists saved, copies cleaned, the
    // lock released) is done before the other one is opened.
    if (!guarded([this] { closeDataSet(); })) {
        settings.currentId = previous;
        writeFirmwareSettings(store, settings);
        return false;
    }
    for (ManagerPage* page : pages_.managers()) {
        page->reset();
    }
    for (int tab : {kMelodyTab, kJavaTab, kPictureTab}) {
        pages_.tabs->setTabVisible(tab, true);
    }
    setWindowTitle(kCaption);
    setStatusText({});
    setStatusNotice({});
    showFirmwareId(id);
    session_ = std::make_unique<Session>(options_);
    reopening_ = true;
    openDataSet();
    reopening_ = false;
    firmwareVersion_->fill(session_->firmwareSettings());
    return true;
}

void MainWindow::dataSetAdded() {
    FirmwareSettings& settings = session_->firmwareSettings();
    settings.folderList = Session::scanFirmwareFolders(session_->userFolder());
    firmwareVersion_->fill(settings);
}

void MainWindow::chooseFirmware() {
    UserDialogs& dialogs = UserDialogs::instance();
    if (dialogs.runModal(*firmwareVersion_) != QDialog::Accepted) {
        return;
    }
    SettingsStore store;
    if (!chooseCurrentFirmware(store, session_->firmwareSettings(),
                               firmwareVersion_->chosenFirmware())) {
        return;
    }
    dialogs.inform(QStringLiteral("Пожалуйста, перезапустите программу."), QString());
}

void MainWindow::showAbout() {
    about_->show();
    about_->raise();
    about_->activateWindow();
}
