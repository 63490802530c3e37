#include "common/widgets/hex_key_filter.h"

#include "common/hex_text.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace zephlin {

void HexKeyFilter::install(QLineEdit* edit) {
    edit->installEventFilter(new HexKeyFilter(edit));
}

bool HexKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return QObject::eventFilter(watched, event);
    }
    auto* key = static_cast<QKeyEvent*>(event);
    const QString text = key->text();
    // Keys without a printable character (arrows, Delete, shortcuts such as
    // Ctrl+V) keep their meaning.
    const bool shortcut = (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) != 0;
    if (shortcut || text.size() != 1 || text.at(0).unicode() < 0x20) {
        return false;
    }
    return !acceptsHexInput(static_cast<wchar_t>(text.at(0).unicode()));
}

} // namespace zephlin
