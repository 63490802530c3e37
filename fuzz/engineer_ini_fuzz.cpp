// Engineer mode on an arbitrary Engineer.ini: every sheet as the window
// builds it, its write image, a read, Sync, the marks and every bit, and the
// read file's name, which must stay a plain file name in the folder.
#include "engineer/core/engineer_ini.h"
#include "engineer/core/engineer_sheet_model.h"
#include "engineer/core/read_file.h"
#include "fuzz_support.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zephlin;
    using fuzz::require;
    static const fuzz::InputFile file("Engineer.ini");
    file.write({data, size});

    const EngineerConfig config = readEngineerConfig(file.path());
    require(config.tabCount >= 0 && config.tabCount <= kSheetCount, "at most four tabs");
    for (const EngineerSheet& sheet : config.sheets) {
        require(sheet.items.size() <= kItemsPerSheet, "at most eight items");
        EngineerSheetModel model(sheet);
        for (std::size_t i = 0; i < model.itemCount(); ++i) {
            const std::vector<uint8_t> ones(model.writeValue(i).size(), 0xA5);
            model.setWriteValue(i, ones);
            for (int b = 0; b < kBitsPerRegister; ++b) {
                model.setBit(i, b, !model.bit(i, b));
            }
        }
        require(model.writeImage().size() == sheet.writeBytes, "the write image has its size");
        require(model.read().size() == sheet.readBytes, "the read image has its size");
        for (std::size_t i = 0; i < model.itemCount(); ++i) {
            for (const std::size_t byte : model.differingBytes(i)) {
                require(byte < model.writeValue(i).size(), "marks lie inside the value");
            }
            for (int b = 0; b < kBitsPerRegister; ++b) {
                (void)model.connectorMarked(i, b);
            }
        }
        model.sync();

        const std::wstring name = readFileName(sheet.name);
        require(name.find_first_of(L"/\\") == std::wstring::npos, "no path separator");
        // Only a sheet without a name gives the bare ".bin".
        require(name == L".bin" || !name.starts_with(L"."), "no parent folder, no hidden file");
    }
    return 0;
}
