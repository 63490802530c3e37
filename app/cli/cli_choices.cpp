#include "cli/cli_choices.h"

#include "buffer/core/code_file_load.h"
#include "cli/option_assignments.h"
#include "cli/writer_setup.h"

#include "support/utf8.h"

#include <algorithm>
#include <array>

namespace zephlin::cli {

CommandFailure damagedFileFailure(const std::string& file, const hex::DamagedRecord& damaged) {
    return {kExitDamagedFile, file + ", line " + std::to_string(damaged.line) + ": " +
                                  std::string(hex::damageText(damaged.damage)) +
                                  "; the file is refused"};
}

int exitStatus(const Workspace& workspace) {
    const uint16_t failure = workspace.firstFailure();
    if (failure == 0) {
        return 0;
    }
    // Codes below 101 are never final results; they still must not read as success.
    return failure > ZEPHLIN_RESULT_PASS ? failure - 100 : 1;
}

namespace {

// Load File, with a HEX file that has a damaged record refused after its
// entry ("Checksum error") by a CommandFailure that names the line.
uint16_t loadCheckedFile(Workspace& workspace, const std::string& path, int page,
                         Placement placement) {
    const LoadFileResult loaded = loadFile(workspace, path, page, placement);
    if (loaded.damaged) {
        throw damagedFileFailure(path, *loaded.damaged);
    }
    return loaded.result;
}

} // namespace

std::optional<int32_t> chosenPart(const Workspace& workspace, const Arguments& arguments) {
    const auto text = arguments.value("--part");
    if (!text) {
        return std::nullopt;
    }
    const PartCatalogue& catalogue = workspace.catalogue();
    if (const auto index = parseNumber(*text);
        index && catalogue.contains(static_cast<int32_t>(*index))) {
        return static_cast<int32_t>(*index);
    }
    if (const auto index = catalogue.indexOfPartName(utf8::toWide(*text))) {
        return *index;
    }
    throw UsageError{"unknown part " + *text + " (see zephlin parts)"};
}

void selectChosenPart(Workspace& workspace, const Arguments& arguments) {
    const auto index = chosenPart(workspace, arguments);
    if (!index) {
        throw UsageError{arguments.command + " needs --part NAME|INDEX (see zephlin parts)"};
    }
    workspace.selectPart(*index);
}

Areas chosenAreas(const Workspace& workspace, const Arguments& arguments) {
    const std::string area = arguments.value("--area").value_or("main");
    Areas areas;
    if (area == "main") {
        areas = {true, false};
    } else if (area == "second") {
        areas = {false, true};
    } else if (area == "both") {
        areas = {true, true};
    } else {
        throw UsageError{"--area takes main, second or both, not " + area};
    }
    if (areas.second && workspace.part().secondAreaSize == 0) {
        throw UsageError{"part " + utf8::fromWide(workspace.part().partName) +
                         " has no second area"};
    }
    return areas;
}

Placement chosenPlacement(const Arguments& arguments) {
    Placement placement;
    if (const auto at = arguments.value("--at")) {
        const auto address = parseHex(*at);
        if (!address) {
            throw UsageError{"--at takes a hexadecimal address, not " + *at};
        }
        placement.loadAddress = *address;
    }
    if (const auto fill = arguments.value("--fill")) {
        if (*fill == "00") {
            placement.fill = FillMode::Zeros;
        } else if (*fill == "FF" || *fill == "ff") {
            placement.fill = FillMode::Ones;
        } else {
            throw UsageError{"--fill takes 00 or FF, not " + *fill};
        }
    }
    return placement;
}

std::optional<uint16_t> chosenSteps(const Arguments& arguments) {
    const auto list = arguments.value("--steps");
    if (!list) {
        return std::nullopt;
    }
    struct StepName {
        std::string_view name;
        uint16_t flag;
    };
    constexpr std::array kSteps{
        StepName{"wce", ZEPHLIN_STEP_WHOLE_CHIP_ERASE},
        StepName{"erase", ZEPHLIN_STEP_ERASE},
        StepName{"blank", ZEPHLIN_STEP_BLANK_CHECK},
        StepName{"program", ZEPHLIN_STEP_PROGRAM},
        StepName{"verify", ZEPHLIN_STEP_VERIFY},
        StepName{"options", ZEPHLIN_STEP_WRITE_OPTIONS},
        StepName{"checksum", ZEPHLIN_STEP_SAVE_CHIP_CHECKSUM},
    };
    uint16_t flags = 0;
    std::size_t start = 0;
    while (start <= list->size()) {
        const std::size_t comma = std::min(list->find(',', start), list->size());
        const std::string_view word = std::string_view(*list).substr(start, comma - start);
        const auto step =
            std::ranges::find_if(kSteps, [&](const StepName& s) { return s.name == word; });
        if (step == kSteps.end()) {
            throw UsageError{
                "--steps takes wce,erase,blank,program,verify,options,checksum; not '" +
                std::string(word) + "'"};
        }
        flags |= step->flag;
        start = comma + 1;
    }
    return flags;
}

bool loadImages(Workspace& workspace, const Arguments& arguments, const std::string& file) {
    const bool project = codeFileKind(upperExtension(utf8::toWide(file))) == CodeFileKind::Project;
    const auto requested = chosenPart(workspace, arguments);
    if (project) {
        if (arguments.has("--at") || arguments.has("--fill")) {
            throw UsageError{"--at and --fill do not apply to a project file"};
        }
        // The project's part replaces whatever was chosen before it.
        workspace.selectPart(requested.value_or(0));
    } else {
        selectChosenPart(workspace, arguments);
    }
    const Placement placement = chosenPlacement(arguments);
    if (loadCheckedFile(workspace, file, kMainPage, placement) != ZEPHLIN_RESULT_PASS) {
        return false;
    }
    if (project && requested && *requested != workspace.record().chipIndex) {
        throw UsageError{file + " is a project for part " +
                         utf8::fromWide(workspace.part().partName) + ", not the part --part names"};
    }
    if (const auto data = arguments.value("--data")) {
        if (workspace.part().secondAreaSize == 0) {
            throw UsageError{"part " + utf8::fromWide(workspace.part().partName) +
                             " has no second area for --data"};
        }
        if (codeFileKind(upperExtension(utf8::toWide(*data))) == CodeFileKind::Project) {
            throw UsageError{"--data takes a code file, not a project"};
        }
        if (loadCheckedFile(workspace, *data, kSecondPage, placement) != ZEPHLIN_RESULT_PASS) {
            return false;
        }
    }
    const CodeBuffer& buffer = workspace.buffer();
    if (buffer.length(kMainPage) == 0 && buffer.length(kSecondPage) == 0) {
        throw CommandFailure{kExitNoData, file + " holds no data"};
    }
    return true;
}

bool prepareImages(Workspace& workspace, const Arguments& arguments, const std::string& file) {
    const auto steps = chosenSteps(arguments);
    if (!loadImages(workspace, arguments, file)) {
        return false;
    }
    applySetOptions(workspace, arguments);
    if (steps) {
        workspace.record().stepFlags = *steps;
    }
    return true;
}

void applySetOptions(Workspace& workspace, const Arguments& arguments) {
    applyAssignments(workspace.panel(), workspace.part(), arguments.values("--set"),
                     [&] { workspace.settlePanel(); });
}

} // namespace zephlin::cli
