// SPDX-License-Identifier: MIT
#include "app/DonationDialog.h"

#include "app/UiFont.h"
#include "desktop/UserDialogs.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>

namespace {

// Two overlapping sheets.
QIcon copyGlyph() {
    QPixmap glyph(16, 16);
    glyph.fill(Qt::transparent);
    QPainter p(&glyph);
    p.setPen(QColor(40, 40, 40));
    p.setBrush(Qt::white);
    p.drawRect(1, 1, 9, 10);
    p.drawRect(5, 4, 9, 10);
    p.setPen(QColor(120, 120, 120));
    for (int y = 7; y <= 11; y += 2) {
        p.drawLine(7, y, 12, y);
    }
    return QIcon(glyph);
}

QLabel* textLabel(const QString& name, const QString& text, QWidget* parent, const QRect& where,
                  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(where);
    label->setAlignment(alignment);
    return label;
}

struct PaymentRow {
    const char* label;
    const char* labelName;
    QString identifier;
};

} // namespace

DonationDialog::DonationDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("frmNagScreen"));
    setWindowTitle(QStringLiteral("Tarvex"));
    setFont(uiFont(true));
    setFixedSize(294, 349);

    textLabel(QStringLiteral("Label5"),
              QStringLiteral("Please donate the software. The next versions\n"
                             "of this software would be possible \n"
                             "by your support only."),
              this, QRect(2, 10, 289, 39), Qt::AlignCenter);
    textLabel(QStringLiteral("Label6"),
              QStringLiteral("Если Вам понравилась данная программа, то\n"
                             "сделайте некоторый взнос, который бы\n"
                             "помог автору в дальнейшей разработке.\n") +
                  tr("For commercial use\ncontact the author by e-mail."),
              this, QRect(1, 51, 292, 65), Qt::AlignCenter);

    auto* webMoney = new QGroupBox(QStringLiteral("[ WebMoney]"), this);
    webMoney->setObjectName(QStringLiteral("GroupBox1"));
    webMoney->setGeometry(4, 119, 285, 101);
    auto* vendors = new QGroupBox(QStringLiteral("[ Vendor 2 Vendor transfers ]"), this);
    vendors->setObjectName(QStringLiteral("GroupBox2"));
    vendors->setGeometry(4, 226, 285, 81);

    // The identifiers are placeholders: they name no real account.
    const PaymentRow rows[] = {
        {"WMZ:", "lblWMZ", QStringLiteral("Z000000000000")},
        {"WME:", "Label3", QStringLiteral("E000000000000")},
        {"WMR:", "Label4", QStringLiteral("R000000000000")},
        {"RegNow Vendor ID:", "Label1", QStringLiteral("00000")},
        {"ShareIt Author ID:", "Label2", QStringLiteral("000000")},
    };
    const QIcon glyph = copyGlyph();
    for (int i = 0; i < 5; ++i) {
        const bool purse = i < 3;
        QWidget* box = purse ? webMoney : vendors;
        const int y = purse ? 22 + 26 * i : 22 + 28 * (i - 3);
        const int editX = purse ? 130 : 150;
        const int editWidth = purse ? 121 : 61;
        textLabel(QString::fromLatin1(rows[i].labelName), QString::fromLatin1(rows[i].label), box,
                  QRect(10, y, editX - 14, 21));
        auto* edit = new QLineEdit(rows[i].identifier, box);
        edit->setObjectName(QStringLiteral("Edit%1").arg(i + 1));
        edit->setGeometry(editX, y, editWidth, 21);
        auto* copy = new QToolButton(box);
        copy->setObjectName(QStringLiteral("SpeedButton%1").arg(i + 1));
        copy->setToolTip(QStringLiteral("Copy"));
        copy->setIcon(glyph);
        copy->setGeometry(editX + editWidth + 4, y - 1, 23, 23);
        connect(copy, &QToolButton::clicked, this,
                [this, edit] { guarded([this, edit] { copyToClipboard(edit); }); });
    }

    auto* thanks = new QPushButton(QStringLiteral("Thank you!"), this);
    thanks->setObjectName(QStringLiteral("Button1"));
    thanks->setGeometry(294 - 6 - 99, 349 - 10 - 25, 99, 25);
    connect(thanks, &QPushButton::clicked, this, &QDialog::reject);
    // The dialog opens on its answer, not in an identifier's edit box.
    thanks->setDefault(true);
    thanks->setFocus();
}

void DonationDialog::copyToClipboard(QLineEdit* edit) {
    edit->selectAll();
    edit->copy();
}
