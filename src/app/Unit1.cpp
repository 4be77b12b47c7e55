// SPDX-License-Identifier: MIT
#include "app/Unit1.h"

#include "app/CheckMenu.h"
#include "app/FirmwareMenu.h"
#include "app/PageCommands.h"
#include "app/StartUp.h"
#include "app/StatusPanel.h"
#include "app/UiFont.h"
#include "app/untAbout.h"
#include "app/untNagScreen.h"
#include "app/untOptFirmware.h"
#include "check/ReportLanguage.h"
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

TForm1::TForm1(SessionOptions options, QWidget* parent)
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

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    tsMelodiesManager = new MelodyPage(PageControl1);
    tsJavaGames = new JavaPage(PageControl1);
    tsGraphics = new PicturePage(PageControl1);
    tsCreateCustomPatch = new CustomPatchPage(PageControl1);
    tsFirmwareScanner = new QWidget(PageControl1);
    tsFirmwareScanner->setObjectName(QStringLiteral("tsFirmwareScanner"));
    const QStyle* look = style();
    PageControl1->addTab(tsMelodiesManager, look->standardIcon(QStyle::SP_MediaVolume),
                         QStringLiteral("Менеджер мелодий"));
    PageControl1->addTab(tsJavaGames, look->standardIcon(QStyle::SP_ComputerIcon),
                         QStringLiteral("Менеджер JAVA игр"));
    PageControl1->addTab(tsGraphics, look->standardIcon(QStyle::SP_FileDialogContentsView),
                         QStringLiteral("Менеджер картинок"));
    PageControl1->addTab(tsCreateCustomPatch, look->standardIcon(QStyle::SP_FileIcon),
                         QStringLiteral("Создать патч"));
    PageControl1->addTab(tsFirmwareScanner, QString());
    PageControl1->setTabVisible(kScannerTab, false);
    PageControl1->setCurrentIndex(kMelodyTab);
    setCentralWidget(PageControl1);

    buildMenu();
    buildStatusBar();
    for (ManagerPage* page :
         {static_cast<ManagerPage*>(tsMelodiesManager), static_cast<ManagerPage*>(tsJavaGames),
          static_cast<ManagerPage*>(tsGraphics)}) {
        page->setStatusSink([this](const QString& text) { setStatusText(text); });
    }
    tsCreateCustomPatch->setStatusSink([this](const QString& text) { setStatusText(text); });
    // What one page reported does not hold on another.
    connect(PageControl1, &QTabWidget::currentChanged, this, [this] { setStatusText({}); });

    FormCreate();

    frmAbout_ = new TfrmAbout(this);
    frmOptFirmware_ = new TfrmOptFirmware(this);
    frmOptFirmware_->FormCreate(session_->firmwareSettings());
    frmNagScreen_ = new TfrmNagScreen(this);
}

TForm1::~TForm1() {
    // The commands watch the pages' buttons and tabs: they go first, so that
    // nothing the pages do while they are destroyed reaches them.
    delete commands_;
}

void TForm1::buildMenu() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&Файл"));
    file->setObjectName(QStringLiteral("File1"));
    QAction* exit = file->addAction(QStringLiteral("Вы&ход"));
    exit->setObjectName(QStringLiteral("Exit1"));
    connect(exit, &QAction::triggered, this, [this] { guarded([this] { Exit1Click(); }); });

    QMenu* settings = menuBar()->addMenu(QStringLiteral("&Настройки"));
    settings->setObjectName(QStringLiteral("N1"));
    QAction* firmware = settings->addAction(QStringLiteral("&Версия прошивки"));
    firmware->setObjectName(QStringLiteral("N2"));
    connect(firmware, &QAction::triggered, this, [this] { guarded([this] { N2Click(); }); });
    new CheckMenu(*this, *settings);
    new FirmwareMenu(*this, *settings);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Помощь"));
    help->setObjectName(QStringLiteral("Help1"));
    QAction* about = help->addAction(QStringLiteral("О &программе..."));
    about->setObjectName(QStringLiteral("About1"));
    connect(about, &QAction::triggered, this, [this] { guarded([this] { About1Click(); }); });

    commands_ = new PageCommands(*this, file, exit, help, about);
}

