#include "buffer/widgets/hex_edit_base.h"

#include "support/hex_digits.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

namespace zephlin {
namespace {

constexpr int kWheelNotch = 120;

constexpr std::array<uint32_t, CHexEditBase::kColourSlotCount> kInitialColours = {
    0x00005A, // address background
    0x0000FF, // address text
    0x001400, // ASCII background
    0x00FF00, // ASCII text
    0xFF0000, // hex text
    0xBED2B4, // hex background
    0xD2D2D2, // empty area
};

QColor fromBgr(uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

// Every character the editor draws must advance by the same width, or the
// columns would not line up with the layout.
bool isFixedPitch(const QFont& font) {
    const QFontMetricsF metrics(font);
    const qreal width = metrics.horizontalAdvance(QLatin1Char('0'));
    return width > 0 && metrics.horizontalAdvance(QLatin1Char('i')) == width &&
           metrics.horizontalAdvance(QLatin1Char('W')) == width &&
           metrics.horizontalAdvance(QLatin1Char('.')) == width;
}

std::optional<HexMove> movementFor(int key) {
    switch (key) {
    case Qt::Key_Left:
        return HexMove::Left;
    case Qt::Key_Right:
        return HexMove::Right;
    case Qt::Key_Up:
        return HexMove::Up;
    case Qt::Key_Down:
        return HexMove::Down;
    case Qt::Key_PageUp:
        return HexMove::PageUp;
    case Qt::Key_PageDown:
        return HexMove::PageDown;
    case Qt::Key_Home:
        return HexMove::Home;
    case Qt::Key_End:
        return HexMove::End;
    default:
        return std::nullopt;
    }
}

// The hexadecimal digit a key event types, or 0.
char typedDigit(const QKeyEvent& event) {
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        return 0;
    }
    const QString text = event.text();
    if (text.size() != 1) {
        return 0;
    }
    const char digit = text.front().toLatin1();
    return hexDigitValue(digit) >= 0 ? digit : 0;
}

bool isClipboardOrSelectAll(const QKeyEvent& event) {
    return event.matches(QKeySequence::SelectAll) || event.matches(QKeySequence::Copy) ||
           event.matches(QKeySequence::Paste);
}

} // namespace

CHexEditBase::CHexEditBase(QWidget* parent)
    : QAbstractScrollArea(parent), colours_(kInitialColours) {
    setFocusPolicy(Qt::StrongFocus);
    // The control paints every pixel itself; nothing erases the background.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    viewport()->setCursor(Qt::IBeamCursor);
    // Showing or hiding a scroll bar resizes the viewport, which changes the
    // layout again: the bars follow once the current operation is over.
    scrollBarSync_.setSingleShot(true);
    scrollBarSync_.setInterval(0);
    connect(&scrollBarSync_, &QTimer::timeout, this, &CHexEditBase::syncScrollBars);
    autoScrollTimer_.setInterval(HexAutoScroll::kTickMilliseconds);
    connect(&autoScrollTimer_, &QTimer::timeout, this, &CHexEditBase::onAutoScrollTick);
    applyFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    model_.setClientSize(viewport()->width(), viewport()->height());
}

void CHexEditBase::setData(std::span<const uint8_t> bytes) {
    model_.setData(bytes);
    refresh();
}

std::size_t CHexEditBase::getData(std::span<uint8_t> destination) const {
    return model_.copyData(destination);
}

void CHexEditBase::setReadOnly(bool readOnly, bool redraw) {
    model_.setReadOnly(readOnly);
    if (redraw) {
        this->redraw();
    }
}

void CHexEditBase::setColour(ColourSlot slot, uint32_t bgr) {
    colours_.at(static_cast<std::size_t>(slot)) = bgr & 0xFFFFFF;
}

uint32_t CHexEditBase::colour(ColourSlot slot) const {
    return colours_.at(static_cast<std::size_t>(slot));
}

void CHexEditBase::setShowAddress(bool show) {
    model_.setShowAddress(show);
    refresh();
}

void CHexEditBase::setShowAscii(bool show) {
    model_.setShowAscii(show);
    refresh();
}

void CHexEditBase::setAddressDigits(unsigned digits) {
    model_.setAddressDigits(digits);
    refresh();
}

void CHexEditBase::setBytesPerRow(unsigned bytes, bool automatic) {
    model_.setBytesPerRow(bytes, automatic);
    refresh();
}

bool CHexEditBase::setHexFont(const QFont& font) {
    if (!isFixedPitch(font)) {
        return false;
    }
    applyFont(font);
    refresh();
    return true;
}

void CHexEditBase::applyFont(const QFont& requested) {
    QFont font = requested;
    font.setHintingPreference(QFont::PreferFullHinting);
    const QFontMetrics metrics(font);
    const int charWidth = std::max(metrics.horizontalAdvance(QLatin1Char('0')), 1);
    // Spacing makes every advance exactly the whole-pixel character width
    // the layout counts with.
    const qreal advance = QFontMetricsF(font).horizontalAdvance(QLatin1Char('0'));
    font.setLetterSpacing(QFont::AbsoluteSpacing, charWidth - advance);
    font_ = {font, metrics.ascent()};
    model_.setFontMetrics(charWidth, metrics.height());
}

void CHexEditBase::selectAll() {
    if (model_.selectAll()) {
        redraw();
    }
}

void CHexEditBase::setSelection(std::size_t first, std::size_t last) {
    model_.setSelection(first, last);
}

void CHexEditBase::clearSelection() {
    model_.clearSelection();
}

void CHexEditBase::makeVisible(std::size_t first, std::size_t last, bool redraw) {
    model_.makeVisible(first, last);
    scheduleScrollBarSync();
    if (redraw) {
        this->redraw();
    }
}

void CHexEditBase::redraw() {
    frameValid_ = false;
    viewport()->update();
}

void CHexEditBase::redrawNow() {
    renderFrame();
    viewport()->repaint();
}

void CHexEditBase::refresh() {
    redraw();
    scheduleScrollBarSync();
}

HexColours CHexEditBase::currentColours() const {
    const QPalette& palette = this->palette();
    const bool focused = hasFocus();
    return {
        fromBgr(colour(ColourSlot::AddressBackground)),
        fromBgr(colour(ColourSlot::AddressText)),
        fromBgr(colour(ColourSlot::AsciiBackground)),
        fromBgr(colour(ColourSlot::AsciiText)),
        fromBgr(colour(ColourSlot::HexText)),
        fromBgr(colour(ColourSlot::HexBackground)),
        fromBgr(colour(ColourSlot::EmptyArea)),
        palette.color(focused ? QPalette::Highlight : QPalette::Button),
        palette.color(focused ? QPalette::HighlightedText : QPalette::WindowText),
    };
}

QSize CHexEditBase::frameSize() const {
    return (QSizeF(viewport()->size()) * viewport()->devicePixelRatioF()).toSize();
}

void CHexEditBase::renderFrame() {
    if (surface_.size() != frameSize()) {
        surface_ = QImage(frameSize(), QImage::Format_RGB32);
        surface_.setDevicePixelRatio(viewport()->devicePixelRatioF());
    }
    renderHexSurface(surface_, model_, currentColours(), font_);
    frameValid_ = true;
    if (accumulatePaint_ && shown_.size() == surface_.size()) {
        // Keep the marks of earlier paints: each pixel is what the window
        // shows AND what was just drawn.
        for (int y = 0; y < shown_.height(); ++y) {
            auto* shownLine = reinterpret_cast<QRgb*>(shown_.scanLine(y));
            const auto* drawnLine = reinterpret_cast<const QRgb*>(surface_.constScanLine(y));
            for (int x = 0; x < shown_.width(); ++x) {
                shownLine[x] &= drawnLine[x];
            }
        }
    } else {
        std::swap(shown_, surface_);
    }
}

void CHexEditBase::paintEvent(QPaintEvent* /*event*/) {
    // A paint the system asks for shows the last frame again, marks of
    // accumulated paints included; only a redraw draws a new one.
    if (!frameValid_ || shown_.size() != frameSize()) {
        renderFrame();
    }
    QPainter painter(viewport());
    painter.drawImage(0, 0, shown_);
    if (const std::optional<HexPixelRect> caret = model_.caretRect(hasFocus())) {
        // A block caret that inverts what it covers.
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.fillRect(QRect(caret->x, caret->y, caret->width, caret->height), Qt::white);
    }
}

void CHexEditBase::resizeEvent(QResizeEvent* /*event*/) {
    model_.setClientSize(viewport()->width(), viewport()->height());
    refresh();
}

void CHexEditBase::scheduleScrollBarSync() {
    if (!scrollBarSync_.isActive()) {
        scrollBarSync_.start();
    }
}

void CHexEditBase::syncScrollBars() {
    const HexLayout layout = model_.layout(); // a copy: the bars may resize the viewport
    syncingScrollBars_ = true;
    QScrollBar* vertical = verticalScrollBar();
    vertical->setRange(0, layout.verticalMaximum);
    vertical->setSingleStep(1);
    vertical->setPageStep(std::max(layout.fullRows, 1));
    vertical->setValue(model_.verticalPosition());
    QScrollBar* horizontal = horizontalScrollBar();
    horizontal->setRange(0, layout.horizontalMaximum);
    horizontal->setSingleStep(layout.charWidth);
    horizontal->setPageStep(std::max(layout.text.width(), 1));
    horizontal->setValue(model_.horizontalPosition());
    syncingScrollBars_ = false;
}

void CHexEditBase::scrollContentsBy(int /*dx*/, int /*dy*/) {
    if (syncingScrollBars_) {
        return;
    }
    const bool vertical = model_.setVerticalPosition(verticalScrollBar()->value());
    const bool horizontal = model_.setHorizontalPosition(horizontalScrollBar()->value());
    if (vertical || horizontal) {
        redraw();
    }
}

bool CHexEditBase::handlesKey(const QKeyEvent& event) const {
    return isClipboardOrSelectAll(event) || movementFor(event.key()) || typedDigit(event) != 0;
}

bool CHexEditBase::event(QEvent* event) {
    // The editor's own keys win over shortcuts of the window it sits in.
    if (event->type() == QEvent::ShortcutOverride && handlesKey(*static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QAbstractScrollArea::event(event);
}

void CHexEditBase::keyPressEvent(QKeyEvent* event) {
    // Every key stays with the editor (Tab and Shift+Tab move the focus
    // before they get here); keys it has no use for are dropped.
    event->accept();
    if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
    } else if (event->matches(QKeySequence::Copy)) {
        copy();
    } else if (event->matches(QKeySequence::Paste)) {
        paste();
    } else if (const std::optional<HexMove> movement = movementFor(event->key())) {
        model_.move(*movement, (event->modifiers() & Qt::ShiftModifier) != 0);
        refresh();
    } else if (const char digit = typedDigit(*event); digit != 0) {
        if (model_.typeHexDigit(digit)) {
            refresh();
            notifyChange();
        }
    }
}

void CHexEditBase::copy() {
    const std::optional<std::vector<uint8_t>> block = model_.copyBlock();
    const std::optional<std::string> text = model_.copyText();
    if (!block || !text) {
        return;
    }
    auto* mime = new QMimeData;
    mime->setData(QString::fromLatin1(kBinaryDataMimeType),
                  QByteArray(reinterpret_cast<const char*>(block->data()),
                             static_cast<qsizetype>(block->size())));
    mime->setText(QString::fromLatin1(text->data(), static_cast<qsizetype>(text->size())));
    QGuiApplication::clipboard()->setMimeData(mime);
}

void CHexEditBase::paste() {
    if (model_.readOnly() || model_.length() == 0) {
        return;
    }
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    const QString format = QString::fromLatin1(kBinaryDataMimeType);
    if (mime == nullptr || !mime->hasFormat(format)) {
        return;
    }
    const QByteArray block = mime->data(format);
    const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(block.constData()),
                                         static_cast<std::size_t>(block.size()));
    if (model_.paste(bytes) != 0) {
        refresh();
        notifyChange();
    }
}

void CHexEditBase::notifyChange() {
    emit editChanged(controlId_);
}

void CHexEditBase::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    setFocus(Qt::MouseFocusReason);
    const QPoint point = event->position().toPoint();
    const int dragSize = QApplication::startDragDistance();
    model_.press(point.x(), point.y(), dragSize, dragSize);
    refresh();
}

