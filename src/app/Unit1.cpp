// SPDX-License-Identifier: MIT
#include "app/Unit1.h"

#include "app/CheckMenu.h"
#include "app/FirmwareMenu.h"
#include "app/PageCommands.h"
#include "app/StatusPanel.h"
#include "app/UiFont.h"
#include "app/untAbout.h"
#include "app/untNagScreen.h"
#include "app/untOptFirmware.h"
#include "base/TarvexError.h"
#include "check/DataSetCheck.h"
#include "desktop/UserDialogs.h"
#include "editor/CustomPatchPage.h"
#include "manager/SlotTable.h"
#include "pages/JavaPage.h"
#include "pages/MelodyPage.h"
#include "pages/PicturePage.h"
#include "platform/SettingsStore.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <exception>

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

QString TForm1::statusNotice() const {
    return statusNotice_->fullText();
}

QString TForm1::statusText(int panel) const {
    return panel == 0 ? statusPanel0_->fullText() : statusPanel1_->text();
}

void TForm1::FormCreate() {
    guarded([this] {
        tsMelodiesManager->startUp();
        // The session runs the folder, settings, memory map and list steps;
        // what it reached is shown even when a step failed.
        std::exception_ptr failure;
        try {
            session_->start();
        } catch (...) {
            failure = std::current_exception();
        }
        tsCreateCustomPatch->setUserFolder(session_->userFolder());
        showWhatStartUpReached();
        if (failure) {
            std::rethrow_exception(failure);
        }
        reportUnsafeDataSet();
        tsMelodiesManager->fill();
        tsJavaGames->fill();
        tsGraphics->fill();
        if (!reopening_) {
            tsCreateCustomPatch->clear(); // the custom patch does not depend on the firmware
        }
        tsMelodiesManager->updateMemory();
        tsJavaGames->updateMemory();
        tsGraphics->updateMemory();
        hideUnavailablePages();
        statusPanel1_->setText(
            QStringLiteral("Прошивка: %1").arg(session_->firmwareSettings().currentId));
    });
    QStringList notes;
    if (session_->isReadOnly()) {
        notes.append(showReadOnly());
    }
    guarded([&] { notes.append(checkDataSet()); });
    notes.removeAll(QString());
    setStatusNotice(notes.join(QLatin1Char(' ')));
}

QString TForm1::checkDataSet() const {
    // A data set is written by hand; its faults are better told now than
    // found when a patch is built. The check takes milliseconds.
    if (session_->reached() < Session::Step::Folders ||
        !QFileInfo(session_->firmwareFolder()).isDir()) {
        return {};
    }
    const Report report = datasetcheck::run(session_->firmwareFolder() + QStringLiteral("/Data"));
    const int count = report.errors();
    if (count == 0) {
        return {};
    }
    const int tens = count % 100;
    const int units = count % 10;
    const QString errors = (tens >= 11 && tens <= 14) || units == 0 || units >= 5
                               ? QStringLiteral("ошибок")
                           : units == 1 ? QStringLiteral("ошибка")
                                        : QStringLiteral("ошибки");
    return QStringLiteral("В наборе данных %1 %2: Настройки → Проверить набор данных...")
        .arg(count)
        .arg(errors);
}

QString TForm1::showReadOnly() {
    // Another window (or a command) holds the data set: this one shows it
    // but writes nothing, so neither undoes the other's choices.
    setWindowTitle(kCaption + kReadOnlyMark);
    for (ManagerPage* page :
         {static_cast<ManagerPage*>(tsMelodiesManager), static_cast<ManagerPage*>(tsJavaGames),
          static_cast<ManagerPage*>(tsGraphics)}) {
        page->setReadOnly(true);
    }
    // Not exactly over the first window, so that both are seen.
    move(pos() + QPoint(40, 40));
    // Short enough for the holder to stay readable in a narrow window.
    return QStringLiteral("Только чтение: данные изменяет %1.")
        .arg(session_->lockHolder().value_or(QString()));
}

