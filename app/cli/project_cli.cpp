#include "cli/project_cli.h"

#include "buffer/core/insert_isp_command.h"
#include "cli/cli_choices.h"
#include "cli/option_assignments.h"
#include "cli/writer_setup.h"
#include "production/core/customer_string.h"
#include "production/core/project_export_command.h"
#include "shell/core/message_table.h"

#include "common/text_field.h"

#include "support/utf8.h"

#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <iostream>

namespace zephlin::cli {
namespace {

void takeCustomerString(Workspace& workspace, const std::string& text) {
    if (workspace.part().customerDataFlag != 1) {
        throw UsageError{"part " + utf8::fromWide(workspace.part().partName) +
                         " takes no customer data"};
    }
    if (text.size() > ZEPHLIN_CUSTOMER_STRING_BYTES) {
        throw UsageError{"--customer takes at most 16 characters"};
    }
    if (!validCustomerString(text)) {
        throw UsageError{"--customer takes printable ASCII characters without spaces"};
    }
    storeCustomerString(workspace.record(), text);
}

// Chooses the ISP code for --isp; returns the page it goes to.
int chooseIspCode(Workspace& workspace, const std::string& choice) {
    if (!takesIspCode(workspace.part().chipType)) {
        throw UsageError{"part " + utf8::fromWide(workspace.part().partName) +
                         " takes no ISP code"};
    }
    if (choice == "default") {
        chooseBuiltInIsp(workspace.record());
    } else {
        chooseUserIsp(workspace.record(), utf8::toWide(std::filesystem::absolute(choice).string()));
    }
    return ispTargetPage(workspace.part().chipType);
}

std::string narrow(const wchar_t* text) {
    return utf8::fromWide(text);
}

std::string hex(uint32_t value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*X", digits, value);
    return text;
}

void printFooter(const ZephlinContext& record, const PartCatalogue& catalogue) {
    std::cout << "project version   " << hex(record.projectVersion, 4) << '\n'
              << "library version   " << hex(record.libraryVersion, 4) << '\n';
    char saved[64];
    std::snprintf(saved, sizeof saved, "20%02u-%02u-%02u %02u:%02u:%02u", record.saveTime[0],
                  record.saveTime[1], record.saveTime[2], record.saveTime[3], record.saveTime[4],
                  record.saveTime[5]);
    std::cout << "saved             " << saved << '\n';
    std::cout << "part              " << record.chipIndex;
    if (catalogue.contains(record.chipIndex)) {
        std::cout << "  " << narrow(catalogue.part(record.chipIndex).partName);
    }
    std::cout << '\n'
              << "code file name    " << narrow(record.codeFileName) << '\n'
              << "code size         " << record.codeSize << '\n'
              << "code checksum     " << hex(record.codeChecksum, 4) << '\n'
              << "data size         " << record.dataSize << '\n'
              << "data checksum     " << hex(record.dataChecksum, 4) << '\n'
              << "buffer checksum   " << hex(record.bufferChecksum, 4) << '\n'
              << "step flags        " << hex(record.stepFlags, 4) << '\n'
              << "ISP code source   " << unsigned{record.ispCodeSource} << '\n'
              << "ISP code name     " << narrow(record.ispCodeName) << '\n'
              << "customer ID       " << hex(record.customerId, 2) << '\n'
              << "customer string   ";
    for (const uint8_t byte : record.customerString) {
        if (byte == 0xFF) {
            break;
        }
        std::cout << (byte >= 0x20 && byte < 0x7F ? static_cast<char>(byte) : '?');
    }
    std::cout << '\n'
              << "random key        " << hex(record.randomKey, 8) << '\n'
              << "ATPG key          " << hex(record.atpgKey, 4) << '\n';
}

// The checks of a project load in the order the library makes them, with the
// result code that reports each failing.
struct ProjectCheck {
    const char* name;
    uint16_t failure;
};
constexpr std::array kFooterChecks{
    ProjectCheck{"file readable", ZEPHLIN_RESULT_OPEN_FILE_ERROR},
    ProjectCheck{"footer checksum", ZEPHLIN_RESULT_KDX_FILE_CHECKSUM_ERROR},
    ProjectCheck{"tool ID", ZEPHLIN_RESULT_KDX_TOOL_ID_ERROR},
    ProjectCheck{"image checksums", ZEPHLIN_RESULT_KDX_BUFFER_CHECKSUM_ERROR},
    ProjectCheck{"part known", ZEPHLIN_RESULT_KDX_PART_NOT_SUPPORTED},
    ProjectCheck{"customer ID", ZEPHLIN_RESULT_KDX_CUSTOMER_ID_ERROR},
};

void printChecks(uint16_t footerResult, uint16_t bufferResult) {
    bool failed = false;
    for (const ProjectCheck& check : kFooterChecks) {
        const char* outcome = "pass";
        if (failed) {
            outcome = "not reached";
        } else if (footerResult == check.failure) {
            outcome = "FAIL";
            failed = true;
        }
        std::printf("check %-18s%s\n", check.name, outcome);
    }
    const char* images = footerResult != ZEPHLIN_RESULT_PASS   ? "not reached"
                         : bufferResult == ZEPHLIN_RESULT_PASS ? "pass"
                                                               : "FAIL";
    std::printf("check %-18s%s\n", "images readable", images);
}

} // namespace

int runKdxSave(Workspace& workspace, const Arguments& arguments) {
    requireShape(arguments, {"--data", "--at", "--fill", "--set", "--steps", "--customer", "--isp"},
                 2, 2);
    checkWriterOptions(arguments);
    const std::string& out = arguments.operands[0];
    const std::wstring outPath = utf8::toWide(std::filesystem::absolute(out).string());
    // A project is opened again through the record's path field.
    if (outPath.size() >= ZEPHLIN_PATH_CAPACITY) {
        throw CommandFailure{kExitCannotWrite,
                             out + ": a path of more than " +
                                 std::to_string(ZEPHLIN_PATH_CAPACITY - 1) +
                                 " characters; the project could not be opened from there"};
    }
    if (!prepareImages(workspace, arguments, arguments.operands[1])) {
        return exitStatus(workspace);
    }
    if (const auto customer = arguments.value("--customer")) {
        takeCustomerString(workspace, *customer);
    }
    const auto isp = arguments.value("--isp");
    const int ispPage = isp ? chooseIspCode(workspace, *isp) : kMainPage;

    HostServicesScope services(false, outPath);
    if (isp) {
        const uint16_t inserted = workspace.run(*makeInsertIsp(workspace, ispPage));
        if (inserted == ZEPHLIN_RESULT_CHECKSUM_ERROR && workspace.record().ispCodeSource == 1) {
            throw CommandFailure{kExitDamagedFile,
                                 *isp + ": a record of the ISP code file is damaged; "
                                        "the file is refused"};
        }
        if (inserted != ZEPHLIN_RESULT_PASS) {
            return exitStatus(workspace);
        }
    }
    workspace.run(*makeSaveKdx(workspace));
    return exitStatus(workspace);
}

int runKdxInfo(Workspace& workspace, const Arguments& arguments) {
    requireShape(arguments, {}, 1, 1);
    ZephlinContext& record = workspace.record();
    const std::string& file = arguments.operands[0];
    copyTextField(record.projectFile, ZEPHLIN_PATH_CAPACITY,
                  utf8::toWide(std::filesystem::absolute(file).string()));
    const uint16_t footer = LoadKDXFooter(&record);
    uint16_t buffer = 0;
    if (footer == ZEPHLIN_RESULT_PASS) {
        std::vector<uint8_t> code(record.codeSize);
        std::vector<uint8_t> data(record.dataSize);
        record.codeImage = code.data();
        record.dataImage = data.empty() ? nullptr : data.data();
        buffer = LoadKDXBuffer(&record);
        record.codeImage = nullptr;
        record.dataImage = nullptr;
    }
    std::cout << "file              " << file << '\n';
    // A footer that fails its own checksum holds nothing worth showing.
    if (footer != ZEPHLIN_RESULT_OPEN_FILE_ERROR &&
        footer != ZEPHLIN_RESULT_KDX_FILE_CHECKSUM_ERROR) {
        printFooter(record, workspace.catalogue());
        if (workspace.catalogue().contains(record.chipIndex)) {
            std::cout << "options\n";
            printSettings(std::cout, workspace.catalogue().part(record.chipIndex), record);
        }
    }
    std::cout.flush();
    printChecks(footer, buffer);
    const uint16_t result = footer != ZEPHLIN_RESULT_PASS ? footer : buffer;
    std::printf("result            %s\n",
                utf8::fromWide(outcomeText(result).pick(workspace.language())).c_str());
    workspace.note(result);
    return exitStatus(workspace);
}

} // namespace zephlin::cli
