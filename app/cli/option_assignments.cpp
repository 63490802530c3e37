#include "cli/option_assignments.h"

#include "cli/cli_arguments.h"
#include "cli/writer_setup.h"
#include "common/hex_text.h"
#include "shell/core/option_choices.h"

#include "support/utf8.h"

#include <algorithm>
#include <cwctype>

namespace zephlin::cli {
namespace {

constexpr int kSelectCells = OptionPanelModel::kSelectCells;
constexpr int kNumericCells = OptionPanelModel::kNumericCells;
constexpr int kCheckCells = OptionPanelModel::kCheckCells;
constexpr int kFirstNumericSlot = 6;

std::wstring_view textOf(const wchar_t* text) {
    return text != nullptr ? std::wstring_view(text) : std::wstring_view{};
}

bool used(const wchar_t* name) {
    return !textOf(name).empty() && textOf(name) != kUnusedCellName;
}

bool sameIgnoringCase(std::wstring_view a, std::wstring_view b) {
    return std::ranges::equal(a, b, [](wchar_t x, wchar_t y) {
        return std::towlower(static_cast<wint_t>(x)) == std::towlower(static_cast<wint_t>(y));
    });
}

AreaSizes sizesOf(const ZephlinBodyInfo& part) {
    return {part.mainAreaSize, part.secondAreaSize};
}

std::string narrow(std::wstring_view text) {
    return utf8::fromWide(text);
}

// The name of the check cell that enables a select cell.
std::string gateOf(const ZephlinBodyInfo& part, int selectCell) {
    for (const ZephlinCheckCell& check : part.checkCells) {
        if (used(check.name) && check.attribute == static_cast<uint32_t>(selectCell + 1)) {
            return narrow(textOf(check.name));
        }
    }
    return "its check box";
}

void applyOne(OptionPanelModel& panel, const ZephlinBodyInfo& part, const std::string& assignment) {
    const std::size_t equals = assignment.find('=');
    if (equals == std::string::npos) {
        throw UsageError{"--set takes NAME=VALUE, not " + assignment};
    }
    const std::wstring name = utf8::toWide(assignment.substr(0, equals));
    const std::string value = assignment.substr(equals + 1);
    const std::wstring wideValue = utf8::toWide(value);

    for (int cell = 0; cell < kSelectCells; ++cell) {
        if (!used(part.selectCells[cell].name) ||
            !sameIgnoringCase(part.selectCells[cell].name, name)) {
            continue;
        }
        const SelectCellState& state = panel.select(cell);
        if (!state.listEnabled) {
            throw UsageError{"option " + narrow(name) + " needs " + gateOf(part, cell) +
                             "=1 first"};
        }
        const auto byText = std::ranges::find_if(state.entries, [&](const std::wstring& entry) {
            return sameIgnoringCase(entry, wideValue);
        });
        int entry = -1;
        if (byText != state.entries.end()) {
            entry = static_cast<int>(byText - state.entries.begin());
        } else if (const auto index = parseNumber(value); index && *index < state.entries.size()) {
            entry = static_cast<int>(*index);
        } else {
            throw UsageError{"option " + narrow(name) + " has no choice " + value};
        }
        panel.userSelects(cell, entry);
        return;
    }
    for (int cell = 0; cell < kNumericCells; ++cell) {
        const ZephlinSelectCell& description = part.selectCells[kFirstNumericSlot + cell];
        if (!used(description.name) || !sameIgnoringCase(description.name, name)) {
            continue;
        }
        const int digits = numericDigitCount(numericMask(description));
        const auto number = parseHex(value);
        const std::string digitsOnly =
            value.starts_with("0x") || value.starts_with("0X") ? value.substr(2) : value;
        if (!number || static_cast<int>(digitsOnly.size()) > std::max(digits, 1)) {
            throw UsageError{"option " + narrow(name) + " takes at most " + std::to_string(digits) +
                             " hexadecimal digits, not " + value};
        }
        panel.userEditsNumeric(cell, utf8::toWide(digitsOnly));
        return;
    }
    for (int cell = 0; cell < kCheckCells; ++cell) {
        if (!used(part.checkCells[cell].name) ||
            !sameIgnoringCase(part.checkCells[cell].name, name)) {
            continue;
        }
        if (value != "0" && value != "1") {
            throw UsageError{"option " + narrow(name) + " takes 0 or 1, not " + value};
        }
        panel.userClicks(cell, value == "1");
        return;
    }
    throw UsageError{"part " + narrow(textOf(part.partName)) + " has no option " + narrow(name) +
                     " (see zephlin options)"};
}

} // namespace

void applyAssignments(OptionPanelModel& panel, const ZephlinBodyInfo& part,
                      const std::vector<std::string>& assignments,
                      const std::function<void()>& settle) {
    for (const std::string& assignment : assignments) {
        applyOne(panel, part, assignment);
        settle();
    }
}

void printSettings(std::ostream& out, const ZephlinBodyInfo& part, const ZephlinContext& record) {
    for (int cell = 0; cell < kSelectCells; ++cell) {
        if (used(part.selectCells[cell].name)) {
            out << "   " << narrow(textOf(part.selectCells[cell].name)) << " : "
                << narrow(choiceText(part.selectCells[cell], record.selectSettings[cell],
                                     sizesOf(part)))
                << '\n';
        }
    }
    for (int cell = 0; cell < kNumericCells; ++cell) {
        const ZephlinSelectCell& description = part.selectCells[kFirstNumericSlot + cell];
        if (used(description.name)) {
            out << "   " << narrow(textOf(description.name)) << " : "
                << narrow(numericText(record.selectSettings[kFirstNumericSlot + cell],
                                      numericMask(description)))
                << '\n';
        }
    }
    for (int cell = 0; cell < kCheckCells; ++cell) {
        if (used(part.checkCells[cell].name)) {
            out << "   " << narrow(textOf(part.checkCells[cell].name)) << " : "
                << record.checkSettings[cell] << '\n';
        }
    }
}

void printOptionCells(std::ostream& out, const ZephlinBodyInfo& part) {
    for (int cell = 0; cell < kSelectCells; ++cell) {
        const ZephlinSelectCell& description = part.selectCells[cell];
        if (!used(description.name)) {
            continue;
        }
        out << "select  " << narrow(textOf(description.name)) << '\n';
        const std::vector<std::wstring> entries = choiceEntries(description, sizesOf(part));
        for (std::size_t i = 0; i < entries.size(); ++i) {
            out << (i == description.defaultValue ? "      * " : "        ") << i << "  "
                << narrow(entries[i]) << '\n';
        }
    }
    for (int cell = 0; cell < kNumericCells; ++cell) {
        const ZephlinSelectCell& description = part.selectCells[kFirstNumericSlot + cell];
        if (used(description.name)) {
            const uint32_t mask = numericMask(description);
            out << "number  " << narrow(textOf(description.name)) << "  hexadecimal, "
                << numericDigitCount(mask) << " digits, default "
                << narrow(numericText(description.defaultValue, mask)) << '\n';
        }
    }
    for (int cell = 0; cell < kCheckCells; ++cell) {
        const ZephlinCheckCell& description = part.checkCells[cell];
        if (used(description.name)) {
            out << "check   " << narrow(textOf(description.name)) << "  0 or 1, default "
                << description.defaultValue << "  "
                << narrow(packedTextPair(description.description).english) << '\n';
        }
    }
}

} // namespace zephlin::cli
