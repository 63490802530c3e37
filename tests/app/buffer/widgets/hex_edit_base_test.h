// The hex editor control driven as a user drives it: keys, mouse and
// clipboard, on a page between two other controls.
#pragma once

#include <QLineEdit>
#include <QObject>
#include <QWidget>

#include <memory>

namespace zephlin {

class CHexEditBase;

class HexEditBaseTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void twentyBytesShowTwoAddressedRows();
    void typingOverwritesNibbles();
    void caretStopsAtTheEnds();
    void shiftDownTwiceSelectsTwoRowsFurther();
    void copyPutsBlockAndTextOnTheClipboard();
    void copyWithoutSelectionLeavesTheClipboard();
    void pasteNearTheEndWritesWhatFits();
    void pasteIgnoresClipboardText();
    void readOnlyRefusesEditsButSelectsAndCopies();
    void changeSignalOnlyForChangedBytes();
    void mouseDragSelects();
    void draggingBelowTheTextAutoScrolls();
    void doubleClickSelectsOneByte();
    void wheelScrollsOneRowPerNotch();
    void scrollBarsFollowTheLayout();
    void tabMovesTheFocus();
    void selectionKeepsUnfocusedColours();
    void accumulatedPaintsKeepEarlierMarks();
    void onlyFixedPitchFontsAreTaken();
    void emptyEditorDrawsNoHexColumn();

private:
    std::unique_ptr<QWidget> page_;
    QLineEdit* before_ = nullptr;
    CHexEditBase* editor_ = nullptr;
    QLineEdit* after_ = nullptr;
};

} // namespace zephlin
