// The wire format, byte for byte. Every command code, frame field and packet
// is written out here as literal bytes, and both sides are held to them: the
// library's frame builders must produce them, and the simulated box must act
// on them when they arrive as raw reports. A wrong constant on either side
// fails here even when the two sides agree with each other.
#include "link/exchanges.h"
#include "link/update_frames.h"
#include "operations/target_setup_frame.h"
#include "simulated_writer.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

namespace zephlin {
namespace {

using Bytes = std::vector<uint8_t>;
using testing::part;
using testing::selectSimulator;

constexpr FrameTag kTag{0xA7};

// The given bytes followed by zeros up to size.
Bytes padded(std::initializer_list<uint8_t> head, std::size_t size = 16) {
    Bytes bytes(head);
    bytes.resize(size, 0);
    return bytes;
}

Bytes bytesOf(const CommandFrame& frame) {
    return {frame.bytes().begin(), frame.bytes().end()};
}

// ---- The library's frames --------------------------------------------------

TEST(WireFormat, TheSixteenByteFramesOfEveryCommand) {
    struct Case {
        const char* name;
        CommandFrame frame;
        Bytes expected;
    };
    const Case cases[] = {
        {"erase main area: page count, page size",
         commandFrame(command::kEraseMainArea, kTag, 0, 32, 1024),
         {0x55, 0xA7, 0x02, 0x01, 0, 0, 0, 0, 0x20, 0, 0, 0, 0x00, 0x04, 0, 0}},
        {"erase whole chip", commandFrame(command::kEraseWholeChip, kTag),
         padded({0x55, 0xA7, 0x02, 0x02})},
        {"erase second area, object 3",
         commandFrame(command::kEraseSecondArea, kTag, 0, 12, 512),
         {0x55, 0xA7, 0x02, 0x03, 0, 0, 0, 0, 0x0C, 0, 0, 0, 0x00, 0x02, 0, 0}},
        {"write main area: start, length, checksum",
         commandFrame(command::kWriteMainArea, kTag, 0x100, 0x12345, 0xBEEF),
         {0x55, 0xA7, 0x05, 0x01, 0x00, 0x01, 0, 0, 0x45, 0x23, 0x01, 0, 0xEF, 0xBE, 0, 0}},
        {"write second area",
         commandFrame(command::kWriteSecondArea, kTag, 0x10, 0x200, 0x1234),
         {0x55, 0xA7, 0x05, 0x06, 0x10, 0, 0, 0, 0x00, 0x02, 0, 0, 0x34, 0x12, 0, 0}},
        {"write option words",
         commandFrame(command::kWriteOptionWords, kTag, 0, 32, 0x1FE0),
         {0x55, 0xA7, 0x05, 0x02, 0, 0, 0, 0, 0x20, 0, 0, 0, 0xE0, 0x1F, 0, 0}},
        {"write off-line image",
         commandFrame(command::kWriteOfflineImage, kTag, 0, 0x10400, 0xABCD),
         {0x55, 0xA7, 0x05, 0x04, 0, 0, 0, 0, 0x00, 0x04, 0x01, 0, 0xCD, 0xAB, 0, 0}},
        {"write off-line settings block",
         commandFrame(command::kWriteOfflineSettings, kTag, 0, 0x41, 0x0F0E),
         {0x55, 0xA7, 0x05, 0x03, 0, 0, 0, 0, 0x41, 0, 0, 0, 0x0E, 0x0F, 0, 0}},
        {"read main area",
         commandFrame(command::kReadMainArea, kTag, 0x8000, 0x18000),
         {0x55, 0xA7, 0x06, 0x01, 0x00, 0x80, 0, 0, 0x00, 0x80, 0x01, 0, 0, 0, 0, 0}},
        {"read second area",
         commandFrame(command::kReadSecondArea, kTag, 0x20, 0x400),
         {0x55, 0xA7, 0x06, 0x06, 0x20, 0, 0, 0, 0x00, 0x04, 0, 0, 0, 0, 0, 0}},
        {"read option words", commandFrame(command::kReadOptionWords, kTag, 0, 36),
         padded({0x55, 0xA7, 0x06, 0x02, 0, 0, 0, 0, 0x24})},
        {"read off-line information", commandFrame(command::kReadOfflineInfo, kTag, 0, 256),
         padded({0x55, 0xA7, 0x06, 0x03, 0, 0, 0, 0, 0x00, 0x01})},
        {"read device ID: reply length in byte 8", queryFrame(command::kReadDeviceId, kTag, 4),
         padded({0x55, 0xA7, 0x04, 0x09, 0, 0, 0, 0, 0x04})},
        {"read writer version", queryFrame(command::kReadWriterVersion, kTag, 8),
         padded({0x55, 0xA7, 0x04, 0x0A, 0, 0, 0, 0, 0x08})},
        {"end of target", commandFrame(command::kEndOfTarget, kTag),
         padded({0x55, 0xA7, 0x07, 0x02})},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(bytesOf(c.frame), c.expected) << c.name;
    }
}

TEST(WireFormat, TheTargetSetupFrameOfEachIdentityKind) {
    // Chip type 1: the low 16 bits of the device ID, then 5 and 0.
    EXPECT_EQ(bytesOf(targetSetupFrame(part(L"Nerel A1(3V)"), false, kTag)),
              (Bytes{0x55, 0xA7, 0x07, 0x01, 0x10, 0xC0, 0x05, 0x00, 0, 0, 0, 0, 0x19, 0x8C, 0x00,
                     0x01, 0x01, 0x00}));
    // Chip type 27: all 32 bits of the device ID.
    EXPECT_EQ(bytesOf(targetSetupFrame(part(L"Nerel C6(3V)"), false, kTag)),
              (Bytes{0x55, 0xA7, 0x07, 0x01, 0x00, 0x47, 0x51, 0x4C, 0, 0, 0, 0, 0x19, 0x8C, 0x00,
                     0x01, 0x1B, 0x00}));
    // Chip type 16 with the erase-unlock request in byte 17.
    EXPECT_EQ(bytesOf(targetSetupFrame(part(L"Nerel F1"), true, kTag)),
              (Bytes{0x55, 0xA7, 0x07, 0x01, 0, 0, 0, 0, 0, 0, 0, 0, 0x19, 0x8C, 0x00, 0x01, 0x10,
                     0x01}));
}

TEST(WireFormat, TheFirmwareUpdateFramesAndPackets) {
    EXPECT_EQ(bytesOf(enterBootModeFrame(kTag)), padded({0x55, 0xA7, 0x01, 0x09, 0x00, 0x86}, 64));
    EXPECT_EQ(bytesOf(enterSubMcuUpdateFrame(kTag)),
              padded({0x55, 0xA7, 0x01, 0x09, 0x00, 0x8A}, 128));
    EXPECT_EQ(bytesOf(subMcuReplyQuery(kTag)),
              padded({0x55, 0xA7, 0x04, 0x0B, 0, 0, 0, 0, 0x03, 0, 0, 0, 0x01}, 128));

    const Bytes image(300, 0x01); // length 0x12C, sum 0x012C
    EXPECT_EQ(bytesOf(subMcuStartPacket(kTag, image)),
              padded({0x55, 0xA7, 0x03, 0x06, 0, 0, 0, 0,    0x0F, 0,    0,    0,    0x01, 0, 0, 0,
                      0x5A, 0xA5, 0x80, 0,    0, 0, 0, 0x00, 0x00, 0x01, 0x2C, 0x01, 0x2C, 0, 0},
                     128));
    const Bytes piece{0xAA, 0xBB, 0xCC};
    EXPECT_EQ(
        bytesOf(subMcuDataPacket(kTag, piece)),
        padded({0x55, 0xA7, 0x03, 0x06, 0, 0, 0, 0, 0x03, 0, 0, 0, 0x01, 0, 0, 0, 0xAA, 0xBB, 0xCC},
               128));
    EXPECT_EQ(bytesOf(subMcuEndPacket(kTag)), padded({0x55, 0xA7, 0x03, 0x06, 0, 0, 0, 0, 0x03, 0,
                                                      0, 0, 0x01, 0, 0, 0, 0x5A, 0xA5, 0x88},
                                                     128));

    // The boot loader's header: length in bytes 4..6 and the sum in 7..8,
    // most significant byte first.
    const Bytes firmware(17138, 0x02); // sum 34276 = 0x85E4
    const BootPacket header = bootHeaderPacket(firmware);
    EXPECT_EQ(Bytes(header.begin(), header.end()),
              padded({0x33, 0, 0, 0, 0x00, 0x42, 0xF2, 0x85, 0xE4}, 64));
    const BootPacket check = bootCheckRequestPacket();
    EXPECT_EQ(Bytes(check.begin(), check.end()), padded({0x22}, 64));
    const BootPacket finish = bootFinishPacket();
    EXPECT_EQ(Bytes(finish.begin(), finish.end()), padded({0x44}, 64));
}

TEST(WireFormat, AStatusReportIsTheTagEchoAndALittleEndianWord) {
    Bytes report(64, 0xFF);
    report[0] = 0xA7;
    report[1] = 0x00;
    report[2] = 0x34;
    report[3] = 0x12;
    const StatusExchange decoded = decodeStatusReport(report, 0xA7);
    EXPECT_EQ(decoded.outcome, StatusExchange::Outcome::Status);
    EXPECT_EQ(decoded.statusWord, 0x1234);

    EXPECT_EQ(decodeStatusReport(report, 0xA6).outcome, StatusExchange::Outcome::TagMismatch);
    report[2] = 0x00;
    report[3] = 0x00;
    EXPECT_EQ(decodeStatusReport(report, 0x7A).outcome, StatusExchange::Outcome::TagMismatch)
        << "a wrong tag is rejected even with status 0";
    EXPECT_EQ(decodeStatusReport(std::span<const uint8_t>(report).first(63), 0xA7).outcome,
              StatusExchange::Outcome::NoStatus);
    EXPECT_EQ(decodeStatusReport({}, 0xA7).outcome, StatusExchange::Outcome::NoStatus);
}

// ---- The box, fed the literal bytes ------------------------------------------

class BoxReadsTheWireFormat : public ::testing::Test {
protected:
    void SetUp() override {
        writer_ = &selectSimulator();
        ASSERT_TRUE(writerLink().open(kWriterProductId));
    }

