// The hex editor control: rows of addresses, byte pairs and characters, a
// caret on the nibbles, mouse and keyboard selection, typing of hexadecimal
// digits, and copy and paste of byte ranges. It owns a private copy of the
// bytes it shows; HexEditModel holds its logic, this widget renders it and
// forwards the user's input.
#pragma once

#include "buffer/core/hex_edit_model.h"
#include "buffer/widgets/hex_edit_renderer.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <QTimer>

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace zephlin {

class CHexEditBase : public QAbstractScrollArea {
    Q_OBJECT
    Q_PROPERTY(int controlId READ controlId WRITE setControlId)

public:
    // The colour slots; colours are 0x00BBGGRR values.
    enum class ColourSlot {
        AddressBackground,
        AddressText,
        AsciiBackground,
        AsciiText,
        HexText,
        HexBackground,
        EmptyArea,
    };
    static constexpr std::size_t kColourSlotCount = 7;

    // The clipboard format of the private "BinaryData" block.
    static constexpr const char* kBinaryDataMimeType = "application/x-zephlin-binarydata";

    explicit CHexEditBase(QWidget* parent = nullptr);

    // The numeric identifier the change notification carries and by which a
    // page's controls are found.
    int controlId() const { return controlId_; }
    void setControlId(int id) { controlId_ = id; }

    // Keeps a copy of the bytes (none: empty), clears the selection, puts the
    // caret on byte 0 and redraws.
    void setData(std::span<const uint8_t> bytes);
    // Copies as many bytes as the destination holds; returns the data length.
    std::size_t getData(std::span<uint8_t> destination) const;
    std::size_t dataLength() const { return model_.length(); }

    void setReadOnly(bool readOnly, bool redraw);
    bool isReadOnly() const { return model_.readOnly(); }

    // Changes one colour; the caller redraws.
    void setColour(ColourSlot slot, uint32_t bgr);
    uint32_t colour(ColourSlot slot) const;

    // Layout settings; each redraws.
    void setShowAddress(bool show);
    void setShowAscii(bool show);
    void setAddressDigits(unsigned digits);
    void setBytesPerRow(unsigned bytes, bool automatic);

    // Accepts only fixed-pitch fonts; returns whether the font was taken.
    bool setHexFont(const QFont& font);

    void selectAll();
    // Sets the selection without redrawing.
    void setSelection(std::size_t first, std::size_t last);
    void clearSelection();
    std::optional<HexSelection> selection() const { return model_.selection(); }
    void makeVisible(std::size_t first, std::size_t last, bool redraw);

    // While set, each paint is combined (bitwise AND) with what the window
    // shows, so that the marks of successive paints add up. No redraw.
    void setAccumulatePaint(bool accumulate) { accumulatePaint_ = accumulate; }
    void redraw();
    // Invalidates the whole window and paints it at once.
    void redrawNow();

    // The selection to the clipboard as the private block and as text.
    void copy();
    // The clipboard's private block over the bytes at the selection start or
    // the caret; clipboard text is never pasted.
    void paste();

    // Where the rows and columns are, for owners that size or probe it.
    const HexLayout& layout() const { return model_.layout(); }
    HexCaret caret() const { return model_.caret(); }
    int verticalPosition() const { return model_.verticalPosition(); }
    int horizontalPosition() const { return model_.horizontalPosition(); }

signals:
    // The user changed bytes (typed a digit or pasted at least one byte).
    void editChanged(int controlId);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void applyFont(const QFont& font);
    HexColours currentColours() const;
    QSize frameSize() const;
    void renderFrame();
    void refresh();
    void scheduleScrollBarSync();
    void syncScrollBars();
    void onAutoScrollTick();
    void updateAutoScrollTimer();
    bool handlesKey(const QKeyEvent& event) const;
    void notifyChange();

    HexEditModel model_;
    int controlId_ = 0;
    std::array<uint32_t, kColourSlotCount> colours_{};
    HexFont font_;
    bool accumulatePaint_ = false;
    QImage surface_;          // the frame being drawn
    QImage shown_;            // what the window shows, without the caret
    bool frameValid_ = false; // nothing changed since shown_ was drawn
    bool syncingScrollBars_ = false;
    int wheelRemainder_ = 0;
    QTimer scrollBarSync_;
    QTimer autoScrollTimer_;
};

} // namespace zephlin
