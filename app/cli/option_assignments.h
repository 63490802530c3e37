// Option cells by name on the command line: --set NAME=VALUE assignments
// applied through the option panel's logic, and the option settings of a
// record as text.
#pragma once

#include "shell/core/option_panel_model.h"

#include "Zephlin_DLL.h"

#include <ostream>
#include <string>
#include <vector>

namespace zephlin::cli {

// Applies the assignments in order, as a user setting the panel's controls:
// a select cell takes its choice text (any case) or its entry index, a check
// cell 0 or 1, a numeric cell a hexadecimal value of at most its digits.
// Throws UsageError naming the first unknown cell or refused value; the
// panel is left as the assignments before it made it.
void applyAssignments(OptionPanelModel& panel, const ZephlinBodyInfo& part,
                      const std::vector<std::string>& assignments,
                      const std::function<void()>& settle);

// One line per used option cell of the part: "   NAME : value" with the
// choice text, the hexadecimal value or 0/1 of the record's settings.
void printSettings(std::ostream& out, const ZephlinBodyInfo& part, const ZephlinContext& record);

// The part's option cells with their choices and defaults (command options).
void printOptionCells(std::ostream& out, const ZephlinBodyInfo& part);

} // namespace zephlin::cli
