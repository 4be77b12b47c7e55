// SPDX-License-Identifier: MIT
#pragma once

#include "dataset/FirmwareDataSet.h"
#include "java/JavaPair.h"
#include "manager/PatchAssembly.h"
#include "manager/SlotTable.h"
#include "pages/MemoryPanel.h"

#include <QUrl>
#include <QWidget>
#include <functional>

class QAbstractButton;
class QGroupBox;
class QHBoxLayout;
class QIcon;
class QLabel;
class QLineEdit;
class QPushButton;
class QTextEdit;
class QToolButton;
class QVBoxLayout;
class SlotListView;

// The design's names and texts of the controls every manager page has.
struct PageNames {
    QString listBox;
    QString listCaption;
    QString list;
    QString editPanel;
    QString editCaption;
    QString title;     // the selected slot's name
    QString titleText; // shown before a slot is chosen
    QString loadLabel;
    QString fileEdit;
    QString openButton;
    QString openHint;
    QString content;
    QString restoreButton;
    QString restoreCaption;
    MemoryPanelNames memory;
};

// What the three manager pages share: the data set they work on, the slot
// list, the memory panel, the help box and the status text. The skeleton of
// controls is built here from the manager's facts and the page's names; each
// page adds its own controls and owns its handlers.
class ManagerPage : public QWidget {
    Q_OBJECT

public:
    // Writes the first panel of the window's status bar and redraws it at once.
    using StatusSink = std::function<void(const QString& text)>;

    explicit ManagerPage(const ManagerInfo& info, QWidget* parent = nullptr);

    const ManagerInfo& info() const { return info_; }

    // The run's data set; the page only borrows it.
    void setDataSet(FirmwareDataSet* data) { data_ = data; }
    FirmwareDataSet* dataSet() const { return data_; }
    bool isAvailable() const { return data_ != nullptr && data_->isAvailable(info_); }
    // A page whose lists could not be read whole shows its rows but changes
    // nothing: its open, restore and create buttons, drops and volume are off.
    void setWritable(bool writable);
    bool isWritable() const { return writable_ && !readOnly_; }
    // The manager's slots; only with a data set.
    SlotTable table() const;

    // FillSlotViews for this manager; nothing when it is unavailable.
    void fill();
    // The memory gauge (UpdateMelMemory, UpdateJavaMemory, UpdatePicMemory):
    // nothing when unavailable; a bad size line raises and leaves the labels
    // as they were.
    void updateMemory();
    // Nothing shown, nothing borrowed: before another data set is opened.
    void reset();
    // The manager's total, shown as start-up computed it.
    void showTotal();
    // The data set's help text in the page's help box, when it has both.
    void showHelp();

    // The open dialog for a slot's new file, with the manager's filter (JAD
    // on even Java rows, JAR on odd ones). Empty when the user cancelled.
    virtual QString askReplacementFile(int row) const;
    // The save dialog of the manager's patch ("MelodyPatch", "JavaPatch",
    // "PicturePatch"). Empty when the user cancelled.
    QString askPatchFile() const;

    // The handlers the melody and Java pages share. Each acts on the selected
    // row and does nothing without one.
    // A new file for the slot (refused when any slot uses its name); the file
    // edit shows it. Returns the row changed, -1 when nothing changed.
    int openForSelectedSlot(QLineEdit* fileEdit);
    // The same for a file already chosen.
    int assignFileToSlot(int row, const QString& file, QLineEdit* fileEdit);

    // A file dropped on a row: one file of a kind the slot takes is selected,
    // shown and assigned as the page's open button assigns a chosen file;
    // anything else is refused with a warning.
    void dropOnSlot(int row, const QList<QUrl>& urls);
    // Why a drop of `urls` on row `row` (-1: no row selected) would be
    // refused; empty when it would be taken.
    QString dropRefusal(int row, const QList<QUrl>& urls) const;

    // The page's buttons, for the window's keyboard commands.
    QAbstractButton* openButton() const { return open_; }
    QAbstractButton* restoreButton() const { return restore_; }
    QAbstractButton* createButton() const;
    // The "Создать патч!" button: the patch built, saved where the user says,
    // the working folder cleaned; progress and result in the status bar.
    void createPatch();
    // The "use standard" button: the selected slot back to its standard
    // resource (a melody's volume too), its row and the file edit showing it; `shown` then updates
    // what else the page displays, before the lists are saved and the gauge
    // recomputed.
    void restoreSelectedSlot(QLineEdit* fileEdit,
                             const std::function<void(SlotTable&, int row)>& shown = {});
    // Row `row` made equal to the slot lists again, its problems marked.
    void refreshRow(int row);
    // The edit panel's line on what the selected slot's new file holds
    // ("MIDI, 0:02, «Morning Tune»"); empty for a standard slot.
    void showContent();

