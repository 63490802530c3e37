// Controls placed at dialog-unit positions and addressed by their numeric
// identifiers: every control carries its identifier as the property
// "controlId" and as its object name, so commands, texts and tests find it.
#pragma once

#include "common/dialog_units.h"

#include <QFont>
#include <QObject>
#include <QRect>
#include <QVariant>
#include <QWidget>

class QLineEdit;

namespace zephlin {

inline constexpr const char* kControlIdProperty = "controlId";

// The base units of a font, measured as the platform measures a dialog font.
DialogBaseUnits baseUnitsOf(const QFont& font);

class DialogUnitPlacer {
public:
    explicit DialogUnitPlacer(const QFont& font) : base_(baseUnitsOf(font)) {}

    QRect pixels(const DluRect& rect) const;
    int width(int units) const { return horizontalPixels(units, base_); }
    int height(int units) const { return verticalPixels(units, base_); }

    // Gives the widget its identifier (0: none) and places it. A height of 0
    // keeps the widget's natural height (drop-down lists give only a width).
    template <typename Widget> Widget* place(Widget* widget, int id, const DluRect& rect) const {
        setId(widget, id);
        placeWidget(widget, rect);
        return widget;
    }

    static void setId(QWidget* widget, int id);

private:
    void placeWidget(QWidget* widget, const DluRect& rect) const;

    DialogBaseUnits base_;
};

// Sets an edit's text only when it differs, so that an edit being typed into
// keeps its caret.
void showEditText(QLineEdit* edit, const QString& text);

// The control with an identifier below root (the first found); null when
// there is none or it is not a Widget.
template <typename Widget = QWidget> Widget* findControl(const QObject* root, int id) {
    const auto children = root->findChildren<Widget*>();
    for (Widget* child : children) {
        const QVariant value = child->property(kControlIdProperty);
        if (value.isValid() && value.toInt() == id) {
            return child;
        }
    }
    return nullptr;
}

} // namespace zephlin
