// SPDX-License-Identifier: MIT
#pragma once

#include "pages/ManagerPage.h"

#include <QDateTime>
#include <QImage>
#include <QPixmap>

class QCheckBox;
class QGroupBox;
class QLabel;

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
    void showSelectedSlot() override;
    // The open dialog, with a preview of the picture under the cursor.
    QString askReplacementFile(int row) const override;

    const QImage& standardPicture() const { return standard_; }
    const QImage& newPicture() const { return new_; }

protected:
    void showNoSlot() override;
    void assignReplacement(int row, const QString& file) override;
    // A picture of another size than the slot's, unless it is to be fitted.
    QString fileRefusal(int row, const QString& file) const override;

private:
    void chooseFile();
    void restoreStandard();
    // The check box's state as last left, off when never set.
    static bool rememberedFit();
    void showStandard(const QImage& picture);
    // The new preview shows the picture in the handset's colours; new_ keeps it as loaded.
    void showNew(const QImage& picture);

    // The size of the picture dragged last: a drag asks at every move.
    struct DraggedSize {
        QString path;
        QDateTime modified;
        QSize size;
    };
    mutable DraggedSize dragged_;

    QImage standard_; // what the standard preview shows
    QImage new_;      // what the new preview shows, before the reduction to the handset's colours

    QGroupBox* previewBox(const QString& name, const QString& caption, QLabel*& image,
                          const QString& imageName);

    QLabel* standardPreview_;
    QLabel* newPreview_;
    QLabel* width_;
    QLabel* height_;
    QCheckBox* fit_; // fit a picture of another size instead of refusing it
};
