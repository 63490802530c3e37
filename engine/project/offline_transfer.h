// What Off-Line Mode exchanges with the writer once its session has started:
// the image and settings downloads, and the read of the stored information.
// Each ends the session (closes the link) before it returns its result code.
#pragma once

#include "Zephlin_DLL.h"
#include "support/result_word.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace zephlin::project {

// What a download sends, checked before the writer is opened: the image (code
// then data) and the settings block; nothing when the record cannot make
// them (unknown part, an image pointer missing for a non-zero size).
struct OfflineDownload {
    std::vector<uint8_t> image;
    uint16_t imageChecksum = 0;
    std::vector<uint8_t> settings;
};

std::optional<OfflineDownload> offlineDownloadOf(const ZephlinContext& context);

// The image download, the 2000 ms pause the writer needs, the image in
// 128-byte pieces, then the settings block; progress of both into the result
// word. Results: 101; 103 a frame or block not sent; 102 no status report or
// a wrong tag; 112 the writer found a checksum error.
uint16_t sendOfflineDownload(const OfflineDownload& download, const ResultWord& progress);

// The 256-byte information read and its unpacking (see unpackOfflineInfo).
// Results: 101; 103 the frame not sent; 104 the block not read; 122, 112, 102.
uint16_t readOfflineInformation(ZephlinContext& context);

} // namespace zephlin::project
