#include "common/widgets/accessible_name.h"

#include <QWidget>

namespace zephlin {

QString nameOfLabel(const QString& labelText) {
    QString name = labelText.trimmed();
    while (name.endsWith(QLatin1Char(':'))) {
        name.chop(1);
        name = name.trimmed();
    }
    return name;
}

void nameControl(QWidget* control, const QString& name, const QString& description) {
    if (control->accessibleName() != name) {
        control->setAccessibleName(name);
    }
    if (control->accessibleDescription() != description) {
        control->setAccessibleDescription(description);
    }
}

} // namespace zephlin
