#include "common/widgets/group_title_style.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QPointer>
#include <QStyleOptionGroupBox>

#include <algorithm>

namespace zephlin {

GroupTitleStyle* GroupTitleStyle::instance() {
    static QPointer<GroupTitleStyle> style;
    if (style.isNull()) {
        style = new GroupTitleStyle;
        style->setParent(qApp);
    }
    return style;
}

void GroupTitleStyle::applyTo(QWidget* root) {
    const auto groups = root->findChildren<QGroupBox*>();
    for (QGroupBox* group : groups) {
        group->setStyle(instance());
    }
}

int GroupTitleStyle::titleHeight(const QFontMetrics& metrics, const QString& text) {
    // Glyphs from a fallback font (Chinese) may reach beyond the font's own
    // line; their drawn extent counts too.
    return std::max(metrics.height() + metrics.descent(),
                    metrics.boundingRect(text).height() + metrics.descent());
}

QRect GroupTitleStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                      SubControl subControl, const QWidget* widget) const {
    QRect rect = QProxyStyle::subControlRect(control, option, subControl, widget);
    if (control == CC_GroupBox && subControl == SC_GroupBoxLabel) {
        if (const auto* group = qstyleoption_cast<const QStyleOptionGroupBox*>(option)) {
            rect.setHeight(std::max(rect.height(), titleHeight(group->fontMetrics, group->text)));
        }
    }
    return rect;
}

} // namespace zephlin
