#include "app/gui/StatusImages.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace {

QPixmap blank(int width, int height) {
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

} // namespace

QPixmap StatusImages::connected() {
    QPixmap pixmap = blank(Width, Height);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath tick;
    tick.moveTo(4, 10);
    tick.lineTo(9.5, 15.5);
    tick.lineTo(20, 3.5);
    painter.setPen(QPen(QColor(0, 140, 0), 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(tick);
    return pixmap;
}

QPixmap StatusImages::notConnected() {
    QPixmap pixmap = blank(Width, Height);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(210, 0, 0), 3.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(6, 3.5), QPointF(18, 15.5));
    painter.drawLine(QPointF(18, 3.5), QPointF(6, 15.5));
    return pixmap;
}

QPixmap StatusImages::help(int size) {
    QPixmap pixmap = blank(size, size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(20, 60, 140), 1));
    painter.setBrush(QColor(40, 100, 200));
    painter.drawEllipse(QRectF(0.5, 0.5, size - 1, size - 1));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(size * 3 / 4);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, size, size), Qt::AlignCenter, QStringLiteral("?"));
    return pixmap;
}
