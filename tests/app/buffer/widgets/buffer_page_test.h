// A buffer page and the Select Area dialog.
#pragma once

#include <QObject>

namespace zephlin {

class BufferPageTest : public QObject {
    Q_OBJECT

private slots:
    void newPageIsGreyReadOnlyAndEmpty();
    void emptyAreaShowsTheErasedChipChecksum();
    void sixteenOnesInSixtyFourKilobytes();
    void editingKeepsTheShownChecksum();
    void filledPageShowsItsFillAndLocksItWithoutClear();
    void unchangedDialogLoadsAtZeroAndReplaces();
    void addressTakesOnlyHexDigits();
    void mergeWhenClearBufferIsCleared();
    void cancelLeavesNothingChosen();
    void chineseTexts();
};

} // namespace zephlin