void TForm1::reportUnsafeDataSet() {
    FirmwareDataSet& data = session_->dataSet();
    UserDialogs& dialogs = UserDialogs::instance();
    // A list that could not be read whole is never written back: its page
    // shows its rows and changes nothing. One warning names every such list.
    QStringList cut;
    for (const FirmwareDataSet::CutList& list : data.cutLists()) {
        cut.append(QStringLiteral("%1, строка %2: %3")
                       .arg(data.dataFile(list.list))
                       .arg(list.line)
                       .arg(list.nul
                                ? QStringLiteral("нулевой символ, текст после него не прочитан")
                                : QStringLiteral("слишком длинная строка")));
    }
    if (!cut.isEmpty()) {
        dialogs.warn(QStringLiteral("Списки прочитаны не полностью:\n%1\nЧтобы ничего не "
                                    "потерять, изменения на их страницах отключены. Исправьте "
                                    "списки и запустите программу снова.")
                         .arg(cut.join(QLatin1Char('\n'))));
    }
    for (ManagerPage* page :
         {static_cast<ManagerPage*>(tsMelodiesManager), static_cast<ManagerPage*>(tsJavaGames),
          static_cast<ManagerPage*>(tsGraphics)}) {
        page->setWritable(data.cutRefusal(page->info()).isEmpty());
    }
    for (const ManagerInfo* info : managers::all()) {
        try {
            data.requirePlainWorkFolder(*info);
        } catch (const TarvexError&) {
            dialogs.warn(QStringLiteral("Рабочая папка %1 является ссылкой или не является "
                                        "папкой. Программа не будет ни записывать в неё, ни "
                                        "удалять из неё файлы.")
                             .arg(data.workFolder(*info)));
        }
    }
}

void TForm1::showWhatStartUpReached() {
    using Step = Session::Step;
    const Step reached = session_->reached();
    for (ManagerPage* page :
         {static_cast<ManagerPage*>(tsMelodiesManager), static_cast<ManagerPage*>(tsJavaGames),
          static_cast<ManagerPage*>(tsGraphics)}) {
        page->setDataSet(&session_->dataSet());
        if (reached >= Step::Totals) {
            page->showTotal();
        }
    }
    if (reached >= Step::ListsCreated && !session_->programFolder().isEmpty()) {
        QDir::setCurrent(session_->programFolder());
    }
    // A help text read before a later file failed is shown all the same.
    tsJavaGames->showHelp();
    tsGraphics->showHelp();
}

void TForm1::hideUnavailablePages() {
    const FirmwareDataSet& data = session_->dataSet();
    const int current = PageControl1->currentIndex();
    const std::pair<int, const ManagerInfo*> pages[] = {{kMelodyTab, &managers::melodies()},
                                                        {kJavaTab, &managers::java()},
                                                        {kPictureTab, &managers::pictures()}};
    for (const auto& [tab, info] : pages) {
        if (!data.isAvailable(*info)) {
            PageControl1->setTabVisible(tab, false);
        }
    }
    if (PageControl1->isTabVisible(current)) {
        return;
    }
    // A hidden active page gives way to the next visible one, else the last.
    int next = -1;
    for (int tab = current + 1; tab < PageControl1->count() && next < 0; ++tab) {
        next = PageControl1->isTabVisible(tab) ? tab : -1;
    }
    for (int tab = PageControl1->count() - 1; tab >= 0 && next < 0; --tab) {
        next = PageControl1->isTabVisible(tab) ? tab : -1;
    }
    PageControl1->setCurrentIndex(next);
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
    WriteFirmwareSettings(store, settings);
    // What the close does for this data set (lists saved, copies cleaned, the
    // lock released) is done before the other one is opened.
    if (!guarded([this] { FormClose(); })) {
        settings.currentId = previous;
        WriteFirmwareSettings(store, settings);
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
    statusPanel1_->setText(QStringLiteral("Прошивка: %1").arg(id));
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
    WriteFirmwareSettings(store, settings);
    dialogs.inform(QStringLiteral("Пожалуйста, перезапустите программу."), QString());
}

void TForm1::About1Click() {
    frmAbout_->show();
    frmAbout_->raise();
    frmAbout_->activateWindow();
}
