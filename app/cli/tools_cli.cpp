#include "cli/tools_cli.h"

#include "buffer/core/code_file_io.h"
#include "buffer/core/intel_hex_converter.h"
#include "cli/cli_choices.h"
#include "cli/option_assignments.h"

#include "Zephlin_DLL.h"

#include <algorithm>
#include <cstdio>
#include <iostream>

namespace zephlin::cli {

int runOptions(Workspace& workspace, const Arguments& arguments) {
    requireShape(arguments, {}, 0, 0);
    selectChosenPart(workspace, arguments);
    printOptionCells(std::cout, workspace.part());
    return 0;
}

int runVersion(Workspace& /*workspace*/, const Arguments& arguments) {
    requireShape(arguments, {}, 0, 0);
    uint32_t version = 0;
    int32_t edition = 0;
    GetDLLInfo(&version, &edition);
    std::printf("Zephlin_DLL %u.%u.%u.%u edition %d\n", version >> 24, (version >> 16) & 0xFF,
                (version >> 8) & 0xFF, version & 0xFF, edition);
    return 0;
}

int runSimFaults(Workspace& /*workspace*/, const Arguments& arguments) {
    requireShape(arguments, {}, 0, 0);
    const ZephlinSimulatorFault* faults = nullptr;
    const int32_t count = ZephlinGetSimulatorFaults(&faults);
    for (int32_t i = 0; faults != nullptr && i < count; ++i) {
        std::string name = faults[i].name;
        if (faults[i].argument != nullptr) {
            name += std::string("=") + faults[i].argument;
        }
        std::printf("%-28s %s\n", name.c_str(), faults[i].description);
    }
    return 0;
}

int runHexToBin(Workspace& workspace, const Arguments& arguments) {
    requireShape(arguments, {}, 2, 2);
    uint64_t capacity = 0;
    if (const auto part = chosenPart(workspace, arguments)) {
        capacity = workspace.catalogue().part(*part).mainAreaSize;
    } else {
        for (int32_t i = 0; i < workspace.catalogue().count(); ++i) {
            capacity = std::max<uint64_t>(capacity, workspace.catalogue().part(i).mainAreaSize);
        }
    }
    const std::string& in = arguments.operands[0];
    const std::string& out = arguments.operands[1];
    // Text takes more than twice the bytes it describes, plus its line ends.
    const FileBytes text = readWholeFile(in, capacity * 4 + 4096);
    if (text.status == FileBytes::Status::CannotOpen) {
        throw CommandFailure{ZEPHLIN_RESULT_OPEN_FILE_ERROR - 100, "cannot open " + in};
    }
    const HexConversion converted = convertIntelHex(text.bytes, capacity);
    if (text.status == FileBytes::Status::TooLarge ||
        converted.status == HexConversionStatus::TooLarge) {
        throw CommandFailure{ZEPHLIN_RESULT_FILE_TOO_LARGE - 100,
                             in + " spans more than " + std::to_string(capacity) + " bytes"};
    }
    if (converted.status == HexConversionStatus::Damaged) {
        throw damagedFileFailure(in, *converted.damaged);
    }
    if (converted.status == HexConversionStatus::NoData) {
        throw CommandFailure{kExitNoData, in + " holds no data"};
    }
    if (!writeWholeFile(out, converted.image)) {
        throw CommandFailure{kExitCannotWrite, "cannot write " + out};
    }
    std::printf("%s: %zu bytes\n", out.c_str(), converted.image.size());
    return 0;
}

} // namespace zephlin::cli