    void send(const Bytes& bytes) {
        ASSERT_EQ(writerLink().blockSend(bytes, ResultWord()), bytes.size());
    }

    // The first four bytes of the next status report: tag echo, a byte not
    // interpreted, and the status word, least significant byte first.
    Bytes status() {
        StatusReport report;
        report.fill(0xFF);
        EXPECT_EQ(writerLink().statusRead(report), report.size());
        return {report.begin(), report.begin() + 4};
    }

    Bytes statusOf(const Bytes& frame) {
        send(frame);
        return status();
    }

    Bytes read(const Bytes& frame, std::size_t count) {
        send(frame);
        Bytes bytes(count);
        EXPECT_EQ(writerLink().blockRead(bytes, ResultWord()), count);
        return bytes;
    }

    // Target setup for "Nerel A1(3V)" (chip type 1, device ID 0xC010) and
    // "Nerel B4(3V)" (chip type 21, 0xC019).
    void setUpA1() {
        ASSERT_EQ(statusOf({0x55, 0x11, 0x07, 0x01, 0x10, 0xC0, 0x05, 0x00, 0, 0, 0, 0, 0x19, 0x8C,
                            0x00, 0x01, 0x01, 0x00}),
                  (Bytes{0x11, 0x00, 0x00, 0x00}));
    }
    void setUpB4() {
        ASSERT_EQ(statusOf({0x55, 0x12, 0x07, 0x01, 0x19, 0xC0, 0x05, 0x00, 0, 0, 0, 0, 0x01, 0x8C,
                            0x00, 0x01, 0x15, 0x00}),
                  (Bytes{0x12, 0x00, 0x00, 0x00}));
    }

