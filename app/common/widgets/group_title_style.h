// Group-box titles drawn whole: the platform style gives a title the font's
// line height only, which cuts off descenders ("IWDT_DIV" reads as "IWDT DIV")
// and the lower edge of Chinese glyphs. This style gives the title its
// descent as well; everything else is the application's style.
#pragma once

#include <QProxyStyle>

class QFontMetrics;
class QString;
class QWidget;

namespace zephlin {

class GroupTitleStyle : public QProxyStyle {
    Q_OBJECT

public:
    // The one instance, owned by the application.
    static GroupTitleStyle* instance();
    // Gives every group box below root this style.
    static void applyTo(QWidget* root);
    // The height a group-box title of this text takes in this font.
    static int titleHeight(const QFontMetrics& metrics, const QString& text);

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                         SubControl subControl, const QWidget* widget) const override;

private:
    GroupTitleStyle() = default;
};

} // namespace zephlin