    // Whether the page may change its slots: a loaded manager whose data set
    // this window may write.
    bool canChangeSlots() const { return isAvailable() && isWritable(); }
    // A window that may not write the data set shows it with every command
    // that would write it switched off.
    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return readOnly_; }
    // The open and restore buttons switched on exactly when they can act.
    void updateCommands();

    void setStatusSink(StatusSink sink) { status_ = std::move(sink); }
    void showStatus(const QString& text) const;
    // News about the slots of `rows`: shown until another slot is selected
    // or other news comes.
    void showSlotNews(const QList<int>& rows, const QString& text);

    SlotListView* slotList() const { return list_; }
    QTextEdit* helpBox() const { return help_; }

    // Shows the selected slot in the edit panel; nothing without one.
    virtual void showSelectedSlot() = 0;

protected:
    // The controls every page has, as the skeleton's steps build them.
    struct Skeleton {
        QGroupBox* listBox = nullptr;
        QVBoxLayout* listLayout = nullptr;
        SlotListView* list = nullptr;
        QGroupBox* editPanel = nullptr;
        QVBoxLayout* editLayout = nullptr;
        QLabel* title = nullptr;
        QLabel* loadLabel = nullptr;
        QHBoxLayout* fileRow = nullptr;
        QLineEdit* fileEdit = nullptr;
        QToolButton* openButton = nullptr;
        QPushButton* restoreButton = nullptr;
        MemoryPanel* memory = nullptr;
    };
    // The page's constructor builds the shared skeleton in these steps, in
    // the order the controls take the focus, and adds its own controls
    // between them: the list box with the slot list; the edit panel down to
    // the file row and the content line; the restore button; then the
    // memory panel at the foot, the two halves side by side, drops taken on
    // the file edit and the create button building the manager's patch.
    const Skeleton& buildListBox(const PageNames& names);
    const Skeleton& skeleton() const { return skeleton_; }
    void buildEditPanel(const PageNames& names);
    void addRestoreButton(const PageNames& names);
    void finishSkeleton(const PageNames& names, QTextEdit* help = nullptr);
    // A file dropped on `target` goes to the selected slot, as on its row.
    void takeDropsOn(QWidget* target);
    bool eventFilter(QObject* watched, QEvent* event) override;

    // The edit panel as it starts, before a slot is chosen.
    virtual void showNoSlot() = 0;
    // What the page's open button does with a chosen file.
    virtual void assignReplacement(int row, const QString& file) = 0;
    // Asked before a change to a slot corrects another file with it (a
    // game's JAD); without one the correction is made.
    virtual javapair::Consent correctionConsent() { return {}; }
    // What a saved change to row `row` did to its game's other half, shown.
    virtual void showSettled(int /*row*/, const javapair::Settled& /*pair*/) {}
    // Why the page would refuse `file` for row `row` once it had looked
    // inside it; asked while a file is dragged. Empty when it would take it.
    virtual QString fileRefusal(int /*row*/, const QString& /*file*/) const { return {}; }
    // Controls built the way the three pages share.
    static QGroupBox* groupBox(const QString& name, const QString& caption, QWidget* parent);
    static QLabel* label(const QString& name, const QString& text, QWidget* parent,
                         bool bold = false);
    static QLineEdit* lineEdit(const QString& name, const QString& text, QWidget* parent);
    static QPushButton* button(const QString& name, const QString& caption, QWidget* parent);
    static QToolButton* speedButton(const QString& name, const QString& hint, const QIcon& glyph,
                                    QWidget* parent);
    // A read-only rich text box with a vertical scroll bar.
    static QTextEdit* helpTextBox(const QString& name, QWidget* parent);
    static void setBold(QWidget* widget);

private:
    void setParts(SlotListView* list, MemoryPanel* memory, QTextEdit* help);
    void setButtons(QAbstractButton* open, QAbstractButton* restore);
    // The page's two halves: the list box grows, the edit panel keeps its width.
    void placeSideBySide(QGroupBox* listBox, QGroupBox* editPanel);
    // Shared by the three lists: a changed selection is redrawn at once.
    void selectionChanged();
    // While a drag is refused the status bar says why; cleared when it ends.
    void showDragRefusal(const QString& reason);
    // Handles the drop after it has ended: a warning must not hold up the file manager.
    void dropLater(int row, const QList<QUrl>& urls);

    const ManagerInfo& info_;
    Skeleton skeleton_;
    FirmwareDataSet* data_ = nullptr;
    StatusSink status_;
    SlotListView* list_ = nullptr;
    MemoryPanel* memory_ = nullptr;
    QTextEdit* help_ = nullptr;
    QAbstractButton* open_ = nullptr;
    QAbstractButton* restore_ = nullptr;
    QLabel* content_ = nullptr;
    bool readOnly_ = false;
    bool dragRefusalShown_ = false;
    bool writable_ = true;
    mutable QList<int> newsRows_; // the rows the status text is about
};