    sim::SimulatedChip& chip() { return *writer_->state().chip; }
    sim::WriterSimulator& writer() { return *writer_; }

private:
    sim::WriterSimulator* writer_ = nullptr;
};

TEST_F(BoxReadsTheWireFormat, TargetSetupAndEndOfTarget) {
    setUpA1();
    EXPECT_TRUE(writer().targetPowered());
    EXPECT_EQ(chip().chipIndex, testing::chipIndexOf(L"Nerel A1(3V)"));
    // An identity no part has in bytes 4..7: the box reports an ID mismatch (5).
    EXPECT_EQ(statusOf({0x55, 0x13, 0x07, 0x01, 0xFF, 0xC0, 0x05, 0x00, 0, 0, 0, 0, 0x19, 0x8C,
                        0x00, 0x01, 0x01, 0x00}),
              (Bytes{0x13, 0x00, 0x05, 0x00}));
    EXPECT_EQ(statusOf(padded({0x55, 0x14, 0x07, 0x02})), (Bytes{0x14, 0x00, 0x00, 0x00}));
    EXPECT_FALSE(writer().targetPowered());
}

TEST_F(BoxReadsTheWireFormat, ErasesWritesAndReadsTheMainArea) {
    setUpA1();
    std::fill(chip().mainArea.begin(), chip().mainArea.end(), 0x00);
    // 32 pages of 1024 bytes.
    EXPECT_EQ(statusOf({0x55, 0x21, 0x02, 0x01, 0, 0, 0, 0, 0x20, 0, 0, 0, 0x00, 0x04, 0, 0}),
              (Bytes{0x21, 0x00, 0x00, 0x00}));
    EXPECT_TRUE(std::all_of(chip().mainArea.begin(), chip().mainArea.end(),
                            [](uint8_t b) { return b == 0xFF; }));

    // Four bytes at 0x100 with the sum 0x000A.
    send({0x55, 0x22, 0x05, 0x01, 0x00, 0x01, 0, 0, 0x04, 0, 0, 0, 0x0A, 0x00, 0, 0});
    send({0x01, 0x02, 0x03, 0x04});
    EXPECT_EQ(status(), (Bytes{0x22, 0x00, 0x00, 0x00}));
    EXPECT_EQ(Bytes(chip().mainArea.begin() + 0x100, chip().mainArea.begin() + 0x104),
              (Bytes{0x01, 0x02, 0x03, 0x04}));

    // The same block announced with another sum: status 1, checksum error.
    send({0x55, 0x23, 0x05, 0x01, 0x00, 0x02, 0, 0, 0x04, 0, 0, 0, 0x0B, 0x00, 0, 0});
    send({0x01, 0x02, 0x03, 0x04});
    EXPECT_EQ(status(), (Bytes{0x23, 0x00, 0x01, 0x00}));

    EXPECT_EQ(read({0x55, 0x24, 0x06, 0x01, 0xFE, 0x00, 0, 0, 0x06, 0, 0, 0, 0, 0, 0, 0}, 6),
              (Bytes{0xFF, 0xFF, 0x01, 0x02, 0x03, 0x04}));
}

TEST_F(BoxReadsTheWireFormat, ErasesWritesAndReadsTheSecondArea) {
    setUpB4();
    std::fill(chip().secondArea.begin(), chip().secondArea.end(), 0x00);
    // Object 3 for the erase: 12 pages of 512 bytes.
    EXPECT_EQ(statusOf({0x55, 0x31, 0x02, 0x03, 0, 0, 0, 0, 0x0C, 0, 0, 0, 0x00, 0x02, 0, 0}),
              (Bytes{0x31, 0x00, 0x00, 0x00}));
    EXPECT_TRUE(std::all_of(chip().secondArea.begin(), chip().secondArea.end(),
                            [](uint8_t b) { return b == 0xFF; }));
    // Object 6 for the write and the read.
    send({0x55, 0x32, 0x05, 0x06, 0x10, 0, 0, 0, 0x02, 0, 0, 0, 0x33, 0x00, 0, 0});
    send({0x11, 0x22});
    EXPECT_EQ(status(), (Bytes{0x32, 0x00, 0x00, 0x00}));
    EXPECT_EQ(read({0x55, 0x33, 0x06, 0x06, 0x10, 0, 0, 0, 0x02, 0, 0, 0, 0, 0, 0, 0}, 2),
              (Bytes{0x11, 0x22}));
}

TEST_F(BoxReadsTheWireFormat, WritesAndReadsOptionWordsAndErasesTheWholeChip) {
    setUpA1();
    // One word 0x12345678, sent least significant byte first; sum 0x0114.
    send({0x55, 0x41, 0x05, 0x02, 0, 0, 0, 0, 0x04, 0, 0, 0, 0x14, 0x01, 0, 0});
    send({0x78, 0x56, 0x34, 0x12});
    EXPECT_EQ(status(), (Bytes{0x41, 0x00, 0x00, 0x00}));
    EXPECT_EQ(chip().optionWords[0], 0x12345678u);
    EXPECT_EQ(read(padded({0x55, 0x42, 0x06, 0x02, 0, 0, 0, 0, 0x04}), 4),
              (Bytes{0x78, 0x56, 0x34, 0x12}));

    chip().mainArea[7] = 0x00;
    EXPECT_EQ(statusOf(padded({0x55, 0x43, 0x02, 0x02})), (Bytes{0x43, 0x00, 0x00, 0x00}));
    EXPECT_EQ(chip().mainArea[7], 0xFF);
    EXPECT_EQ(chip().optionWords[0], 0xFFFFFFFFu);
}

TEST_F(BoxReadsTheWireFormat, AnswersTheQueries) {
    setUpA1();
    // The device ID, and the version reply: firmware 0x80140002, sub-MCU
    // 0x0104, core code 1 in byte 7.
    EXPECT_EQ(read(padded({0x55, 0x51, 0x04, 0x09, 0, 0, 0, 0, 0x04}), 4),
              (Bytes{0x10, 0xC0, 0x05, 0x01}));
    EXPECT_EQ(read(padded({0x55, 0x52, 0x04, 0x0A, 0, 0, 0, 0, 0x08}), 8),
              (Bytes{0x02, 0x00, 0x14, 0x80, 0x04, 0x01, 0x00, 0x01}));
}

TEST_F(BoxReadsTheWireFormat, KeepsAndReturnsTheOffLineDownloads) {
    send({0x55, 0x61, 0x05, 0x04, 0, 0, 0, 0, 0x03, 0, 0, 0, 0x06, 0x00, 0, 0});
    send({0x01, 0x02, 0x03});
    EXPECT_EQ(status(), (Bytes{0x61, 0x00, 0x00, 0x00}));
    EXPECT_EQ(writer().state().offline.image, (Bytes{0x01, 0x02, 0x03}));

    send({0x55, 0x62, 0x05, 0x03, 0, 0, 0, 0, 0x02, 0, 0, 0, 0x03, 0x01, 0, 0});
    send({0x81, 0x82});
    EXPECT_EQ(status(), (Bytes{0x62, 0x00, 0x00, 0x00}));
    const Bytes info = read(padded({0x55, 0x63, 0x06, 0x03, 0, 0, 0, 0, 0x00, 0x01}), 256);
    EXPECT_EQ(info[0], 0x81);
    EXPECT_EQ(info[1], 0x82);
    EXPECT_EQ(info[2], 0xFF);
}

TEST_F(BoxReadsTheWireFormat, EntersTheFirmwareUpdates) {
    send(padded({0x55, 0x71, 0x01, 0x09, 0x00, 0x8A}, 128));
    const Bytes query = padded({0x55, 0x72, 0x04, 0x0B, 0, 0, 0, 0, 0x03, 0, 0, 0, 0x01}, 128);
    EXPECT_EQ(read(query, 3), (Bytes{0xA5, 0x5A, 0x00})) << "ready";
    send(padded({0x55, 0x73, 0x03, 0x06, 0, 0, 0, 0,    0x0F, 0,    0,    0,    0x01, 0, 0, 0,
                 0x5A, 0xA5, 0x80, 0,    0, 0, 0, 0x00, 0x00, 0x00, 0x03, 0x00, 0x06, 0, 0},
                128));
    EXPECT_EQ(read(query, 3), (Bytes{0xA5, 0x5A, 0x41})) << "start packet accepted";

    send(padded({0x55, 0x74, 0x01, 0x09, 0x00, 0x86}, 64));
    writerLink().wait(std::chrono::milliseconds(2000));
    EXPECT_EQ(writer().mode(), sim::WriterMode::Boot);
}

} // namespace
} // namespace zephlin
