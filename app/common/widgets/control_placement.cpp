#include "common/widgets/control_placement.h"

#include <QFontMetrics>
#include <QLineEdit>

#include <algorithm>

namespace zephlin {

DialogBaseUnits baseUnitsOf(const QFont& font) {
    const QFontMetrics metrics(font);
    const int advance = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {averageCharWidthOf52Letters(advance), metrics.height()};
}

QRect DialogUnitPlacer::pixels(const DluRect& rect) const {
    const PixelRect p = toPixels(rect, base_);
    return {p.left, p.top, p.width, p.height};
}

void DialogUnitPlacer::setId(QWidget* widget, int id) {
    if (id != 0) {
        widget->setProperty(kControlIdProperty, id);
        widget->setObjectName(QString::number(id));
    }
}

void DialogUnitPlacer::placeWidget(QWidget* widget, const DluRect& rect) const {
    QRect area = pixels(rect);
    if (rect.height == 0) {
        area.setHeight(widget->sizeHint().height());
    }
    widget->setGeometry(area);
}

void showEditText(QLineEdit* edit, const QString& text) {
    if (edit->text() != text) {
        const int caret = edit->cursorPosition();
        edit->setText(text);
        edit->setCursorPosition(std::min(caret, static_cast<int>(text.size())));
    }
}

} // namespace zephlin
