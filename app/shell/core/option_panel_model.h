// The option panel's logic without widgets: the Set and Now controls of the
// selected part's option cells as state, kept in step with the option
// settings of the main record. The widgets show this state and forward the
// user's actions; tests drive it directly.
#pragma once

#include "common/text_pair.h"
#include "shell/core/option_choices.h"

#include "Zephlin_DLL.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zephlin {

// A change notification of an option control: a selection change of list
// 1030 + cell, a text change of edit 1906 + cell, a click of box 1060 + cell.
enum class OptionEvent { SelectionChange, TextChange, Click };
struct OptionNotification {
    OptionEvent event;
    int cell;

    bool operator==(const OptionNotification&) const = default;
};

// Where the panel posts notifications to itself: they must be handled after
// the operation that posted them has returned, one after another in posting
// order (the window queues them on its event loop).
class NotificationQueue {
public:
    virtual ~NotificationQueue() = default;
    virtual void post(const OptionNotification& notification) = 0;
    // Handles what is queued now, where no event loop will (the console's
    // queue); an event loop's queue delivers on its own and does nothing here.
    virtual void deliverPending() {}
};

enum class DisplayMode { Set, Now };

// Select cell i (0 to 5): group box 1042+i, list 1030+i, Now edit 1036+i.
struct SelectCellState {
    bool enabled = false;     // group box and its "Set" and "Now" labels
    bool listEnabled = false; // list 1030+i; a check cell's attribute gates it
    std::wstring groupText;
    std::vector<std::wstring> entries;
    int selected = -1; // -1: no selection
    std::wstring nowText;
};

// Numeric cell j (0 and 1): group box 1900+j, Set edit 1906+j, Now edit 1908+j.
struct NumericCellState {
    bool enabled = false;
    std::wstring groupText;
    std::wstring setText;
    int maxLength = 0; // characters the Set edit accepts; 0 = no limit
    std::wstring nowText;
};

// Check cell n (0 to 13): Set box 1060+n, Now box 1074+n, label 1088+n.
struct CheckCellState {
    bool enabled = false;
    bool ticked = false;
    std::wstring label;
    TextPair tooltip; // the cell's description; empty for an unused cell
    bool nowTicked = false;
};

class OptionPanelModel {
public:
    static constexpr int kSelectCells = 6;
    static constexpr int kNumericCells = 2;
    static constexpr int kCheckCells = 14;

    // The record is the main record whose option settings the panel keeps.
    OptionPanelModel(ZephlinContext& record, NotificationQueue& queue);

    // Called after every change of the state, so that a view can show it.
    void setObserver(std::function<void()> observer) { observer_ = std::move(observer); }

    // Rebuilds every cell from a part's body-info record. The part's record
    // must outlive the panel's use of it (the library owns it).
    void rebuild(const ZephlinBodyInfo& part);

    // The change handling of a notification, posted or the user's.
    void handle(const OptionNotification& notification);

    // The user's actions, each handled at once.
    void userSelects(int cell, int entry);
    void userEditsNumeric(int cell, std::wstring_view text);
    void userClicks(int cell, bool ticked);

    // Shows a record's option settings in the Set controls (posting their
    // notifications) or in the Now controls.
    void display(const ZephlinContext& source, DisplayMode mode);
    // Empties the Now controls (done by the part change).
    void clearNow();

    const SelectCellState& select(int cell) const { return selects_.at(cell); }
    const NumericCellState& numeric(int cell) const { return numerics_.at(cell); }
    const CheckCellState& check(int cell) const { return checks_.at(cell); }

private:
    bool hasPart() const { return part_ != nullptr; }
    AreaSizes sizes() const;
    bool selectUsed(int cell) const;
    bool numericUsed(int cell) const;
    bool checkUsed(int cell) const;
    void rebuildSelect(int cell);
    void rebuildNumeric(int cell);
    void rebuildCheck(int cell);
    void onClick(int cell);
    void onSelectionChange(int cell);
    void onTextChange();
    void followIspSize(int ispCell);
    void applyGate(int checkCell);
    void changed();

    ZephlinContext& record_;
    NotificationQueue& queue_;
    const ZephlinBodyInfo* part_ = nullptr;
    std::array<SelectCellState, kSelectCells> selects_;
    std::array<NumericCellState, kNumericCells> numerics_;
    std::array<CheckCellState, kCheckCells> checks_;
    std::function<void()> observer_;
};

} // namespace zephlin
