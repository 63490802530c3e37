#include "command_support.h"

#include "code_file_load.h"
#include "option_settings.h"
#include "writer_setup.h"

#include "support/utf8.h"

#include <algorithm>
#include <array>
#include <cwchar>

namespace zephlin::cli {

CommandFailure damagedFileFailure(const std::string& file, const hex::DamagedRecord& damaged) {
    return {kExitDamagedFile, file + ", line " + std::to_string(damaged.line) + ": " +
                                  std::string(hex::damageText(damaged.damage)) +
                                  "; the file is refused"};
}

std::optional<int32_t> chosenPart(const Session& session, const Arguments& arguments) {
    const auto text = arguments.value("--part");
    if (!text) {
        return std::nullopt;
    }
    const PartCatalogue& catalogue = session.catalogue();
    if (const auto index = parseNumber(*text);
        index && catalogue.contains(static_cast<int32_t>(*index))) {
        return static_cast<int32_t>(*index);
    }
    if (const auto index = catalogue.indexOfPartName(utf8::toWide(*text))) {
        return *index;
    }
    throw UsageError{"unknown part " + *text + " (see zephlin parts)"};
}

void selectChosenPart(Session& session, const Arguments& arguments) {
    const auto index = chosenPart(session, arguments);
    if (!index) {
        throw UsageError{arguments.command + " needs --part NAME|INDEX (see zephlin parts)"};
    }
    session.selectPart(*index);
}

Areas chosenAreas(const Session& session, const Arguments& arguments) {
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
    if (areas.second && session.part().secondAreaSize == 0) {
        throw UsageError{"part " + utf8::fromWide(session.part().partName) + " has no second area"};
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

bool loadImages(Session& session, const Arguments& arguments, const std::string& file) {
    const bool project = codeFileKind(upperExtension(utf8::toWide(file))) == CodeFileKind::Project;
    const auto requested = chosenPart(session, arguments);
    if (project) {
        if (arguments.has("--at") || arguments.has("--fill")) {
            throw UsageError{"--at and --fill do not apply to a project file"};
        }
        // The project's part replaces whatever was chosen before it.
        session.selectPart(requested.value_or(0));
    } else {
        selectChosenPart(session, arguments);
    }
    const Placement placement = chosenPlacement(arguments);
    if (loadFile(session, file, kMainPage, placement) != ZEPHLIN_RESULT_PASS) {
        return false;
    }
    if (project && requested && *requested != session.record().chipIndex) {
        throw UsageError{file + " is a project for part " +
                         utf8::fromWide(session.part().partName) + ", not the part --part names"};
    }
    if (const auto data = arguments.value("--data")) {
        if (session.part().secondAreaSize == 0) {
            throw UsageError{"part " + utf8::fromWide(session.part().partName) +
                             " has no second area for --data"};
        }
        if (codeFileKind(upperExtension(utf8::toWide(*data))) == CodeFileKind::Project) {
            throw UsageError{"--data takes a code file, not a project"};
        }
        if (loadFile(session, *data, kSecondPage, placement) != ZEPHLIN_RESULT_PASS) {
            return false;
        }
    }
    const CodeBuffer& buffer = session.buffer();
    if (buffer.length(kMainPage) == 0 && buffer.length(kSecondPage) == 0) {
        throw CommandFailure{kExitNoData, file + " holds no data"};
    }
    return true;
}

bool prepareImages(Session& session, const Arguments& arguments, const std::string& file) {
    const auto steps = chosenSteps(arguments);
    if (!loadImages(session, arguments, file)) {
        return false;
    }
    applySetOptions(session, arguments);
    if (steps) {
        session.record().stepFlags = *steps;
    }
    return true;
}

void copyText(wchar_t* field, std::size_t capacity, std::wstring_view text) {
    const std::size_t length = std::min(text.size(), capacity - 1);
    std::wmemcpy(field, text.data(), length);
    field[length] = L'\0';
}

void applySetOptions(Session& session, const Arguments& arguments) {
    applyAssignments(session.panel(), session.part(), arguments.values("--set"),
                     [&] { session.settlePanel(); });
}

} // namespace zephlin::cli
