// Program, Verify, DumpTarget and ReadCheckSum through the exports, against
// the simulated writer, with every failure row of their table.
#include "device_test_support.h"
#include "support/byte_order.h"
#include "support/checksum16.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace zephlin {
namespace {

using sim::Fault;
using sim::ReportKind;
using testing::atReport;
using testing::DeviceTest;
using testing::framesSent;
using testing::framesWith;
using testing::kSessionStartReports;
using testing::patternImage;
using testing::withFault;

constexpr const wchar_t* kMainOnlyPart = L"Nerel A1(3V)"; // 32 KB, checksum-save flag
constexpr const wchar_t* kTwoAreaPart = L"Nerel C6(3V)";  // 64 KB and 1 KB, chip type 27
constexpr uint32_t kTwoAreaMain = 65536;
constexpr uint32_t kTwoAreaSecond = 1024;

class TransferTest : public DeviceTest {
protected:
    // A known image programmed into the two-area part.
    void programTwoAreas() {
        code_ = patternImage(kTwoAreaMain - 100, 3);
        data_ = patternImage(kTwoAreaSecond, 9);
        record(kTwoAreaPart);
        setCode(code_);
        setData(data_);
        ASSERT_EQ(call(Program), ZEPHLIN_RESULT_PASS);
    }

