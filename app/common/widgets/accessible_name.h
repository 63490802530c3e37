// Names that a screen reader speaks for controls without a text of their own
// (lists, edits, check boxes whose label stands beside them): the text of
// their label, without the " : " that ends a label on screen.
#pragma once

#include <QString>

class QWidget;

namespace zephlin {

// A label's text as a name: the trailing colon and spaces dropped.
QString nameOfLabel(const QString& labelText);

// Names the control (and describes it, when a description is given), so
// that assistive technology can find it and speak it.
void nameControl(QWidget* control, const QString& name, const QString& description = {});

} // namespace zephlin
