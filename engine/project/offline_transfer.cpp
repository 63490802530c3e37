#include "project/offline_transfer.h"

#include "link/exchanges.h"
#include "link/target_session.h"
#include "operations/writer_transfers.h"
#include "project/offline_block.h"
#include "support/checksum16.h"

#include <array>
#include <chrono>

namespace zephlin::project {
namespace {

using namespace std::chrono_literals;

constexpr auto kWriterPreparesImage = 2000ms;

uint16_t withSessionEnd(uint16_t result) {
    endSession(false);
    return result;
}

} // namespace

std::optional<OfflineDownload> offlineDownloadOf(const ZephlinContext& context) {
    if ((context.codeSize != 0 && context.codeImage == nullptr) ||
        (context.dataSize != 0 && context.dataImage == nullptr) ||
        uint64_t{context.codeSize} + context.dataSize > UINT32_MAX) {
        return std::nullopt;
    }
    std::optional<std::vector<uint8_t>> settings = buildOfflineSettingsBlock(context);
    if (!settings) {
        return std::nullopt;
    }
    OfflineDownload download;
    download.settings = std::move(*settings);
    download.image.reserve(uint64_t{context.codeSize} + context.dataSize);
    download.image.insert(download.image.end(), context.codeImage,
                          context.codeImage + context.codeSize);
    if (context.dataSize != 0) {
        download.image.insert(download.image.end(), context.dataImage,
                              context.dataImage + context.dataSize);
    }
    download.imageChecksum = static_cast<uint16_t>(context.codeChecksum + context.dataChecksum);
    return download;
}

uint16_t sendOfflineDownload(const OfflineDownload& download, const ResultWord& progress) {
    const auto imageLength = static_cast<uint32_t>(download.image.size());
    const uint16_t imageResult = resultOfStatusExchange(
        command::kWriteOfflineImage,
        writeExchange(commandFrame(command::kWriteOfflineImage, FrameTag::fresh(), 0, imageLength,
                                   download.imageChecksum),
                      download.image, progress, kWriterPreparesImage));
    if (imageResult != ZEPHLIN_RESULT_PASS) {
        return withSessionEnd(imageResult);
    }
    const auto settingsLength = static_cast<uint32_t>(download.settings.size());
    return withSessionEnd(resultOfStatusExchange(
        command::kWriteOfflineSettings,
        writeExchange(commandFrame(command::kWriteOfflineSettings, FrameTag::fresh(), 0,
                                   settingsLength, checksum16(download.settings)),
                      download.settings, progress)));
}

uint16_t readOfflineInformation(ZephlinContext& context) {
    std::array<uint8_t, kOfflineInfoBytes> info{};
    switch (readExchange(
        commandFrame(command::kReadOfflineInfo, FrameTag::fresh(), 0, kOfflineInfoBytes), info)) {
    case ReadOutcome::SendFailure:
        return withSessionEnd(ZEPHLIN_RESULT_SEND_ERROR);
    case ReadOutcome::ReadFailure:
        return withSessionEnd(ZEPHLIN_RESULT_READ_ERROR);
    case ReadOutcome::Done:
        break;
    }
    return withSessionEnd(unpackOfflineInfo(info, context));
}

} // namespace zephlin::project
