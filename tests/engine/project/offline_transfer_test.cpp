#include "project/offline_transfer.h"

#include "../link/simulated_writer.h"
#include "project/offline_block.h"
#include "project_test_support.h"
#include "support/byte_order.h"
#include "support/checksum16.h"

#include <gtest/gtest.h>

namespace zephlin::project {
namespace {

using testing::contextFor;
using testing::firstIndexOfType;
using testing::selectSimulator;
using testing::withFault;

// A record as the Off-Line Mode command prepares it.
struct Production : testing::ContextWithImages {
    Production(int32_t chipIndex, std::size_t codeSize, std::size_t dataSize)
        : ContextWithImages(chipIndex, codeSize, dataSize) {
        context->offlineFlags = ZEPHLIN_OFFLINE_SERIAL_ENABLED | ZEPHLIN_OFFLINE_AUTO_INCREMENT;
        context->serialAddress = 0x7FF0;
        context->serialNumber = 1000;
        context->maxCounter = 5;
    }

    uint16_t download(uint16_t& progress) const {
        const std::optional<OfflineDownload> download = offlineDownloadOf(*context);
        EXPECT_TRUE(download.has_value());
        EXPECT_TRUE(writerLink().open(kWriterProductId));
        return sendOfflineDownload(*download, ResultWord(&progress));
    }
};

uint16_t readInfo(ZephlinContext& into) {
    EXPECT_TRUE(writerLink().open(kWriterProductId));
    return readOfflineInformation(into);
}

TEST(OfflineTransfer, ImageIsCodeThenDataAfterTheWritersPause) {
    sim::WriterSimulator& writer = selectSimulator();
    const Production production(firstIndexOfType(27), 0x1000, 0x200);
    uint16_t progress = 0;
    const auto before = writer.now();
    ASSERT_EQ(production.download(progress), ZEPHLIN_RESULT_PASS);
    EXPECT_GE(writer.now() - before, std::chrono::milliseconds(2000));
    EXPECT_EQ(progress, 100);
    std::vector<uint8_t> image = production.code;
    image.insert(image.end(), production.data.begin(), production.data.end());
    EXPECT_EQ(writer.state().offline.image, image);
    EXPECT_EQ(writer.state().offline.settings,
              buildOfflineSettingsBlock(*production.context).value());
    EXPECT_FALSE(writerLink().isOpen());
}

TEST(OfflineTransfer, WithoutDataOnlyTheCodeIsSent) {
    sim::WriterSimulator& writer = selectSimulator();
    const Production production(firstIndexOfType(27), 0x300, 0);
    uint16_t progress = 0;
    ASSERT_EQ(production.download(progress), ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(writer.state().offline.image, production.code);
}

TEST(OfflineTransfer, ProductionOnTheBoxShowsInTheReadBack) {
    sim::WriterSimulator& writer = selectSimulator();
    const Production production(0, 0x800, 0);
    uint16_t progress = 0;
    ASSERT_EQ(production.download(progress), ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(writer.produceOffline(3), 3u);

    const auto read = contextFor(0);
    ASSERT_EQ(readInfo(*read), ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(read->currentNumber, 1003u);
    EXPECT_EQ(read->currentCounter, 3u);
    EXPECT_EQ(read->serialNumber, 1000u);
    EXPECT_EQ(read->maxCounter, 5u);
    EXPECT_EQ(read->codeSize, 0x800u);
    EXPECT_FALSE(writerLink().isOpen());

    EXPECT_EQ(writer.produceOffline(10), 2u); // stops at the max counter
    ASSERT_EQ(readInfo(*read), ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(read->currentCounter, 5u);
}

TEST(OfflineTransfer, EmptyStoreReadsAsEmpty) {
    selectSimulator();
    const auto read = contextFor(4);
    EXPECT_EQ(readInfo(*read), ZEPHLIN_RESULT_INFO_EMPTY);
    EXPECT_EQ(read->chipIndex, 4);
}

TEST(OfflineTransfer, WriterFaultsEndWithTheirCodes) {
    const Production production(0, 0x400, 0);
    uint16_t progress = 0;
    selectSimulator(withFault(sim::Fault::DropStatus));
    EXPECT_EQ(production.download(progress), ZEPHLIN_RESULT_FAIL);
    selectSimulator(withFault(sim::Fault::WrongTag));
    EXPECT_EQ(production.download(progress), ZEPHLIN_RESULT_FAIL);
    // The frame goes, the image does not.
    selectSimulator(withFault(sim::Fault::UnplugAfter, 1));
    EXPECT_EQ(production.download(progress), ZEPHLIN_RESULT_SEND_ERROR);
    EXPECT_FALSE(writerLink().isOpen());

    selectSimulator(withFault(sim::Fault::ShortFeatureRead));
    const auto read = contextFor(0);
    EXPECT_EQ(readInfo(*read), ZEPHLIN_RESULT_READ_ERROR);
}

TEST(OfflineTransfer, ChecksumErrorOfTheWriterIsReported) {
    sim::WriterSimulator& writer = selectSimulator();
    Production production(0, 0x400, 0);
    production.context->codeChecksum ^= 0x0101; // not the image's sum
    uint16_t progress = 0;
    EXPECT_EQ(production.download(progress), ZEPHLIN_RESULT_CHECKSUM_ERROR);
    EXPECT_TRUE(writer.state().offline.settings.empty());
}

TEST(OfflineTransfer, AFailureStatusOfTheWriterIsNoPass) {
    // The writer's first status report answers the image, the second one the
    // settings block.
    for (const bool afterImage : {true, false}) {
        sim::WriterSimulator& writer = selectSimulator();
        const Production production(0, 0x400, 0);
        if (afterImage) {
            writer.answerNextStatusWith(4);
        } else {
            writer.observeReports([&writer](sim::ReportKind kind) {
                if (kind == sim::ReportKind::InputReport) {
                    writer.answerNextStatusWith(4);
                }
            });
        }
        uint16_t progress = 0;
        EXPECT_EQ(production.download(progress), ZEPHLIN_RESULT_FAIL) << afterImage;
        if (afterImage) {
            EXPECT_TRUE(writer.state().offline.settings.empty()) << "no settings after a failure";
        }
    }
}

TEST(OfflineTransfer, RecordThatCannotMakeADownloadIsRefusedBeforehand) {
    EXPECT_FALSE(offlineDownloadOf(*contextFor(-1)).has_value());
    Production missing(0, 0x10, 0);
    missing.context->codeImage = nullptr;
    EXPECT_FALSE(offlineDownloadOf(*missing.context).has_value());
}

} // namespace
} // namespace zephlin::project