    std::vector<uint8_t> code_;
    std::vector<uint8_t> data_;
};

TEST_F(TransferTest, ProgramVerifyAndDumpAKnownImage) {
    programTwoAreas();
    EXPECT_TRUE(std::equal(code_.begin(), code_.end(), socket().mainArea.begin()));
    EXPECT_EQ(socket().secondArea, data_);
    EXPECT_EQ(call(Verify), ZEPHLIN_RESULT_PASS);
    record().checkSettings[1] = 1; // WDG_SW
    ASSERT_EQ(call(WriteOptions), ZEPHLIN_RESULT_PASS);
    writer().clearRecord();

    // The way the program dumps: a fresh record, buffers of the areas' sizes.
    std::vector<uint8_t> mainBuffer(kTwoAreaMain, 0x00);
    std::vector<uint8_t> secondBuffer(kTwoAreaSecond, 0x00);
    record(kTwoAreaPart).codeImage = mainBuffer.data();
    record().dataImage = secondBuffer.data();
    record().checkSettings[1] = 7; // replaced by the decoded option settings
    EXPECT_EQ(call(DumpTarget), ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(record().codeSize, kTwoAreaMain);
    EXPECT_EQ(record().dataSize, kTwoAreaSecond);
    EXPECT_TRUE(std::equal(code_.begin(), code_.end(), mainBuffer.begin()));
    EXPECT_TRUE(std::all_of(mainBuffer.begin() + static_cast<std::ptrdiff_t>(code_.size()),
                            mainBuffer.end(), [](uint8_t b) { return b == 0xFF; }));
    EXPECT_EQ(secondBuffer, data_);
    EXPECT_EQ(record().checkSettings[1], 1u);
    EXPECT_EQ(framesSent(writer()),
              (std::vector<uint16_t>{
                  command::kReadWriterVersion, command::kTargetSetup, command::kReadMainArea,
                  command::kReadSecondArea, command::kEndOfTarget, command::kReadWriterVersion,
                  command::kTargetSetup, command::kReadOptionWords, command::kEndOfTarget}))
        << "the option settings come from a session of their own";
}

TEST_F(TransferTest, VerifyFindsADifferenceInTheLastByteAfterReadingBothAreas) {
    programTwoAreas();
    writer().clearRecord();
    data_.back() ^= 0x01;
    EXPECT_EQ(call(Verify), ZEPHLIN_RESULT_FAIL);
    EXPECT_EQ(framesWith(writer(), command::kReadMainArea).size(), 1u);
    EXPECT_EQ(framesWith(writer(), command::kReadSecondArea).size(), 1u);

    data_.back() ^= 0x01;
    code_[0] ^= 0x80;
    EXPECT_EQ(call(Verify), ZEPHLIN_RESULT_FAIL);
}

TEST_F(TransferTest, ProgramSendsTheCodeStartAndVerifyReadsFromTheAreaStart) {
    code_ = patternImage(512);
    record(kMainOnlyPart);
    setCode(code_);
    record().codeStart = 0x100;
    EXPECT_EQ(call(Program), ZEPHLIN_RESULT_PASS);
    EXPECT_TRUE(std::equal(code_.begin(), code_.end(), socket().mainArea.begin() + 0x100));
    const auto write = framesWith(writer(), command::kWriteMainArea);
    ASSERT_EQ(write.size(), 1u);
    EXPECT_EQ(std::vector<uint8_t>(write[0].begin() + 4, write[0].begin() + 14),
              (std::vector<uint8_t>{0x00, 0x01, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00,
                                    static_cast<uint8_t>(checksum16(code_)),
                                    static_cast<uint8_t>(checksum16(code_) >> 8)}));

    EXPECT_EQ(call(Verify), ZEPHLIN_RESULT_FAIL) << "the image lies at 0x100, the read at 0";
    const auto read = framesWith(writer(), command::kReadMainArea);
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(loadLe32(read[0], 4), 0u);
    EXPECT_EQ(loadLe32(read[0], 8), 512u);
}

TEST_F(TransferTest, ProgramOfTheSecondAreaAloneSendsOnlyItsFrameAndBlock) {
    data_ = patternImage(1024);
    record(kTwoAreaPart);
    setData(data_);
    EXPECT_EQ(call(Program), ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(framesSent(writer()),
              (std::vector<uint16_t>{command::kReadWriterVersion, command::kTargetSetup,
                                     command::kWriteSecondArea, command::kEndOfTarget}));
    // Version, setup, the frame and eight 128-byte pieces, end of target.
    EXPECT_EQ(writer().counts().featureWrites, 12u);
    EXPECT_EQ(writer().counts().inputReports, 3u);
}

TEST_F(TransferTest, NothingSelectedIsOnlyTheSession) {
    record(kTwoAreaPart);
    for (const testing::DeviceExport exported : {Program, Verify, Erase}) {
        writer().clearRecord();
        EXPECT_EQ(call(exported), ZEPHLIN_RESULT_PASS);
        EXPECT_EQ(framesSent(writer()),
                  (std::vector<uint16_t>{command::kReadWriterVersion, command::kTargetSetup,
                                         command::kEndOfTarget}));
    }
}

TEST_F(TransferTest, AChecksumThatDoesNotMatchTheImageIs112) {
    code_ = patternImage(4096);
    record(kMainOnlyPart);
    setCode(code_);
    record().codeChecksum += 1;
    EXPECT_EQ(call(Program), ZEPHLIN_RESULT_CHECKSUM_ERROR);
}

TEST_F(TransferTest, ProgramFailures) {
    code_ = patternImage(4096);
    auto programOn = [&](sim::SimulatorOptions options) {
        start(std::move(options));
        record(kMainOnlyPart);
        setCode(code_);
    };
    programOn(withFault(Fault::UnplugAfter, kSessionStartReports));
    EXPECT_EQ(call(Program), ZEPHLIN_RESULT_SEND_ERROR) << "frame";
    programOn(withFault(Fault::UnplugAfter, kSessionStartReports + 2));
    EXPECT_EQ(call(Program), ZEPHLIN_RESULT_SEND_ERROR) << "image";

    for (const Fault fault : {Fault::DropStatus, Fault::WrongTag}) {
        programOn({});
        atReport(writer(), ReportKind::FeatureWrite, 3, [&] { writer().injectFault(fault); });
        EXPECT_EQ(call(Program), ZEPHLIN_RESULT_FAIL);
    }
    programOn({});
    atReport(writer(), ReportKind::InputReport, 1, [&] { writer().answerNextStatusWith(4); });
    EXPECT_EQ(call(Program), ZEPHLIN_RESULT_FAIL) << "a failure status";
}

TEST_F(TransferTest, VerifyFailures) {
    programTwoAreas();
    start(withFault(Fault::UnplugAfter, kSessionStartReports));
    EXPECT_EQ(call(Verify), ZEPHLIN_RESULT_SEND_ERROR);
    start(withFault(Fault::UnplugAfter, kSessionStartReports + 10));
    EXPECT_EQ(call(Verify), ZEPHLIN_RESULT_READ_ERROR);
}

TEST_F(TransferTest, RecordsThatAskForBytesTheyDoNotHaveAreRefused) {
    code_ = patternImage(16);
    record(kMainOnlyPart);
    setCode(code_);
    record().codeImage = nullptr;
    EXPECT_EQ(call(Program), ZEPHLIN_RESULT_FAIL);
    EXPECT_EQ(call(Verify), ZEPHLIN_RESULT_FAIL);

    std::vector<uint8_t> large = patternImage(32769);
    setCode(large);
    EXPECT_EQ(call(Program), ZEPHLIN_RESULT_FILE_TOO_LARGE);
    EXPECT_EQ(call(Verify), ZEPHLIN_RESULT_FILE_TOO_LARGE);

    setCode(code_);
    record().codeStart = 32768 - 15;
    EXPECT_EQ(call(Program), ZEPHLIN_RESULT_FILE_TOO_LARGE);
    record().codeStart = 0xFFFFFFF8; // start + size would wrap around in 32 bits
    EXPECT_EQ(call(Program), ZEPHLIN_RESULT_FILE_TOO_LARGE);

    record().codeStart = 0;
    setData(code_);
    EXPECT_EQ(call(Program), ZEPHLIN_RESULT_FILE_TOO_LARGE) << "the part has no second area";
    EXPECT_EQ(call(Verify), ZEPHLIN_RESULT_FILE_TOO_LARGE);
    EXPECT_TRUE(writer().recordedReports().empty()) << "refused before the writer is opened";
}

TEST_F(TransferTest, DumpTargetOfAPartWithoutASecondAreaLeavesTheDataSize) {
    std::vector<uint8_t> mainBuffer(32768);
    record(kMainOnlyPart).codeImage = mainBuffer.data();
    record().dataSize = 77;
    EXPECT_EQ(call(DumpTarget), ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(record().codeSize, 32768u);
    EXPECT_EQ(record().dataSize, 77u);
    EXPECT_TRUE(framesWith(writer(), command::kReadSecondArea).empty());
}

TEST_F(TransferTest, DumpTargetWritesOnlyIntoBuffersThatHoldTheAreas) {
    std::vector<uint8_t> mainBuffer(kTwoAreaMain, 0xAA);
    std::vector<uint8_t> secondBuffer(kTwoAreaSecond, 0xAA);
    record(kTwoAreaPart).codeImage = mainBuffer.data();
    EXPECT_EQ(call(DumpTarget), ZEPHLIN_RESULT_FAIL) << "no data image";
    record().dataImage = secondBuffer.data();
    record().codeImage = nullptr;
    EXPECT_EQ(call(DumpTarget), ZEPHLIN_RESULT_FAIL) << "no code image";

    record().codeImage = mainBuffer.data();
    record().codeSize = kTwoAreaMain - 1; // what the caller says its buffer holds
    EXPECT_EQ(call(DumpTarget), ZEPHLIN_RESULT_FILE_TOO_LARGE);
    record().codeSize = 0;
    record().dataSize = kTwoAreaSecond - 1;
    EXPECT_EQ(call(DumpTarget), ZEPHLIN_RESULT_FILE_TOO_LARGE);
    EXPECT_TRUE(writer().recordedReports().empty());

    record().dataSize = kTwoAreaSecond + 5; // a larger buffer is fine
    EXPECT_EQ(call(DumpTarget), ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(record().dataSize, kTwoAreaSecond);
}

TEST_F(TransferTest, AFailedDumpKeepsWhatWasReadBeforeTheFailure) {
    programTwoAreas();
    std::vector<uint8_t> mainBuffer(kTwoAreaMain, 0xAA);
    std::vector<uint8_t> secondBuffer(kTwoAreaSecond, 0xAA);
    auto dumpOn = [&](sim::SimulatorOptions options) {
        sim::WriterState state = writer().state(); // the programmed chip
        start(std::move(options));
        writer().state() = std::move(state);
        record(kTwoAreaPart).codeImage = mainBuffer.data();
        record().dataImage = secondBuffer.data();
        return call(DumpTarget);
    };
    // The main area is 64 reads; the writer goes in the middle of them.
    EXPECT_EQ(dumpOn(withFault(Fault::UnplugAfter, kSessionStartReports + 30)),
              ZEPHLIN_RESULT_READ_ERROR);
    EXPECT_EQ(record().codeSize, 0u);
    EXPECT_TRUE(
        std::all_of(mainBuffer.begin(), mainBuffer.end(), [](uint8_t b) { return b == 0xAA; }));

    // Frame and 64 reads of the main area, then the second area's frame.
    EXPECT_EQ(dumpOn(withFault(Fault::UnplugAfter, kSessionStartReports + 65)),
              ZEPHLIN_RESULT_SEND_ERROR);
    EXPECT_EQ(record().codeSize, kTwoAreaMain);
    EXPECT_TRUE(std::equal(code_.begin(), code_.end(), mainBuffer.begin()));
    EXPECT_EQ(record().dataSize, 0u);
    EXPECT_TRUE(
        std::all_of(secondBuffer.begin(), secondBuffer.end(), [](uint8_t b) { return b == 0xAA; }));

    EXPECT_EQ(dumpOn(withFault(Fault::UnplugAfter, kSessionStartReports + 66)),
              ZEPHLIN_RESULT_READ_ERROR);
    EXPECT_EQ(dumpOn(withFault(Fault::UnplugAfter, kSessionStartReports)),
              ZEPHLIN_RESULT_SEND_ERROR);

    // Both areas read, then the option read of the second session fails: its
    // code is the dump's.
    constexpr uint32_t kFirstSession = kSessionStartReports + 1 + 64 + 1 + 1 + 2;
    EXPECT_EQ(dumpOn(withFault(Fault::UnplugAfter, kFirstSession + kSessionStartReports + 1)),
              ZEPHLIN_RESULT_READ_ERROR);
    EXPECT_EQ(record().codeSize, kTwoAreaMain);
    EXPECT_EQ(record().dataSize, kTwoAreaSecond);
}

TEST_F(TransferTest, ReadCheckSumReadsWordEightAfterAChecksumWrite) {
    record(kMainOnlyPart).stepFlags =
        ZEPHLIN_STEP_IN_SEQUENCE | ZEPHLIN_STEP_SAVE_CHIP_CHECKSUM | ZEPHLIN_STEP_PROGRAM;
    record().codeAreaChecksum = 0x1234;
    ASSERT_EQ(call(WriteOptions), ZEPHLIN_RESULT_PASS);

    uint16_t checksum = 0xFFFF;
    result_ = 0x4242;
    EXPECT_EQ(ReadCheckSum(&record(), &checksum), ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(result_, ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(checksum, 0x1234);
    const auto reads = framesWith(writer(), command::kReadOptionWords);
    ASSERT_FALSE(reads.empty());
    EXPECT_EQ(loadLe32(reads.back(), 8), 36u) << "nine words on a part with eight";
}

TEST_F(TransferTest, ReadCheckSumTakesBytes32And33WhateverThePart) {
    record(kMainOnlyPart);
    atReport(writer(), ReportKind::FeatureWrite, 3, [&] {
        std::vector<uint8_t> reply(36, 0xFF);
        reply[32] = 0x34;
        reply[33] = 0x12;
        writer().serveFeatureReply(reply);
    });
    uint16_t checksum = 0;
    EXPECT_EQ(ReadCheckSum(&record(), &checksum), ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(checksum, 0x1234);
}

TEST_F(TransferTest, ReadCheckSumWorksOnALockedTargetAndWritesItsOutputOnlyOnSuccess) {
    start(withFault(Fault::Locked));
    record(kMainOnlyPart);
    uint16_t checksum = 0;
    EXPECT_EQ(ReadCheckSum(&record(), &checksum), ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(checksum, 0xFFFF) << "blank option words";

    const std::pair<Fault, uint32_t> failures[] = {
        {Fault::NoWriter, 0},
        {Fault::UnplugAfter, kSessionStartReports},
        {Fault::UnplugAfter, kSessionStartReports + 1},
    };
    const uint16_t results[] = {ZEPHLIN_RESULT_NO_WRITER, ZEPHLIN_RESULT_SEND_ERROR,
                                ZEPHLIN_RESULT_READ_ERROR};
    for (std::size_t i = 0; i < std::size(failures); ++i) {
        start(withFault(failures[i].first, failures[i].second));
        record(kMainOnlyPart);
        checksum = 0xABCD;
        EXPECT_EQ(ReadCheckSum(&record(), &checksum), results[i]);
        EXPECT_EQ(result_, results[i]);
        EXPECT_EQ(checksum, 0xABCD);
    }
    EXPECT_EQ(ReadCheckSum(&record(), nullptr), ZEPHLIN_RESULT_FAIL);
}

} // namespace
} // namespace zephlin
