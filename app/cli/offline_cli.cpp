#include "cli/offline_cli.h"

#include "cli/cli_choices.h"
#include "cli/option_assignments.h"
#include "cli/writer_setup.h"
#include "production/core/project_export_command.h"
#include "production/core/read_info_command.h"
#include "shell/core/ui_texts.h"

#include "support/utf8.h"

#include <cstdio>
#include <iostream>

namespace zephlin::cli {
namespace {

constexpr uint32_t kSerialBytes = 16; // the serial field at the end of its area

void takeMaxCounter(ZephlinContext& record, const Arguments& arguments) {
    const auto text = arguments.value("--max-counter");
    if (!text) {
        return;
    }
    const auto value = parseNumber(*text);
    if (!value || *value > 0xFFFF) {
        throw UsageError{"--max-counter takes 0 to 65535, not " + *text};
    }
    record.maxCounter = static_cast<uint16_t>(*value);
}

void takeSerialScheme(Workspace& workspace, const Arguments& arguments) {
    ZephlinContext& record = workspace.record();
    const auto serial = arguments.value("--serial");
    if (!serial) {
        for (const char* option : {"--number", "--address", "--increment", "--area"}) {
            if (arguments.has(option)) {
                throw UsageError{std::string(option) + " needs --serial TEXT"};
            }
        }
        return;
    }
    if (serial->size() > ZEPHLIN_SERIAL_STRING_BYTES) {
        throw UsageError{"--serial takes at most 12 characters"};
    }
    std::fill_n(record.serialString, ZEPHLIN_SERIAL_STRING_BYTES, 0xFF);
    std::copy(serial->begin(), serial->end(), record.serialString);

    const ZephlinBodyInfo& part = workspace.part();
    const std::string area = arguments.value("--area").value_or("main");
    if (area != "main" && area != "second") {
        throw UsageError{"--area takes main or second, not " + area};
    }
    const bool second = area == "second";
    if (second && part.secondAreaSize == 0) {
        throw UsageError{"part " + utf8::fromWide(part.partName) + " has no second area"};
    }
    const uint32_t areaSize = second ? part.secondAreaSize : part.mainAreaSize;
    const uint32_t limit = areaSize >= kSerialBytes ? areaSize - kSerialBytes : 0;
    uint32_t address = limit;
    if (const auto text = arguments.value("--address")) {
        const auto value = parseHex(*text);
        if (!value || *value > limit) {
            throw UsageError{"--address takes a hexadecimal address up to " +
                             std::to_string(limit) + ", not " + *text};
        }
        address = *value;
    }
    uint32_t number = 0;
    if (const auto text = arguments.value("--number")) {
        const auto value = parseHex(*text);
        if (!value) {
            throw UsageError{"--number takes a hexadecimal number of 8 digits at most, not " +
                             *text};
        }
        number = *value;
    }
    record.serialAddress = address;
    record.serialNumber = number;
    record.offlineFlags =
        static_cast<uint8_t>(ZEPHLIN_OFFLINE_SERIAL_ENABLED |
                             (arguments.has("--increment") ? ZEPHLIN_OFFLINE_AUTO_INCREMENT : 0) |
                             (second ? ZEPHLIN_OFFLINE_AREA_SECOND : 0));
}

std::string serialText(const uint8_t (&bytes)[ZEPHLIN_SERIAL_STRING_BYTES]) {
    std::string text;
    for (const uint8_t byte : bytes) {
        if (byte >= 0x20 && byte < 0x7F) {
            text += static_cast<char>(byte);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            text += escaped;
        }
    }
    return text;
}

void printInfo(const ZephlinContext& info, const PartCatalogue& catalogue, Language language) {
    const bool known = catalogue.contains(info.chipIndex);
    const ZephlinBodyInfo* part = known ? &catalogue.part(info.chipIndex) : nullptr;
    const bool inSecond =
        (info.offlineFlags & ZEPHLIN_OFFLINE_AREA_MASK) == ZEPHLIN_OFFLINE_AREA_SECOND;
    TextPair area{L"Flash", L"Flash"};
    if (inSecond && part != nullptr) {
        area = secondTabText(part->chipType);
    }
    std::printf("   PartNo : %s\n", part != nullptr ? utf8::fromWide(part->partName).c_str() : "?");
    std::printf("   code start : 0x%08X\n   code size : %u\n   code checksum : %04X\n",
                info.codeStart, info.codeSize, info.codeChecksum);
    std::printf("   serial number : %s in %s\n",
                (info.offlineFlags & ZEPHLIN_OFFLINE_SERIAL_ENABLED) != 0 ? "enabled" : "disabled",
                utf8::fromWide(area.pick(language)).c_str());
    std::printf("   auto increment : %d\n",
                (info.offlineFlags & ZEPHLIN_OFFLINE_AUTO_INCREMENT) != 0);
    std::printf("   address : 0x%08X\n   string : %s\n   number : 0x%08X\n", info.serialAddress,
                serialText(info.serialString).c_str(), info.serialNumber);
    std::printf("   current number : 0x%08X\n   max counter : %u\n   current counter : %u\n",
                info.currentNumber, info.maxCounter, info.currentCounter);
    std::fflush(stdout);
    if (part != nullptr) {
        printSettings(std::cout, *part, info);
        std::cout.flush();
    }
}

} // namespace

int runOfflineLoad(Workspace& workspace, const Arguments& arguments) {
    requireShape(arguments,
                 {"--data", "--at", "--fill", "--set", "--steps", "--max-counter", "--serial",
                  "--number", "--address", "--increment", "--area"},
                 1, 1);
    if (!prepareImages(workspace, arguments, arguments.operands[0])) {
        return exitStatus(workspace);
    }
    takeMaxCounter(workspace.record(), arguments);
    takeSerialScheme(workspace, arguments);
    WriterSetup writer(arguments);
    workspace.run(*makeOffLineMode(workspace));
    return writer.finish(exitStatus(workspace));
}

int runOfflineInfo(Workspace& workspace, const Arguments& arguments) {
    requireShape(arguments, {}, 0, 0);
    selectChosenPart(workspace, arguments);
    WriterSetup writer(arguments);
    ReadInfoCommand read(workspace);
    if (workspace.run(read) == ZEPHLIN_RESULT_PASS) {
        printInfo(read.scratch(), workspace.catalogue(), workspace.language());
    }
    return writer.finish(exitStatus(workspace));
}

int runSimProduce(Workspace& /*workspace*/, const Arguments& arguments) {
    requireShape(arguments, {}, 1, 1);
    const auto count = parseNumber(arguments.operands[0]);
    if (!count) {
        throw UsageError{"sim-produce takes a number of chips, not " + arguments.operands[0]};
    }
    if (arguments.value("--writer") != "sim") {
        throw UsageError{"sim-produce needs --writer sim"};
    }
    WriterSetup writer(arguments);
    const int32_t produced = ZephlinSimulatorProduce(*count);
    std::printf("produced %d chip%s off-line\n", produced, produced == 1 ? "" : "s");
    return writer.finish(0);
}

} // namespace zephlin::cli
