#include "link/simulator/offline_store.h"

#include "link/exchanges.h"
#include "simulated_writer.h"
#include "support/byte_order.h"
#include "support/checksum16.h"

#include <gtest/gtest.h>

namespace zephlin {
namespace {

using testing::selectSimulator;

// A format-4 settings block with the fields production uses.
std::vector<uint8_t> settingsBlock(uint8_t offlineFlags, uint32_t serialNumber,
                                   uint16_t maxCounter) {
    std::vector<uint8_t> block(73 + 4 * 8, 0);
    storeLe16(block, 2, static_cast<uint16_t>(block.size()));
    block[4] = 4;
    block[36] = offlineFlags;
    storeLe32(block, 53, serialNumber);
    storeLe16(block, 61, maxCounter);
    storeLe16(block, 0, checksum16(std::span(block).subspan(2)));
    return block;
}

// Everything but the running number and counter is the block as it was sent.
bool sameApartFromRunningFields(std::vector<uint8_t> block, std::array<uint8_t, 256> info) {
    for (const std::size_t at : {57, 58, 59, 60, 63, 64}) {
        info[at] = block[at];
    }
    return std::equal(block.begin(), block.end(), info.begin());
}

std::array<uint8_t, 256> readInfo() {
    std::array<uint8_t, 256> info{};
    EXPECT_EQ(
        readExchange(commandFrame(command::kReadOfflineInfo, FrameTag::fresh(), 0, 256), info),
        ReadOutcome::Done);
    return info;
}

uint16_t download(uint16_t code, const std::vector<uint8_t>& bytes) {
    const StatusExchange exchange =
        writeExchange(commandFrame(code, FrameTag::fresh(), 0, static_cast<uint32_t>(bytes.size()),
                                   checksum16(bytes)),
                      bytes);
    EXPECT_TRUE(exchange.hasStatus());
    return exchange.statusWord;
}

TEST(OfflineStore, AnEmptyStoreReadsAsErased) {
    selectSimulator();
    ASSERT_TRUE(writerLink().open(kWriterProductId));
    const auto info = readInfo();
    EXPECT_TRUE(std::all_of(info.begin(), info.end(), [](uint8_t b) { return b == 0xFF; }));
}

TEST(OfflineStore, KeepsTheDownloadsAndProducesUpToTheMaxCounter) {
    sim::WriterSimulator& writer = selectSimulator();
    ASSERT_TRUE(writerLink().open(kWriterProductId));
    const std::vector<uint8_t> image(40000, 0x5A);
    const auto block = settingsBlock(0x03, 1000, 5);
    EXPECT_EQ(download(command::kWriteOfflineImage, image), 0);
    EXPECT_EQ(download(command::kWriteOfflineSettings, block), 0);
    EXPECT_EQ(writer.state().offline.image, image);

    auto info = readInfo();
    EXPECT_TRUE(sameApartFromRunningFields(block, info));
    EXPECT_EQ(loadLe32(info, 57), 1000u) << "the next number starts at the first one";
    EXPECT_EQ(info[block.size()], 0xFF);

    EXPECT_EQ(writer.produceOffline(3), 3u);
    EXPECT_EQ(writer.produceOffline(10), 2u) << "stops at the max counter";
    EXPECT_EQ(writer.produceOffline(1), 0u);
    info = readInfo();
    EXPECT_EQ(loadLe32(info, 57), 1005u);
    EXPECT_EQ(loadLe16(info, 63), 5u);
    EXPECT_TRUE(sameApartFromRunningFields(block, info));
}

TEST(OfflineStore, CountsWithoutNumberingWhenAutoIncrementIsOff) {
    sim::OfflineStore store;
    store.storeImage(std::vector<uint8_t>(16, 1));
    store.storeSettings(settingsBlock(0x01, 7, 100));
    EXPECT_EQ(store.produce(4), 4u);
    EXPECT_EQ(store.currentNumber, 7u);
    EXPECT_EQ(store.currentCounter, 4u);
    store.storeSettings(settingsBlock(0x03, 9, 100));
    EXPECT_EQ(store.currentCounter, 0u) << "a new block restarts production";
}

TEST(OfflineStore, ProducesNothingWithoutImageOrUsableBlock) {
    sim::OfflineStore store;
    store.storeSettings(settingsBlock(0x03, 1, 10));
    EXPECT_EQ(store.produce(1), 0u) << "no image";
    store.storeImage(std::vector<uint8_t>(16, 1));
    store.storeSettings(std::vector<uint8_t>(10, 4));
    EXPECT_EQ(store.produce(1), 0u) << "a block too short for its format";
}

TEST(OfflineStore, AFailedDownloadKeepsTheStoredBlock) {
    sim::WriterSimulator& writer = selectSimulator();
    ASSERT_TRUE(writerLink().open(kWriterProductId));
    const auto block = settingsBlock(0x03, 1, 10);
    ASSERT_EQ(download(command::kWriteOfflineSettings, block), 0);
    const std::vector<uint8_t> other(50, 7);
    const StatusExchange bad =
        writeExchange(commandFrame(command::kWriteOfflineSettings, FrameTag::fresh(), 0, 50,
                                   checksum16(other) ^ 1),
                      other);
    EXPECT_EQ(bad.statusWord, 1);
    EXPECT_NE(download(command::kWriteOfflineSettings, std::vector<uint8_t>(300, 1)), 0)
        << "larger than the store";
    EXPECT_EQ(writer.state().offline.settings, block);
}

} // namespace
} // namespace zephlin