void CHexEditBase::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton)) {
        return;
    }
    const QPoint point = event->position().toPoint();
    if (model_.dragTo(point.x(), point.y())) {
        updateAutoScrollTimer();
        refresh();
    }
}

void CHexEditBase::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    model_.release();
    updateAutoScrollTimer();
    redraw();
}

void CHexEditBase::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    setFocus(Qt::MouseFocusReason);
    const QPoint point = event->position().toPoint();
    model_.doubleClick(point.x(), point.y());
    refresh();
}

void CHexEditBase::updateAutoScrollTimer() {
    if (model_.autoScrolling() && !autoScrollTimer_.isActive()) {
        autoScrollTimer_.start();
    } else if (!model_.autoScrolling()) {
        autoScrollTimer_.stop();
    }
}

void CHexEditBase::onAutoScrollTick() {
    if (model_.autoScrollTick()) {
        refresh();
    }
    updateAutoScrollTimer();
}

void CHexEditBase::wheelEvent(QWheelEvent* event) {
    event->accept();
    wheelRemainder_ += event->angleDelta().y();
    const int notches = wheelRemainder_ / kWheelNotch;
    wheelRemainder_ -= notches * kWheelNotch;
    // Turning the wheel away from the user scrolls up.
    if (notches != 0 && model_.scrollRows(-notches)) {
        refresh();
    }
}

void CHexEditBase::contextMenuEvent(QContextMenuEvent* event) {
    // The editor has no context menu, and neither does its page on its behalf.
    event->accept();
}

void CHexEditBase::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        redraw(); // the selection colours come from the palette
    }
}

void CHexEditBase::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    redraw();
}

void CHexEditBase::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    // The selection stays, in its unfocused colours; the caret goes.
    redraw();
}

} // namespace zephlin
