#include "link/writer_firmware.h"

#include "link/writer_connection.h"
#include "resources/embedded_images.h"

#include <array>

namespace zephlin {
namespace {

constexpr std::array kFirmwares{
    WriterFirmware{1, 0x80140002, 3015},
    WriterFirmware{3, 0x80080000, 3014},
    WriterFirmware{4, 0x80040000, 3016},
};

} // namespace

std::span<const WriterFirmware> writerFirmwares() {
    return kFirmwares;
}

const WriterFirmware* writerFirmwareForCore(uint8_t coreCode) {
    for (const WriterFirmware& firmware : kFirmwares) {
        if (firmware.coreCode == coreCode) {
            return &firmware;
        }
    }
    return nullptr;
}

std::optional<std::span<const uint8_t>> installableFirmwareImage(uint32_t imageId) {
    using resources::ImageKind;
    if (selectedSimulator() == nullptr && !resources::isMakersImage(ImageKind::Firmware, imageId)) {
        return std::nullopt;
    }
    return resources::findImage(ImageKind::Firmware, imageId);
}

} // namespace zephlin
