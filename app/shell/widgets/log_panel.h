// The log panel: a read-only, multi-line edit that only ever grows at its
// end (and empties on Clear). Each appended piece scrolls the end into view.
#pragma once

#include "shell/core/log_grammar.h"

#include <QPlainTextEdit>

namespace zephlin {

class LogPanel : public QPlainTextEdit, public LogSink {
    Q_OBJECT

public:
    explicit LogPanel(QWidget* parent = nullptr);

    void append(std::wstring_view text) override;
    void clear() override;
};

} // namespace zephlin
