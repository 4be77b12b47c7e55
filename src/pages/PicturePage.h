// SPDX-License-Identifier: MIT
#pragma once

#include "pages/ManagerPage.h"

#include <QDateTime>
#include <QImage>
#include <QPixmap>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTextEdit;
class QToolButton;

// The picture page: the picture slots, the standard and new previews with
// the standard picture's size, and the help text on the left; the edit panel
// and the memory gauge on the right. The controls carry the names of the
// design and belong to the page.
class PicturePage : public ManagerPage {
    Q_OBJECT

public:
    explicit PicturePage(QWidget* parent = nullptr);

    static constexpr int kPreviewSide = 128;
    // A preview at a whole number of screen pixels per picture pixel.
    static QPixmap previewPixmap(const QImage& picture, qreal screenScale);

    // Shows the selected slot: names, the standard preview and its size, the new picture.
    void lvPicClick();
    // The six navigation keys show the slot on key-down and key-up alike.
    void lvPicKeyUp(int key);
    void btnOpenPicClick();
    void btnUseStandardPicClick();
    // The open dialog, with a preview of the picture under the cursor.
    QString askReplacementFile(int row) const override;

    const QImage& standardPicture() const { return standard_; }
    const QImage& newPicture() const { return new_; }

    QGroupBox* GroupBox5;
    SlotListView* lvPic;
    QGroupBox* gbStandardPic;
    QLabel* imgStd;
    QGroupBox* gbNewPic;
    QLabel* imgNew;
    QGroupBox* gbInfo;
    QLabel* Label15;
    QLabel* lblPicWidth;
    QLabel* Label18;
    QLabel* lblPicHeight;
    QTextEdit* rePicHelp;
    QGroupBox* GroupBox6;
    QLabel* lblPicName;
    QLabel* Label9;
    QLineEdit* edtPicFile;
    QToolButton* btnOpenPic;
    QPushButton* btnUseStandardPic;
    QCheckBox* cbFitPicture; // fit a picture of another size instead of refusing it
    QLabel* Label13;
    QLabel* lblPicMemUsed;
    QLabel* Label14;
    QLabel* lblPicMemTotal;
    QProgressBar* pgPicMemUsed;
    QPushButton* btnCreatePicPatch;

protected:
    void showSelectedSlot() override { lvPicClick(); }
    void showNoSlot() override;
    void assignReplacement(int row, const QString& file) override;
    // A picture of another size than the slot's, unless it is to be fitted.
    QString fileRefusal(int row, const QString& file) const override;

private:
    // The check box's state as last left, off when never set.
    static bool rememberedFit();
    void showStandard(const QImage& picture);
    // imgNew shows the picture in the handset's colours; new_ keeps it as loaded.
    void showNew(const QImage& picture);

    // The size of the picture dragged last: a drag asks at every move.
    struct DraggedSize {
        QString path;
        QDateTime modified;
        QSize size;
    };
    mutable DraggedSize dragged_;

    QImage standard_; // what imgStd shows
    QImage new_;      // what imgNew shows, before the reduction to the handset's colours

    QGroupBox* previewBox(const QString& name, const QString& caption, QLabel*& image,
                          const QString& imageName);
};
