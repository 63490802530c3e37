// InsertISPcode: the part's built-in ISP image or the user's ISP file, placed
// at the top of the part's ISP area.
#include "Zephlin_DLL.h"

#include "operations/context_text.h"
#include "operations/operation_export.h"
#include "project/isp_hex_image.h"
#include "project/isp_insertion.h"
#include "project/project_files.h"
#include "resources/embedded_images.h"

#include <cwctype>
#include <optional>
#include <variant>

namespace {

using namespace zephlin;
using namespace zephlin::project;

constexpr uint8_t kUserIspFile = 1;
// A HEX text far longer than any ISP area needs is not read.
constexpr std::size_t kLargestIspHexFile = 16u << 20;

// The user's file is Intel HEX when its name ends in "hex", in any case.
bool namesHexFile(const std::wstring& name) {
    constexpr std::wstring_view kHex = L"HEX";
    if (name.size() < kHex.size()) {
        return false;
    }
    for (std::size_t i = 0; i < kHex.size(); ++i) {
        if (std::towupper(static_cast<wint_t>(name[name.size() - kHex.size() + i])) !=
            static_cast<wint_t>(kHex[i])) {
            return false;
        }
    }
    return true;
}

// The image's bytes, or the result code that ends the export.
using IspImage = std::variant<std::vector<uint8_t>, uint16_t>;

IspImage userImage(const std::wstring& path, uint32_t capacity) {
    const bool hex = namesHexFile(path);
    const FileContent file = readWholeFile(path, hex ? kLargestIspHexFile : capacity);
    if (file.status == FileContent::Status::CannotOpen) {
        return uint16_t{ZEPHLIN_RESULT_OPEN_FILE_ERROR};
    }
    if (file.status == FileContent::Status::TooLarge) {
        return uint16_t{ZEPHLIN_RESULT_FILE_TOO_LARGE};
    }
    if (!hex) {
        return file.bytes;
    }
    IspHexImage converted = ispImageFromHex(file.bytes, capacity);
    if (converted.damaged) {
        // The record's own checksum refutes it (or it is cut short): the
        // file is refused, not inserted up to the damage.
        return uint16_t{ZEPHLIN_RESULT_CHECKSUM_ERROR};
    }
    if (!converted.image) {
        return uint16_t{ZEPHLIN_RESULT_FILE_TOO_LARGE};
    }
    return std::move(*converted.image);
}

IspImage builtInImage(const ChipRecord& chip) {
    const auto image = resources::findImage(resources::ImageKind::Isp, chip.ispImageId);
    if (!image) {
        return uint16_t{ZEPHLIN_RESULT_FAIL};
    }
    return std::vector<uint8_t>(image->begin(), image->end());
}

uint16_t insertIspCode(ZephlinContext& context, const ResultWord&) {
    const std::optional<IspInsertion> insertion = ispInsertionFor(context);
    if (!insertion) {
        return ZEPHLIN_RESULT_FAIL; // a part without an ISP slot takes no ISP code
    }
    const IspImage image =
        context.ispCodeSource == kUserIspFile
            ? userImage(contextText(context.ispCodeName), insertion->target.capacity)
            : builtInImage(*insertion->chip);
    if (const uint16_t* failure = std::get_if<uint16_t>(&image)) {
        return *failure;
    }
    return insertIspImage(*insertion, std::get<std::vector<uint8_t>>(image), context);
}

} // namespace

extern "C" ZEPHLIN_API uint16_t InsertISPcode(ZephlinContext* context) {
    return runOperationExport(context, ZEPHLIN_RESULT_FAIL, insertIspCode);
}