void TForm1::buildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    // Panel 0 takes what the window's width leaves; panel 1 keeps its 150.
    // Between them, a lasting state (read only, errors found at start) keeps
    // a panel of its own, as wide as its text when the window has the room.
    statusPanel0_ = new StatusPanel(bar);
    statusNotice_ = new StatusPanel(bar, Qt::ElideRight);
    statusNotice_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    statusNotice_->setGivesWayTo(statusPanel0_);
    statusNotice_->hide();
    statusPanel1_ = new QLabel(bar);
    statusPanel1_->setFixedWidth(150);
    statusPanel0_->setObjectName(QStringLiteral("StatusPanel0"));
    statusNotice_->setObjectName(QStringLiteral("StatusNotice"));
    statusPanel1_->setObjectName(QStringLiteral("StatusPanel1"));
    for (QLabel* label : {static_cast<QLabel*>(statusPanel0_), static_cast<QLabel*>(statusNotice_),
                          statusPanel1_}) {
        label->setFont(boldFont(font()));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setAlignment(label == statusPanel1_ ? Qt::AlignCenter
                                                   : Qt::AlignLeft | Qt::AlignVCenter);
        bar->addWidget(label, label == statusPanel0_ ? 1 : 0);
    }
}

void TForm1::setStatusText(const QString& text) {
    statusPanel0_->setFullText(text);
    statusPanel0_->repaint();
}

void TForm1::setStatusNotice(const QString& text) {
    statusNotice_->setFullText(text);
    statusNotice_->setVisible(!text.isEmpty());
}

void TForm1::showFirmwareId(const QString& id) {
    statusPanel1_->setText(QStringLiteral("Прошивка: %1").arg(id));
}

QString TForm1::statusNotice() const {
    return statusNotice_->fullText();
}

QString TForm1::statusText(int panel) const {
    return panel == 0 ? statusPanel0_->fullText() : statusPanel1_->text();
}

void TForm1::FormCreate() {
    StartUp(*this).run(reopening_);
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        // After the window is on screen, so that the request appears over it.
        QTimer::singleShot(0, this, [this] { guarded([this] { FormShow(); }); });
    }
}

void TForm1::FormShow() {
    UserDialogs::instance().runModal(*frmNagScreen_);
}

void TForm1::closeEvent(QCloseEvent* event) {
    bool goOn = false;
    if (tsCreateCustomPatch->Editor->isModified()) {
        PageControl1->setCurrentWidget(tsCreateCustomPatch); // what the question is about
    }
    if (!guarded([&] { goOn = tsCreateCustomPatch->askSaveChanges(); }) || !goOn) {
        event->ignore();
        return;
    }
    if (guarded([this] { FormClose(); })) {
        event->accept();
    } else {
        // A list that could not be written keeps the window open.
        event->ignore();
    }
}

void TForm1::FormClose() {
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
    tsMelodiesManager->shutDown();
}

bool TForm1::switchFirmware(const QString& id) {
    FirmwareSettings& settings = session_->firmwareSettings();
    const QString previous = settings.currentId;
    settings.currentId = id;
    SettingsStore store;
    writeFirmwareSettings(store, settings);
    // What the close does for this data set (lists saved, copies cleaned, the
    // lock released) is done before the other one is opened.
    if (!guarded([this] { FormClose(); })) {
        settings.currentId = previous;
        writeFirmwareSettings(store, settings);
        return false;
    }
    for (ManagerPage* page :
         {static_cast<ManagerPage*>(tsMelodiesManager), static_cast<ManagerPage*>(tsJavaGames),
          static_cast<ManagerPage*>(tsGraphics)}) {
        page->reset();
    }
    for (int tab : {kMelodyTab, kJavaTab, kPictureTab}) {
        PageControl1->setTabVisible(tab, true);
    }
    setWindowTitle(kCaption);
    setStatusText({});
    setStatusNotice({});
    showFirmwareId(id);
    session_ = std::make_unique<Session>(options_);
    reopening_ = true;
    FormCreate();
    reopening_ = false;
    frmOptFirmware_->FormCreate(session_->firmwareSettings());
    return true;
}

void TForm1::Exit1Click() {
    close();
}

void TForm1::N2Click() {
    UserDialogs& dialogs = UserDialogs::instance();
    if (dialogs.runModal(*frmOptFirmware_) != QDialog::Accepted) {
        return;
    }
    FirmwareSettings& settings = session_->firmwareSettings();
    const QString chosen = frmOptFirmware_->chosenFirmware();
    if (chosen == settings.currentId) {
        return;
    }
    settings.currentId = chosen;
    SettingsStore store;
    writeFirmwareSettings(store, settings);
    dialogs.inform(QStringLiteral("Пожалуйста, перезапустите программу."), QString());
}

void TForm1::About1Click() {
    frmAbout_->show();
    frmAbout_->raise();
    frmAbout_->activateWindow();
}
