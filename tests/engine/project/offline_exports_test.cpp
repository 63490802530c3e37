// OffLineMode and ReadOffLineModeInfo as a program calls them: the record in,
// the result word out, the writer link closed afterwards.
#include "../operations/device_test_support.h"
#include "Zephlin_DLL.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace zephlin::testing {
namespace {

class OfflineExports : public DeviceTest {
protected:
    // A production record: serial numbers from 1000, five chips at most.
    ZephlinContext& production(const wchar_t* partName) {
        ZephlinContext& context = record(partName);
        context.offlineFlags = ZEPHLIN_OFFLINE_SERIAL_ENABLED | ZEPHLIN_OFFLINE_AUTO_INCREMENT;
        context.serialAddress = 0x7F00;
        context.serialNumber = 1000;
        context.maxCounter = 5;
        context.stepFlags = ZEPHLIN_STEP_DEFAULT;
        std::fill(std::begin(context.serialString), std::end(context.serialString), 0xFF);
        std::copy_n("LINE-7", 6, std::begin(context.serialString));
        // The part's default option settings, which the codec represents as they are.
        const ZephlinBodyInfo* records = nullptr;
        GetBodyInfo(&records);
        const ZephlinBodyInfo& body = records[context.chipIndex];
        for (std::size_t i = 0; i < ZEPHLIN_SELECT_SLOTS; ++i) {
            context.selectSettings[i] = body.selectCells[i].defaultValue;
        }
        for (std::size_t i = 0; i < ZEPHLIN_CHECK_SLOTS; ++i) {
            context.checkSettings[i] = body.checkCells[i].defaultValue;
        }
        return context;
    }
};

TEST_F(OfflineExports, LoadedSettingsReadBackWithTheWritersCounters) {
    std::vector<uint8_t> code = patternImage(0x2000, 5);
    ZephlinContext& context = production(L"Nerel A1(3V)");
    setCode(code);
    ASSERT_EQ(call(OffLineMode), ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(writer().state().offline.image, code);
    // No target is powered for Off-Line Mode.
    const std::vector<uint16_t> frames = framesSent(writer());
    EXPECT_EQ(std::count(frames.begin(), frames.end(), command::kTargetSetup), 0);
    ASSERT_EQ(ZephlinSimulatorProduce(2), 2);

    const auto read = std::make_unique<ZephlinContext>();
    read->chipIndex = context.chipIndex;
    uint16_t word = 0;
    read->result = &word;
    ASSERT_EQ(ReadOffLineModeInfo(read.get()), ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(word, ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(read->codeSize, 0x2000u);
    EXPECT_EQ(read->codeChecksum, context.codeChecksum);
    EXPECT_EQ(read->stepFlags, ZEPHLIN_STEP_DEFAULT & 0xFF);
    EXPECT_EQ(read->offlineFlags, context.offlineFlags);
    EXPECT_EQ(read->serialAddress, 0x7F00u);
    EXPECT_TRUE(std::equal(std::begin(read->serialString), std::end(read->serialString),
                           std::begin(context.serialString)));
    EXPECT_EQ(read->serialNumber, 1000u);
    EXPECT_EQ(read->currentNumber, 1002u);
    EXPECT_EQ(read->currentCounter, 2u);
    EXPECT_EQ(read->maxCounter, 5u);
    EXPECT_TRUE(std::equal(std::begin(read->selectSettings), std::end(read->selectSettings),
                           std::begin(context.selectSettings)));
    EXPECT_TRUE(std::equal(std::begin(read->checkSettings), std::end(read->checkSettings),
                           std::begin(context.checkSettings)));
}

TEST_F(OfflineExports, ProgressReachesTheResultWordBeforeTheCode) {
    std::vector<uint8_t> code = patternImage(0x4000);
    production(L"Nerel A1(3V)");
    setCode(code);
    std::vector<uint16_t> seen;
    writer().observeReports([&](sim::ReportKind) { seen.push_back(loadResultWord(result_)); });
    ASSERT_EQ(call(OffLineMode), ZEPHLIN_RESULT_PASS);
    ASSERT_FALSE(seen.empty());
    EXPECT_TRUE(std::all_of(seen.begin(), seen.end(), [](uint16_t v) { return v <= 100; }));
    EXPECT_TRUE(std::find(seen.begin(), seen.end(), 100) != seen.end());
}

TEST_F(OfflineExports, RecordsTheWriterCannotUseAreRefusedBeforeItIsOpened) {
    std::vector<uint8_t> code = patternImage(0x100);
    ZephlinContext& context = production(L"Nerel A1(3V)");
    setCode(code);
    context.codeStart = part(L"Nerel A1(3V)").mainAreaSize - 0x80; // runs past the area
    EXPECT_EQ(call(OffLineMode), ZEPHLIN_RESULT_FILE_TOO_LARGE);
    context.codeStart = 0;
    context.codeImage = nullptr;
    EXPECT_EQ(call(OffLineMode), ZEPHLIN_RESULT_FAIL);
    context.chipIndex = 36;
    EXPECT_EQ(call(ReadOffLineModeInfo), ZEPHLIN_RESULT_FAIL);
    EXPECT_TRUE(framesSent(writer()).empty());
    EXPECT_EQ(OffLineMode(nullptr), ZEPHLIN_RESULT_FAIL);
}

TEST_F(OfflineExports, EmptyStoreAndSessionFailuresEndWithTheirCodes) {
    production(L"Nerel A1(3V)");
    EXPECT_EQ(call(ReadOffLineModeInfo), ZEPHLIN_RESULT_INFO_EMPTY);

    start(withFault(sim::Fault::NoWriter));
    EXPECT_EQ(call(ReadOffLineModeInfo), ZEPHLIN_RESULT_NO_WRITER);
    EXPECT_EQ(call(OffLineMode), ZEPHLIN_RESULT_NO_WRITER);

    // A firmware question answered No touches nothing.
    start(withFault(sim::Fault::FirmwareMismatch));
    const RecordingHost host(false);
    EXPECT_EQ(call(OffLineMode), ZEPHLIN_RESULT_UPDATE_DECLINED);
    EXPECT_EQ(host.questions.size(), 1u);
    EXPECT_TRUE(writer().state().offline.image.empty());

    // Target faults do not matter: no target is set up.
    start(withFault(sim::Fault::PowerOnFailure));
    EXPECT_EQ(call(OffLineMode), ZEPHLIN_RESULT_PASS);
}

TEST_F(OfflineExports, UnplugDuringTheImageIsASendError) {
    std::vector<uint8_t> code = patternImage(0x4000);
    production(L"Nerel A1(3V)");
    setCode(code);
    start(withFault(sim::Fault::UnplugAfter, 12));
    EXPECT_EQ(call(OffLineMode), ZEPHLIN_RESULT_SEND_ERROR);
}

} // namespace
} // namespace zephlin::testing
