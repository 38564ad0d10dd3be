#include "ui/appicon.h"

#include <QPainter>
#include <QPixmap>

namespace n35
{

namespace
{

// The picture of data/hvn35writer.svg on its 64 x 64 grid.
QPixmap DrawIcon(int side)
{
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(side / 64.0, side / 64.0);
    auto box = [&](QRectF rect, qreal radius, QColor fill, QColor line = Qt::transparent, qreal width = 1) {
        painter.setPen(line == Qt::transparent ? QPen(Qt::NoPen) : QPen(line, width));
        painter.setBrush(fill);
        painter.drawRoundedRect(rect, radius, radius);
    };
    box({38, 3, 5, 16}, 2, QColor(0x33, 0x33, 0x33));
    box({18, 16, 28, 45}, 5, QColor(0x3a, 0x3f, 0x44), QColor(0x1c, 0x1f, 0x22), 2);
    box({23, 21, 18, 8}, 1, QColor(0x22, 0x22, 0x22));
    box({22, 32, 20, 11}, 1.5, QColor(0x9f, 0xd8, 0xa0), QColor(0x1c, 0x1f, 0x22));
    painter.setPen(QPen(QColor(0x2d, 0x5a, 0x2e), 1.5));
    painter.drawLine(QLineF(25, 39, 30, 39));
    painter.drawLine(QLineF(33, 36, 39, 36));
    painter.drawLine(QLineF(33, 40, 37, 40));
    for (const qreal y : {47.0, 52.0}) {
        for (const qreal x : {22.0, 29.5, 37.0})
            box({x, y, 5, 3}, 1, QColor(0xc9, 0xce, 0xd3));
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x55, 0x55, 0x55));
    painter.drawEllipse(QPointF(24, 12), 3, 3);
    painter.drawRect(QRectF(22.5, 13, 3, 4));
    return pixmap;
}

} // namespace

QIcon ApplicationIcon()
{
    QIcon drawn;
    for (const int side : {16, 24, 32, 48, 64, 128, 256})
        drawn.addPixmap(DrawIcon(side));
    return QIcon::fromTheme(QStringLiteral("hvn35writer"), drawn);
}

} // namespace n35
