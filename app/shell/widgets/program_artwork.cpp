#include "shell/widgets/program_artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace zephlin {
namespace {

const QColor kDeepBlue(0x12, 0x3A, 0x6B);
const QColor kTeal(0x1F, 0x9E, 0x9A);
const QColor kPin(0xE8, 0xC5, 0x6A);

// A chip seen from above with pins on four sides and a lightning stroke: a
// part being written.
void drawChip(QPainter& painter, const QRectF& area) {
    const qreal side = std::min(area.width(), area.height());
    const QRectF box(area.center().x() - side / 2, area.center().y() - side / 2, side, side);
    const qreal pinLength = side * 0.12;
    const QRectF body = box.adjusted(pinLength, pinLength, -pinLength, -pinLength);
    constexpr int kPinsPerSide = 4;
    const qreal pitch = body.width() / kPinsPerSide;
    const qreal pinWidth = pitch * 0.45;
    painter.setPen(Qt::NoPen);
    painter.setBrush(kPin);
    for (int i = 0; i < kPinsPerSide; ++i) {
        const qreal along = body.left() + pitch * (i + 0.5) - pinWidth / 2;
        const qreal down = body.top() + pitch * (i + 0.5) - pinWidth / 2;
        painter.drawRect(QRectF(along, box.top(), pinWidth, pinLength));
        painter.drawRect(QRectF(along, body.bottom(), pinWidth, pinLength));
        painter.drawRect(QRectF(box.left(), down, pinLength, pinWidth));
        painter.drawRect(QRectF(body.right(), down, pinLength, pinWidth));
    }
    painter.setBrush(kDeepBlue);
    painter.drawRoundedRect(body, side * 0.06, side * 0.06);

    QPainterPath bolt;
    const QPointF c = body.center();
    const qreal u = body.width() / 10;
    bolt.moveTo(c + QPointF(1 * u, -4 * u));
    bolt.lineTo(c + QPointF(-2.5 * u, 0.6 * u));
    bolt.lineTo(c + QPointF(-0.2 * u, 0.6 * u));
    bolt.lineTo(c + QPointF(-1 * u, 4 * u));
    bolt.lineTo(c + QPointF(2.5 * u, -0.8 * u));
    bolt.lineTo(c + QPointF(0.2 * u, -0.8 * u));
    bolt.closeSubpath();
    painter.setBrush(kTeal.lighter(150));
    painter.drawPath(bolt);
}

QPixmap iconPixmap(int side) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    drawChip(painter, QRectF(0, 0, side, side));
    return pixmap;
}

} // namespace

QIcon programIcon() {
    QIcon icon;
    for (const int side : {16, 32, 48, 64}) {
        icon.addPixmap(iconPixmap(side));
    }
    return icon;
}

QPixmap bannerPixmap(QSize size) {
    QPixmap pixmap(size.expandedTo(QSize(1, 1)));
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(0, 0, pixmap.width(), 0);
    gradient.setColorAt(0.0, kDeepBlue);
    gradient.setColorAt(0.7, kTeal);
    gradient.setColorAt(1.0, kTeal.lighter(130));
    painter.fillRect(pixmap.rect(), gradient);

    // Thin traces across the banner, like the lines of a circuit board.
    painter.setPen(QPen(QColor(255, 255, 255, 40), 1.5));
    const int h = pixmap.height();
    for (int i = 0; i < 6; ++i) {
        const qreal y = h * (0.15 + 0.14 * i);
        const qreal x0 = pixmap.width() * (0.35 + 0.05 * i);
        painter.drawLine(QPointF(x0, y), QPointF(x0 + h * 0.4, y));
        painter.drawLine(QPointF(x0 + h * 0.4, y), QPointF(x0 + h * 0.7, y + h * 0.1));
        painter.drawLine(QPointF(x0 + h * 0.7, y + h * 0.1), QPointF(pixmap.width(), y + h * 0.1));
    }

    const qreal margin = h * 0.12;
    drawChip(painter, QRectF(margin, margin, h - 2 * margin, h - 2 * margin));

    QFont title(QStringLiteral("Sans"));
    title.setBold(true);
    title.setPixelSize(std::max(8, static_cast<int>(h * 0.55)));
    painter.setFont(title);
    painter.setPen(Qt::white);
    const QRectF text(h + margin, 0, pixmap.width() - h - margin, h);
    painter.drawText(text, Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Zephlin"));
    QFont subtitle(QStringLiteral("Sans"));
    subtitle.setPixelSize(std::max(7, static_cast<int>(h * 0.22)));
    painter.setFont(subtitle);
    painter.setPen(QColor(255, 255, 255, 200));
    painter.drawText(text.adjusted(0, 0, -margin, 0), Qt::AlignVCenter | Qt::AlignRight,
                     QStringLiteral("Cortex-M0 / M0+ / M3 flash programming"));
    return pixmap;
}

} // namespace zephlin
