#include "project_cli.h"

#include "checksum16.h"
#include "command_support.h"
#include "control_ids.h"
#include "image_hand_over.h"
#include "message_table.h"
#include "option_settings.h"
#include "ui_texts.h"
#include "writer_setup.h"

#include "support/utf8.h"

#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <iostream>

namespace zephlin::cli {
namespace {

constexpr TextPair kBufferEmpty{L"Buffer is empty", L"代码缓冲区是空的"};
constexpr std::wstring_view kDefaultIspName = L"Default ISP";

// Insert ISP-code: the part's built-in image or a user file placed at the top
// of the ISP area, which raises the ISP-memory setting.
class InsertIspCommand : public SessionCommand {
public:
    InsertIspCommand(Session& session, int page) : SessionCommand(session), page_(page) {}
    TextPair name() const override { return controlText(ids::kInsertIspCode); }

    Preparation prepare() override {
        CodeBuffer& buffer = session_.buffer();
        std::vector<uint8_t> area = buffer.readArea(page_);
        const std::size_t length = area.size();
        area.resize(buffer.capacity(page_), 0xFF);
        if (page_ == kMainPage) {
            images_.passMainArea(std::move(area));
            session_.record().codeSize = static_cast<uint32_t>(length);
            session_.record().codeChecksum = sum16(images_.mainImage().first(length));
        } else {
            images_.passSecondArea(std::move(area));
            session_.record().dataSize = static_cast<uint32_t>(length);
            session_.record().dataChecksum = sum16(images_.secondImage().first(length));
        }
        return Preparation::use(session_.record());
    }
    uint16_t call(ZephlinContext& record) override { return InsertISPcode(&record); }
    void beforeOutcome(uint16_t resultCode) override {
        if (resultCode != ZEPHLIN_RESULT_PASS) {
            return;
        }
        const ZephlinContext& record = session_.record();
        const auto image = page_ == kMainPage ? images_.mainImage().first(record.codeSize)
                                              : images_.secondImage().first(record.dataSize);
        CodeBuffer& buffer = session_.buffer();
        buffer.setArea(page_, image);
        buffer.loadRecord(page_).state = stateAfterIspInsert(buffer.loadRecord(page_).state);
        session_.panel().display(record, DisplayMode::Set);
        session_.settlePanel();
    }

private:
    int page_;
    ImageHandOver images_{session_.record()};
};

void takeCustomerString(Session& session, const std::string& text) {
    if (session.part().customerDataFlag != 1) {
        throw UsageError{"part " + utf8::fromWide(session.part().partName) +
                         " takes no customer data"};
    }
    if (text.size() > ZEPHLIN_CUSTOMER_STRING_BYTES) {
        throw UsageError{"--customer takes at most 16 characters"};
    }
    for (const char c : text) {
        if (c < 0x21 || c > 0x7E) {
            throw UsageError{"--customer takes printable ASCII characters without spaces"};
        }
    }
    uint8_t* field = session.record().customerString;
    std::fill_n(field, ZEPHLIN_CUSTOMER_STRING_BYTES, 0xFF);
    std::copy(text.begin(), text.end(), field);
}

// Chooses the ISP code for --isp; returns the page it goes to.
int chooseIspCode(Session& session, const std::string& choice) {
    if (!takesIspCode(session.part().chipType)) {
        throw UsageError{"part " + utf8::fromWide(session.part().partName) + " takes no ISP code"};
    }
    ZephlinContext& record = session.record();
    if (choice == "default") {
        record.ispCodeSource = 0;
        copyText(record.ispCodeName, ZEPHLIN_PATH_CAPACITY, kDefaultIspName);
    } else {
        record.ispCodeSource = 1;
        copyText(record.ispCodeName, ZEPHLIN_PATH_CAPACITY,
                 utf8::toWide(std::filesystem::absolute(choice).string()));
    }
    constexpr uint32_t kIspInSecondArea = 21;
    return session.part().chipType == kIspInSecondArea ? kSecondPage : kMainPage;
}

// The ISP code name as a project stores it: without its folder.
void shortenIspName(ZephlinContext& record) {
    if (record.ispCodeSource != 1) {
        return;
    }
    const std::wstring name = std::filesystem::path(record.ispCodeName).filename().wstring();
    copyText(record.ispCodeName, ZEPHLIN_PATH_CAPACITY, name);
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

Preparation handOverProjectImages(Session& session, ImageHandOver& images) {
    CodeBuffer& buffer = session.buffer();
    if (!buffer.anyPageLoaded()) {
        return Preparation::refuse(kBufferEmpty);
    }
    const ZephlinBodyInfo& part = session.part();
    ZephlinContext& record = session.record();
    images.passMainArea(buffer.readArea(kMainPage));
    images.setCodeAreaChecksum(part.mainAreaSize);
    if (part.secondAreaSize != 0) {
        images.passSecondArea(buffer.readArea(kSecondPage));
        record.dataAreaChecksum = areaSum16(images.secondImage(), part.secondAreaSize);
    } else {
        images.skipSecondArea();
        record.dataStart = 0;
        record.dataChecksum = 0;
        record.dataAreaChecksum = 0;
    }
    return Preparation::use(record);
}

ProjectExportCommand::ProjectExportCommand(Session& session, int buttonId, Export call,
                                           CallForm form)
    : SessionCommand(session), buttonId_(buttonId), export_(call), form_(form) {}

TextPair ProjectExportCommand::name() const {
    return controlText(buttonId_);
}

Preparation ProjectExportCommand::prepare() {
    return handOverProjectImages(session_, images_);
}

uint16_t ProjectExportCommand::call(ZephlinContext& record) {
    record.stepFlags |= ZEPHLIN_STEP_IN_SEQUENCE;
    const uint16_t code = export_(&record);
    record.stepFlags &= static_cast<uint16_t>(~ZEPHLIN_STEP_IN_SEQUENCE);
    return code;
}

int runKdxSave(Session& session, const Arguments& arguments) {
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
    if (!prepareImages(session, arguments, arguments.operands[1])) {
        return session.exitStatus();
    }
    if (const auto customer = arguments.value("--customer")) {
        takeCustomerString(session, *customer);
    }
    const auto isp = arguments.value("--isp");
    const int ispPage = isp ? chooseIspCode(session, *isp) : kMainPage;

    HostServicesScope services(false, outPath);
    if (isp) {
        InsertIspCommand insert(session, ispPage);
        const uint16_t inserted = session.run(insert);
        if (inserted == ZEPHLIN_RESULT_CHECKSUM_ERROR && session.record().ispCodeSource == 1) {
            throw CommandFailure{kExitDamagedFile,
                                 *isp + ": a record of the ISP code file is damaged; "
                                        "the file is refused"};
        }
        if (inserted != ZEPHLIN_RESULT_PASS) {
            return session.exitStatus();
        }
        shortenIspName(session.record());
    }
    ProjectExportCommand save(session, ids::kSaveKdx, SaveKDX, CallForm::Direct);
    session.run(save);
    return session.exitStatus();
}

int runKdxInfo(Session& session, const Arguments& arguments) {
    requireShape(arguments, {}, 1, 1);
    ZephlinContext& record = session.record();
    const std::string& file = arguments.operands[0];
    copyText(record.projectFile, ZEPHLIN_PATH_CAPACITY,
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
        printFooter(record, session.catalogue());
        if (session.catalogue().contains(record.chipIndex)) {
            std::cout << "options\n";
            printSettings(std::cout, session.catalogue().part(record.chipIndex), record);
        }
    }
    std::cout.flush();
    printChecks(footer, buffer);
    const uint16_t result = footer != ZEPHLIN_RESULT_PASS ? footer : buffer;
    std::printf("result            %s\n",
                utf8::fromWide(outcomeText(result).pick(session.language())).c_str());
    session.note(result);
    return session.exitStatus();
}

} // namespace zephlin::cli
