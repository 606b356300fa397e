#include "help/gui/AboutLogo.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

QPixmap AboutLogo::pixmap(int size, qreal devicePixelRatio) {
    QPixmap image(QSize(size, size) * devicePixelRatio);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    const QRectF tile(size * 0.06, size * 0.06, size * 0.88, size * 0.88);
    const qreal radius = size * 0.12;
    // Shadow, then the ivory tile with a warm edge.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 60));
    painter.drawRoundedRect(tile.translated(size * 0.03, size * 0.03), radius, radius);
    QLinearGradient face(tile.topLeft(), tile.bottomRight());
    face.setColorAt(0.0, QColor(255, 246, 214));
    face.setColorAt(1.0, QColor(232, 204, 150));
    painter.setBrush(face);
    painter.setPen(QPen(QColor(150, 105, 50), size * 0.025));
    painter.drawRoundedRect(tile, radius, radius);

    QFont letter(QStringLiteral("DejaVu Serif"));
    letter.setBold(true);
    letter.setPixelSize(qRound(size * 0.56));
    painter.setFont(letter);
    painter.setPen(QColor(40, 40, 90));
    painter.drawText(tile.adjusted(0, -size * 0.04, -size * 0.08, 0), Qt::AlignCenter, QStringLiteral("L"));

    QFont value(QStringLiteral("DejaVu Sans"));
    value.setBold(true);
    value.setPixelSize(qRound(size * 0.18));
    painter.setFont(value);
    painter.drawText(tile.adjusted(0, 0, -size * 0.09, -size * 0.06), Qt::AlignRight | Qt::AlignBottom,
                     QStringLiteral("2"));
    return image;
}
