#include "shell/core/button_rules.h"

#include "shell/core/control_ids.h"
#include "shell/core/part_catalogue.h"

namespace zephlin {

std::vector<ButtonState> buttonsAfterPartChange(const ZephlinBodyInfo& part) {
    return {{ids::kSaveBuffer, false}, {ids::kSaveKdx, false},
            {ids::kProgram, false},    {ids::kVerify, false},
            {ids::kAuto, false},       {ids::kInsertIspCode, takesIspCode(part.chipType)}};
}

std::vector<ButtonState> buttonsAfterDump(const ZephlinBodyInfo& part) {
    return {{ids::kSaveBuffer, true},
            {ids::kSaveKdx, savesProjects(part.chipType)},
            {ids::kProgram, true},
            {ids::kVerify, true},
            {ids::kAuto, true}};
}

std::vector<ButtonState> buttonsForPage(std::size_t bufferLength) {
    return {{ids::kProgram, bufferLength != 0}, {ids::kVerify, bufferLength != 0}};
}

} // namespace zephlin
