// Which buttons a part change, a dump and a page choice enable.
#include "shell/core/button_rules.h"
#include "shell/core/control_ids.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace zephlin {
namespace {

std::optional<bool> enabled(const std::vector<ButtonState>& states, int id) {
    const auto found = std::find_if(states.begin(), states.end(),
                                    [id](const ButtonState& state) { return state.id == id; });
    return found != states.end() ? std::optional(found->enabled) : std::nullopt;
}

ZephlinBodyInfo partOfType(uint32_t chipType) {
    ZephlinBodyInfo part{};
    part.chipType = chipType;
    return part;
}

TEST(ButtonRulesTest, APartChangeTurnsOffWhatNeedsABuffer) {
    const auto states = buttonsAfterPartChange(partOfType(4));
    for (const int id :
         {ids::kSaveBuffer, ids::kSaveKdx, ids::kProgram, ids::kVerify, ids::kAuto}) {
        EXPECT_EQ(enabled(states, id), false) << id;
    }
    EXPECT_EQ(enabled(states, ids::kInsertIspCode), true);
    EXPECT_EQ(enabled(buttonsAfterPartChange(partOfType(27)), ids::kInsertIspCode), false);
}

TEST(ButtonRulesTest, ADumpTurnsOnTheBufferButtonsAndSaveKdxWhereTheTypeAllowsIt) {
    const auto states = buttonsAfterDump(partOfType(4));
    for (const int id :
         {ids::kSaveBuffer, ids::kSaveKdx, ids::kProgram, ids::kVerify, ids::kAuto}) {
        EXPECT_EQ(enabled(states, id), true) << id;
    }
    EXPECT_EQ(enabled(buttonsAfterDump(partOfType(17)), ids::kSaveKdx), false);
    EXPECT_EQ(enabled(buttonsAfterDump(partOfType(18)), ids::kSaveKdx), false);
    EXPECT_FALSE(enabled(states, ids::kInsertIspCode).has_value());
}

TEST(ButtonRulesTest, ProgramAndVerifyFollowThePagesBuffer) {
    EXPECT_EQ(enabled(buttonsForPage(0), ids::kProgram), false);
    EXPECT_EQ(enabled(buttonsForPage(0), ids::kVerify), false);
    EXPECT_EQ(enabled(buttonsForPage(1), ids::kProgram), true);
    EXPECT_EQ(enabled(buttonsForPage(1), ids::kVerify), true);
}

} // namespace
} // namespace zephlin
