// Every reply the library parses from the writer, with bytes no good writer
// sends: the version reply, the device ID, status reports, the sub-MCU's
// replies, the boot loader's checksum and the data blocks. The simulator
// answers as a writer does and the input rewrites its answers.
//
// Input: byte 0 picks the device export, byte 1 the part, byte 2 the user's
// answer to an update question (bit 0) and a simulator fault (the rest),
// byte 3 the fault's number. Then, for each reply in turn, one control byte:
// its low two bits say keep it (0), overwrite it from its first byte (1),
// overwrite it after its first byte, so that a status report keeps its tag
// (2), or make it all 0xFF (3); the upper six bits plus one are how many of
// the following input bytes overwrite it. Once the input is used up, the
// writer's own answers stand.
#include "Zephlin_DLL.h"
#include "catalogue/chip_catalogue.h"
#include "fuzz_support.h"
#include "fuzz_writer.h"
#include "link/simulator/simulator_faults.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace {

using namespace zephlin;

constexpr std::size_t kHeaderBytes = 4;
constexpr std::size_t kPieceBytes = 512; // what Program and Verify send and compare

uint16_t readCheckSum(ZephlinContext* context) {
    uint16_t checksum = 0;
    return ReadCheckSum(context, &checksum);
}

constexpr std::array<uint16_t (*)(ZephlinContext*), 12> kExports{
    CheckID,    Erase,        BlankCheck,   WholeChipErase, Program,     Verify,
    DumpTarget, readCheckSum, WriteOptions, ReadOptions,    OffLineMode, ReadOffLineModeInfo};

class ReplyScript {
public:
    explicit ReplyScript(std::span<const uint8_t> script) : script_(script) {}

    void rewrite(std::span<uint8_t> reply) {
        if (script_.empty()) {
            return;
        }
        const uint8_t control = take(1)[0];
        const std::size_t count = (control >> 2) + 1;
        switch (control & 3) {
        case 1:
            overwrite(reply, count);
            break;
        case 2:
            overwrite(reply.subspan(std::min<std::size_t>(1, reply.size())), count);
            break;
        case 3:
            std::fill(reply.begin(), reply.end(), 0xFF);
            break;
        default:
            break;
        }
    }

private:
    std::span<const uint8_t> take(std::size_t count) {
        const auto taken = script_.first(std::min(count, script_.size()));
        script_ = script_.subspan(taken.size());
        return taken;
    }
    void overwrite(std::span<uint8_t> reply, std::size_t count) {
        const auto bytes = take(std::min(count, reply.size()));
        std::copy(bytes.begin(), bytes.end(), reply.begin());
    }

    std::span<const uint8_t> script_;
};

bool answerYes = false;

void installHost() {
    const ZephlinHostServices services{
        .structSize = sizeof(ZephlinHostServices),
        .userData = nullptr,
        .askYesNo = [](void*, const wchar_t*) -> int32_t {
            return answerYes ? ZEPHLIN_ANSWER_YES : ZEPHLIN_ANSWER_NO;
        },
        .showMessage = nullptr,
        .chooseSaveFile = nullptr,
    };
    ZephlinSetHostServices(&services);
}

sim::SimulatorOptions faultOf(uint8_t choice, uint8_t argument) {
    sim::SimulatorOptions options;
    const auto faults = sim::faultTable();
    if (const std::size_t pick = choice % (faults.size() + 1); pick > 0) {
        options.faults.add(faults[pick - 1].fault, argument);
    }
    return options;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using fuzz::require;
    if (size < kHeaderBytes) {
        return 0;
    }
    static const bool installed = (installHost(), true);
    (void)installed;

    const auto exported = kExports[data[0] % kExports.size()];
    const int32_t chipIndex = static_cast<int32_t>(data[1] % kCatalogueSize);
    const ChipRecord& chip = *findChip(chipIndex);
    answerYes = (data[2] & 1) != 0;
    sim::WriterSimulator& writer =
        fuzz::writerServing(chip, faultOf(static_cast<uint8_t>(data[2] >> 1), data[3]));
    ReplyScript script({data + kHeaderBytes, size - kHeaderBytes});
    writer.rewriteReplies(
        [&script](sim::ReportKind, std::span<uint8_t> reply) { script.rewrite(reply); });

    // A record as the program fills it: a short image to program and verify,
    // and buffers as large as the areas for a dump.
    std::vector<uint8_t> code(chip.mainAreaSize, 0x5A);
    std::vector<uint8_t> second(chip.secondAreaSize, 0xA5);
    uint16_t result = 0;
    auto context = std::make_unique<ZephlinContext>();
    context->result = &result;
    context->chipIndex = chipIndex;
    context->codeImage = code.data();
    context->codeSize = static_cast<uint32_t>(std::min(code.size(), kPieceBytes));
    context->codeChecksum = static_cast<uint16_t>(0x5A * context->codeSize);
    if (!second.empty()) {
        context->dataImage = second.data();
        context->dataSize = static_cast<uint32_t>(std::min(second.size(), kPieceBytes));
        context->dataChecksum = static_cast<uint16_t>(0xA5 * context->dataSize);
    }
    if (exported == DumpTarget) {
        context->codeSize = static_cast<uint32_t>(code.size());
        context->dataSize = static_cast<uint32_t>(second.size());
    }

    const uint16_t returned = exported(context.get());
    require(returned == result, "the result word holds the returned code");
    require(returned >= ZEPHLIN_RESULT_PASS && returned <= ZEPHLIN_RESULT_FILE_TOO_LARGE,
            "the export returns one of the result codes");
    require(!writerLink().isOpen(), "the export closes the writer");
    return 0;
}
