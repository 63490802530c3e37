#include "shell/core/option_panel_model.h"

#include "common/hex_text.h"

#include <algorithm>

namespace zephlin {
namespace {

std::wstring_view textOf(const wchar_t* text) {
    return text != nullptr ? std::wstring_view(text) : std::wstring_view{};
}

constexpr int kFirstNumericSlot = 6;

} // namespace

OptionPanelModel::OptionPanelModel(ZephlinContext& record, NotificationQueue& queue)
    : record_(record), queue_(queue) {}

AreaSizes OptionPanelModel::sizes() const {
    return {part_->mainAreaSize, part_->secondAreaSize};
}

bool OptionPanelModel::selectUsed(int cell) const {
    return textOf(part_->selectCells[cell].name) != kUnusedCellName;
}

bool OptionPanelModel::numericUsed(int cell) const {
    return textOf(part_->selectCells[kFirstNumericSlot + cell].name) != kUnusedCellName;
}

bool OptionPanelModel::checkUsed(int cell) const {
    return textOf(part_->checkCells[cell].name) != kUnusedCellName;
}

void OptionPanelModel::changed() {
    if (observer_) {
        observer_();
    }
}

void OptionPanelModel::rebuild(const ZephlinBodyInfo& part) {
    part_ = &part;
    for (int cell = 0; cell < kSelectCells; ++cell) {
        rebuildSelect(cell);
    }
    // The numeric settings start from 0 like the others, so a part without
    // numeric cells never carries the previous part's values.
    record_.selectSettings[kFirstNumericSlot] = 0;
    record_.selectSettings[kFirstNumericSlot + 1] = 0;
    for (int cell = 0; cell < kNumericCells; ++cell) {
        rebuildNumeric(cell);
    }
    for (uint32_t& setting : record_.checkSettings) {
        setting = 0;
    }
    for (int cell = 0; cell < kCheckCells; ++cell) {
        rebuildCheck(cell);
    }
    changed();
}

void OptionPanelModel::rebuildSelect(int cell) {
    SelectCellState& state = selects_[cell];
    record_.selectSettings[cell] = 0;
    state.entries.clear();
    state.selected = -1;
    if (!selectUsed(cell)) {
        state.enabled = false;
        state.listEnabled = false;
        state.groupText = kUnusedCellName;
        return;
    }
    const ZephlinSelectCell& description = part_->selectCells[cell];
    state.enabled = true;
    state.listEnabled = true;
    state.groupText = textOf(description.name);
    state.entries = choiceEntries(description, sizes());
    state.selected = description.defaultValue < state.entries.size()
                         ? static_cast<int>(description.defaultValue)
                         : -1;
    queue_.post({OptionEvent::SelectionChange, cell});
}

void OptionPanelModel::rebuildNumeric(int cell) {
    NumericCellState& state = numerics_[cell];
    if (!numericUsed(cell)) {
        state.enabled = false;
        state.groupText = kUnusedCellName;
        state.setText.clear();
        return;
    }
    const ZephlinSelectCell& description = part_->selectCells[kFirstNumericSlot + cell];
    state.enabled = true;
    state.groupText = textOf(description.name);
    state.maxLength = numericDigitCount(numericMask(description));
    state.setText = numericText(description.defaultValue, numericMask(description));
    queue_.post({OptionEvent::TextChange, cell});
}

void OptionPanelModel::rebuildCheck(int cell) {
    CheckCellState& state = checks_[cell];
    state.ticked = false;
    if (!checkUsed(cell)) {
        state.enabled = false;
        state.label.clear();
        state.tooltip = {};
        return;
    }
    const ZephlinCheckCell& description = part_->checkCells[cell];
    state.enabled = true;
    state.ticked = description.defaultValue != 0;
    state.label = textOf(description.name);
    state.tooltip = packedTextPair(description.description);
    queue_.post({OptionEvent::Click, cell});
}

void OptionPanelModel::handle(const OptionNotification& notification) {
    if (!hasPart()) {
        return;
    }
    switch (notification.event) {
    case OptionEvent::Click:
        if (notification.cell >= 0 && notification.cell < kCheckCells) {
            onClick(notification.cell);
        }
        break;
    case OptionEvent::SelectionChange:
        if (notification.cell >= 0 && notification.cell < kSelectCells) {
            onSelectionChange(notification.cell);
        }
        break;
    case OptionEvent::TextChange:
        onTextChange();
        break;
    }
    changed();
}

void OptionPanelModel::applyGate(int checkCell) {
    const uint32_t gated = part_->checkCells[checkCell].attribute;
    if (gated >= 1 && gated <= static_cast<uint32_t>(kSelectCells)) {
        selects_[gated - 1].listEnabled = checks_[checkCell].ticked;
    }
}

void OptionPanelModel::onClick(int cell) {
    record_.checkSettings[cell] = checks_[cell].ticked ? 1 : 0;
    applyGate(cell);
}

void OptionPanelModel::onSelectionChange(int cell) {
    record_.selectSettings[cell] = static_cast<uint32_t>(selects_[cell].selected);
    if (selects_[cell].groupText == kIspMemory) {
        followIspSize(cell);
    }
}

// The IAP choices end where ISP plus IAP fill the main area; an IAP choice
// that still fits survives a change of the ISP size.
void OptionPanelModel::followIspSize(int ispCell) {
    int iapCell = -1;
    for (int cell = 0; cell < kSelectCells; ++cell) {
        if (textOf(part_->selectCells[cell].name) == kIapMemory) {
            iapCell = cell;
            break;
        }
    }
    if (iapCell < 0) {
        return;
    }
    SelectCellState& iap = selects_[iapCell];
    const int64_t previous = iap.selected >= 0 ? iap.selected : 0;
    const int64_t ispSize = selects_[ispCell].selected >= 0 ? selects_[ispCell].selected : 0;

    iap.entries.clear();
    iap.selected = -1;
    const SizeRule rule = sizeRuleOf(textOf(part_->selectCells[iapCell].choices.list));
    if (rule != SizeRule::Set01 && rule != SizeRule::Set02) {
        return;
    }
    const int64_t largest = static_cast<int64_t>(sizeRuleEntryCount(rule, sizes())) - 1 - ispSize;
    for (int64_t k = 0; k <= largest; ++k) {
        iap.entries.push_back(sizeRuleEntryText(rule, k, sizes()));
    }
    if (largest >= 0) {
        iap.selected = static_cast<int>(std::min(previous, largest));
    }
    queue_.post({OptionEvent::SelectionChange, iapCell});
}

void OptionPanelModel::onTextChange() {
    for (int cell = 0; cell < kNumericCells; ++cell) {
        record_.selectSettings[kFirstNumericSlot + cell] = parseHexPrefix(numerics_[cell].setText);
    }
}

void OptionPanelModel::userSelects(int cell, int entry) {
    if (!hasPart() || cell < 0 || cell >= kSelectCells) {
        return;
    }
    SelectCellState& state = selects_[cell];
    state.selected =
        entry >= 0 && static_cast<std::size_t>(entry) < state.entries.size() ? entry : -1;
    handle({OptionEvent::SelectionChange, cell});
}

void OptionPanelModel::userEditsNumeric(int cell, std::wstring_view text) {
    if (!hasPart() || cell < 0 || cell >= kNumericCells) {
        return;
    }
    NumericCellState& state = numerics_[cell];
    state.setText = toUpperAscii(text);
    if (state.maxLength > 0 && state.setText.size() > static_cast<std::size_t>(state.maxLength)) {
        state.setText.resize(static_cast<std::size_t>(state.maxLength));
    }
    handle({OptionEvent::TextChange, cell});
}

void OptionPanelModel::userClicks(int cell, bool ticked) {
    if (!hasPart() || cell < 0 || cell >= kCheckCells) {
        return;
    }
    checks_[cell].ticked = ticked;
    handle({OptionEvent::Click, cell});
}

void OptionPanelModel::display(const ZephlinContext& source, DisplayMode mode) {
    if (!hasPart()) {
        return;
    }
    for (int cell = 0; cell < kSelectCells; ++cell) {
        if (!selectUsed(cell)) {
            continue;
        }
        const uint32_t value = source.selectSettings[cell];
        SelectCellState& state = selects_[cell];
        if (mode == DisplayMode::Now) {
            state.nowText = choiceText(part_->selectCells[cell], value, sizes());
        } else {
            state.selected = value < state.entries.size() ? static_cast<int>(value) : -1;
            queue_.post({OptionEvent::SelectionChange, cell});
        }
    }
    for (int cell = 0; cell < kNumericCells; ++cell) {
        if (!numericUsed(cell)) {
            continue;
        }
        const uint32_t mask = numericMask(part_->selectCells[kFirstNumericSlot + cell]);
        std::wstring text = numericText(source.selectSettings[kFirstNumericSlot + cell], mask);
        NumericCellState& state = numerics_[cell];
        if (mode == DisplayMode::Now) {
            state.nowText = std::move(text);
        } else {
            state.setText = std::move(text);
            state.maxLength = numericDigitCount(mask);
            queue_.post({OptionEvent::TextChange, cell});
        }
    }
    for (int cell = 0; cell < kCheckCells; ++cell) {
        if (!checkUsed(cell)) {
            continue;
        }
        const bool ticked = source.checkSettings[cell] != 0;
        if (mode == DisplayMode::Now) {
            checks_[cell].nowTicked = ticked;
        } else {
            // The box shows the setting the record already holds; the list it
            // gates follows it, as after a click.
            checks_[cell].ticked = ticked;
            applyGate(cell);
        }
    }
    changed();
}

void OptionPanelModel::clearNow() {
    for (SelectCellState& state : selects_) {
        state.nowText.clear();
    }
    for (NumericCellState& state : numerics_) {
        state.nowText.clear();
    }
    for (CheckCellState& state : checks_) {
        state.nowTicked = false;
    }
    changed();
}

} // namespace zephlin
