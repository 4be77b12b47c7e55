// SPDX-License-Identifier: MIT
#include "app/Logo.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

QPixmap tarvexLogo(const QSize& size) {
    QPixmap logo(size);
    logo.fill(Qt::black);
    QPainter p(&logo);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width();
    const qreal h = size.height();

    // A handset outline on the left.
    const QRectF phone(w * 0.08, h * 0.14, w * 0.26, h * 0.72);
    QLinearGradient body(phone.topLeft(), phone.bottomRight());
    body.setColorAt(0, QColor(90, 110, 140));
    body.setColorAt(1, QColor(30, 40, 60));
    p.setPen(QPen(QColor(170, 190, 220), 1.5));
    p.setBrush(body);
    p.drawRoundedRect(phone, 6, 6);
    const QRectF screen = phone.adjusted(phone.width() * 0.15, phone.height() * 0.1,
                                         -phone.width() * 0.15, -phone.height() * 0.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 200, 255));
    p.drawRect(screen);
    p.setBrush(QColor(200, 210, 230));
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            const qreal x = phone.left() + phone.width() * (0.2 + 0.25 * col);
            const qreal y = phone.top() + phone.height() * (0.58 + 0.12 * row);
            p.drawEllipse(QPointF(x + phone.width() * 0.05, y), phone.width() * 0.07,
                          phone.width() * 0.05);
        }
    }

    // The name, with a band of S-record digits under it.
    QFont name(QStringLiteral("DejaVu Sans"));
    name.setBold(true);
    name.setPixelSize(int(h * 0.17));
    p.setFont(name);
    QLinearGradient ink(0, h * 0.3, 0, h * 0.55);
    ink.setColorAt(0, QColor(255, 220, 120));
    ink.setColorAt(1, QColor(230, 120, 30));
    QPainterPath text;
    text.addText(w * 0.39, h * 0.5, name, QStringLiteral("Tarvex"));
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPath(text);

    QFont digits(QStringLiteral("DejaVu Sans Mono"));
    digits.setPixelSize(qMax(8, int(h * 0.07)));
    p.setFont(digits);
    p.setPen(QColor(80, 200, 120));
    p.drawText(QRectF(w * 0.4, h * 0.6, w * 0.58, h * 0.1), Qt::AlignLeft,
               QStringLiteral("S3150064688000"));
    p.drawText(QRectF(w * 0.4, h * 0.7, w * 0.58, h * 0.1), Qt::AlignLeft,
               QStringLiteral("S705A002000058"));
    return logo;
}
