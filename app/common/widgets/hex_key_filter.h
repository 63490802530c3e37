// The filter of hexadecimal entry fields: a typed character reaches the edit
// only if it is 0-9, A-F, a-f or backspace. The models behind the edits show
// letters in upper case. Pasted text is not filtered; its readers stop at the
// first other character.
#pragma once

#include <QObject>

class QLineEdit;

namespace zephlin {

class HexKeyFilter : public QObject {
    Q_OBJECT

public:
    // Installs a filter on the edit (owned by the edit).
    static void install(QLineEdit* edit);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};

} // namespace zephlin
