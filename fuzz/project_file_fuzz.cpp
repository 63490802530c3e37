// LoadKDXFooter and LoadKDXBuffer through the exports on an arbitrary file, as
// the program loads a project: the footer first, then images sized from it.
#include "Zephlin_DLL.h"
#include "fuzz_support.h"
#include "support/checksum16.h"

#include <cstddef>
#include <cstdint>
#include <cwchar>
#include <memory>
#include <vector>

namespace {

const zephlin::fuzz::InputFile& projectFile() {
    static const zephlin::fuzz::InputFile file("project.kdx");
    return file;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using zephlin::fuzz::require;
    projectFile().write({data, size});

    uint16_t result = 0;
    auto context = std::make_unique<ZephlinContext>();
    context->result = &result;
    const std::wstring path = projectFile().path().wstring();
    std::wcsncpy(context->projectFile, path.c_str(), ZEPHLIN_PATH_CAPACITY - 1);

    const uint16_t footer = LoadKDXFooter(context.get());
    require(footer == result, "the result word holds the footer's result");
    require(footer == ZEPHLIN_RESULT_PASS || (footer >= ZEPHLIN_RESULT_OPEN_FILE_ERROR &&
                                              footer <= ZEPHLIN_RESULT_KDX_CUSTOMER_ID_ERROR),
            "the footer gives one of its own results");
    if (footer != ZEPHLIN_RESULT_PASS) {
        return 0;
    }
    require(context->codeSize <= size && context->dataSize <= size,
            "a loaded footer names no image larger than its file");
    require(context->codeFileName[ZEPHLIN_PATH_CAPACITY - 1] == L'\0' &&
                context->ispCodeName[ZEPHLIN_PATH_CAPACITY - 1] == L'\0',
            "the names are terminated within their fields");

    std::vector<uint8_t> code(context->codeSize);
    std::vector<uint8_t> second(context->dataSize);
    context->codeImage = code.data();
    context->dataImage = second.data();
    const uint16_t images = LoadKDXBuffer(context.get());
    require(images == result, "the result word holds the images' result");
    if (images == ZEPHLIN_RESULT_PASS) {
        require(zephlin::checksum16(code) == context->codeChecksum,
                "loaded code matches the checksum its footer carries");
    }
    return 0;
}
