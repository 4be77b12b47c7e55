#pragma once

#include "manager/ManagerPage.h"

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
    QLabel* Label13;
    QLabel* lblPicMemUsed;
    QLabel* Label14;
    QLabel* lblPicMemTotal;
    QProgressBar* pgPicMemUsed;
    QPushButton* btnCreatePicPatch;

private:
    QGroupBox* previewBox(const QString& name, const QString& caption, QLabel*& image,
                          const QString& imageName);
};
