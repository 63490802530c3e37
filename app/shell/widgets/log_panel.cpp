#include "shell/widgets/log_panel.h"

#include "common/widgets/qt_text.h"

#include <QScrollBar>
#include <QTextCursor>

namespace zephlin {

LogPanel::LogPanel(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    setUndoRedoEnabled(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
}

void LogPanel::append(std::wstring_view text) {
    // Entries end with CR LF; the edit breaks lines at LF alone.
    QString piece = toQString(text);
    piece.remove(QLatin1Char('\r'));
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(piece);
    setTextCursor(cursor);
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void LogPanel::clear() {
    QPlainTextEdit::clear();
}

} // namespace zephlin
