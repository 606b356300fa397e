#include "app/gui/HelpIcon.h"

#include "app/gui/StatusImages.h"

#include <QMouseEvent>

HelpIcon::HelpIcon(QWidget* parent) : QLabel(parent) {
    setPixmap(StatusImages::help());
    setFixedSize(16, 16);
    setCursor(Qt::PointingHandCursor);
    setToolTip(QStringLiteral("Pomoc"));
}

void HelpIcon::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}
