// SPDX-License-Identifier: MIT
#include "app/AboutDialog.h"

#include "app/Logo.h"
#include "app/SecretPanel.h"
#include "app/UiFont.h"
#include "desktop/ShellOpen.h"
#include "desktop/UserDialogs.h"

#include <QCoreApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <functional>

namespace {

// An address label that reports a left click.
class LinkLabel final : public QLabel {
public:
    LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {}

    void setOnClick(std::function<void()> onClick) { onClick_ = std::move(onClick); }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        QLabel::mouseReleaseEvent(event);
        if (onClick_ && event->button() == Qt::LeftButton &&
            rect().contains(event->position().toPoint())) {
            onClick_();
        }
    }

private:
    std::function<void()> onClick_;
};

QStringList credits() {
    return {
        QString(),
        QCoreApplication::translate("AboutDialog", "To the testers"),
        QStringLiteral("------------------------"),
        QCoreApplication::translate("AboutDialog", "for their patience and detailed"),
        QCoreApplication::translate("AboutDialog", "bug reports"),
        QString(),
        QString(),
        QCoreApplication::translate("AboutDialog", "To the data makers"),
        QStringLiteral("------------------------"),
        QCoreApplication::translate("AboutDialog", "for the lists of melodies,"),
        QCoreApplication::translate("AboutDialog", "games and pictures"),
        QCoreApplication::translate("AboutDialog", "of many firmwares"),
        QString(),
        QString(),
        QCoreApplication::translate("AboutDialog", "To the translators"),
        QStringLiteral("------------------------"),
        QCoreApplication::translate("AboutDialog", "for the English captions"),
        QString(),
        QString(),
        QCoreApplication::translate("AboutDialog", "To all users"),
        QStringLiteral("------------------------"),
        QCoreApplication::translate("AboutDialog", "for ideas and wishes"),
    };
}

QLabel* plainLabel(const QString& name, const QString& text, QWidget* parent, const QRect& where) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(where);
    return label;
}

void makeBold(QWidget* widget, qreal pointSize = 0) {
    QFont font = widget->font();
    font.setBold(true);
    if (pointSize > 0) {
        font.setPointSizeF(pointSize);
    }
    widget->setFont(font);
}

} // namespace

AboutDialog::AboutDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("О программе..."));
    setFont(uiFont());
    setFixedSize(462, 403);
    setModal(false);

    auto* thanks = new QGroupBox(QStringLiteral("[ Выражаю благодарность ]"), this);
    thanks->setObjectName(QStringLiteral("GroupBox1"));
    thanks->setGeometry(4, 4, 169, 361);
    auto* credited = new SecretPanel(thanks);
    credited->setObjectName(QStringLiteral("SecretPanel1"));
    credited->setGeometry(8, 18, 153, 337);
    credited->setLines(credits());

    auto* about = new QGroupBox(QStringLiteral("[ О программе ]"), this);
    about->setObjectName(QStringLiteral("GroupBox2"));
    about->setGeometry(177, 4, 281, 253);
    auto* logoPanel = new QFrame(about);
    logoPanel->setObjectName(QStringLiteral("Panel1"));
    logoPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    logoPanel->setStyleSheet(QStringLiteral("QFrame#Panel1 { background: black; }"));
    logoPanel->setGeometry((281 - 189) / 2, 18, 189, 154);
    auto* logo = new QLabel(logoPanel);
    logo->setObjectName(QStringLiteral("Image1"));
    logo->setGeometry(2, 2, 185, 150);
    logo->setPixmap(tarvexLogo(QSize(185, 150)));
    auto* title = plainLabel(QStringLiteral("Label1"),
                             tr("Tarvex\nversion ") + QCoreApplication::applicationVersion(), about,
                             QRect(8, 176, 265, 34));
    title->setAlignment(Qt::AlignCenter);
    makeBold(title, 10);
    plainLabel(QStringLiteral("Label2"), tr("Program: Ulvane"), about, QRect(8, 212, 265, 16))
        ->setAlignment(Qt::AlignCenter);
    plainLabel(QStringLiteral("Label3"), tr("Firmware data: the project's contributors"), about,
               QRect(8, 230, 265, 16))
        ->setAlignment(Qt::AlignCenter);

    auto* contacts = new QGroupBox(QStringLiteral("[ Контакты ]"), this);
    contacts->setObjectName(QStringLiteral("GroupBox3"));
    contacts->setGeometry(177, 260, 281, 105);
    plainLabel(QStringLiteral("Label4"), QStringLiteral("e-mail:"), contacts,
               QRect(10, 20, 60, 16));
    const char* names[] = {"Label5", "Label6", "Label7"};
    const QString mail[] = {QStringLiteral("tarvex@example.org"),
                            QStringLiteral("support@example.org"),
                            QStringLiteral("ulvane@example.net")};
    for (int i = 0; i < 3; ++i) {
        auto* link = new LinkLabel(mail[i], contacts);
        link->setOnClick([this, link] { guarded([this, link] { mailTo(link); }); });
        link->setObjectName(QString::fromLatin1(names[i]));
        link->setGeometry(72, 20 + 16 * i, 198, 16);
        link->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        makeBold(link);
        link->setStyleSheet(QStringLiteral("color: blue;"));
        link->setCursor(Qt::PointingHandCursor);
    }
    plainLabel(QStringLiteral("Label9"), QStringLiteral("ICQ UIN:"), contacts,
               QRect(10, 78, 60, 16));
    auto* uin = plainLabel(QStringLiteral("Label10"), QStringLiteral("000-000-000"), contacts,
                           QRect(72, 78, 198, 16));
    uin->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    makeBold(uin);

    auto* close = new QPushButton(QStringLiteral("&Закрыть"), this);
    close->setObjectName(QStringLiteral("btnClose"));
    close->setGeometry(462 - 4 - 111, 403 - 6 - 25, 111, 25);
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
}

void AboutDialog::mailTo(const QLabel* address) {
    shell::open(QStringLiteral("mailto:") + address->text() + kMailSubject);
}
