#include "device_commands.h"

#include "control_ids.h"
#include "log_grammar.h"
#include "ui_texts.h"

#include <array>

namespace zephlin::cli {
namespace {

// A command that calls one export with the session's record.
class ExportCommand : public SessionCommand {
public:
    using Export = uint16_t (*)(ZephlinContext*);

    ExportCommand(Session& session, int buttonId, Export call, CallForm form, bool autoStep)
        : SessionCommand(session), buttonId_(buttonId), export_(call), form_(form),
          autoStep_(autoStep) {}

    TextPair name() const override { return controlText(buttonId_); }
    CallForm form() const override { return form_; }
    bool showsWaitCursor() const override { return true; }
    bool canBeAutoStep() const override { return autoStep_; }
    Preparation prepare() override { return Preparation::use(session_.record()); }
    uint16_t call(ZephlinContext& record) override { return export_(&record); }

private:
    int buttonId_;
    Export export_;
    CallForm form_;
    bool autoStep_;
};

// Erase and Blank Check: the area sizes select the areas.
class AreaSelectCommand : public ExportCommand {
public:
    AreaSelectCommand(Session& session, int buttonId, Export call, CallForm form, Areas areas)
        : ExportCommand(session, buttonId, call, form, true), areas_(areas) {}

    Preparation prepare() override {
        ZephlinContext& record = session_.record();
        const bool inAuto = session_.runner().autoRunning();
        record.codeSize = inAuto || areas_.main ? session_.part().mainAreaSize : 0;
        record.dataSize = inAuto || areas_.second ? session_.part().secondAreaSize : 0;
        return Preparation::use(record);
    }

private:
    Areas areas_;
};

// Program and Verify: copies of the buffers of the areas that take part.
class ImageCommand : public ExportCommand {
public:
    ImageCommand(Session& session, int buttonId, Export call, Areas areas)
        : ExportCommand(session, buttonId, call, CallForm::Worker, true), areas_(areas) {}

    Preparation prepare() override {
        ZephlinContext& record = session_.record();
        CodeBuffer& buffer = session_.buffer();
        const bool inAuto = session_.runner().autoRunning();
        if (inAuto || areas_.main) {
            images_.passMainArea(buffer.readArea(kMainPage));
        } else {
            images_.skipMainArea();
        }
        if ((inAuto || areas_.second) && buffer.hasSecondArea()) {
            images_.passSecondArea(buffer.readArea(kSecondPage));
        } else {
            images_.skipSecondArea();
        }
        images_.setCodeAreaChecksum(session_.part().mainAreaSize);
        return Preparation::use(record);
    }

private:
    Areas areas_;
    ImageHandOver images_{session_.record()};
};

class ReadOptionsCommand : public ScratchCommand {
public:
    ReadOptionsCommand(Session& session, OptionsRead shown)
        : ScratchCommand(session), shown_(std::move(shown)) {}
    TextPair name() const override { return controlText(ids::kReadOptions); }
    uint16_t call(ZephlinContext& record) override { return ReadOptions(&record); }
    void beforeOutcome(uint16_t resultCode) override {
        if (resultCode == ZEPHLIN_RESULT_PASS && shown_) {
            shown_(*scratch_);
        }
    }

private:
    OptionsRead shown_;
};

class ReadChecksumCommand : public ScratchCommand {
public:
    using ScratchCommand::ScratchCommand;
    TextPair name() const override { return controlText(ids::kReadChipChecksum); }
    uint16_t call(ZephlinContext& record) override { return ReadCheckSum(&record, &checksum_); }
    void followUp(uint16_t resultCode) override {
        if (resultCode == ZEPHLIN_RESULT_PASS) {
            session_.log().append(checksumLine(checksum_, session_.language()));
        }
    }

private:
    uint16_t checksum_ = 0xFFFF;
};

class DumpTargetCommand : public ScratchCommand {
public:
    DumpTargetCommand(Session& session, DumpRead read)
        : ScratchCommand(session), read_(std::move(read)) {}
    TextPair name() const override { return controlText(ids::kDumpTarget); }
    CallForm form() const override { return CallForm::Worker; }

    Preparation prepare() override {
        const ZephlinBodyInfo& part = session_.part();
        areas_.main.assign(part.mainAreaSize, 0xFF);
        areas_.second.assign(part.secondAreaSize, 0xFF);
        scratch_->codeImage = areas_.main.data();
        scratch_->codeSize = part.mainAreaSize;
        scratch_->dataImage = part.secondAreaSize != 0 ? areas_.second.data() : nullptr;
        scratch_->dataSize = part.secondAreaSize;
        return Preparation::use(*scratch_);
    }
    uint16_t call(ZephlinContext& record) override { return DumpTarget(&record); }
    void beforeOutcome(uint16_t resultCode) override {
        if (resultCode != ZEPHLIN_RESULT_PASS) {
            return;
        }
        areas_.main.resize(std::min<std::size_t>(scratch_->codeSize, areas_.main.size()));
        areas_.second.resize(std::min<std::size_t>(scratch_->dataSize, areas_.second.size()));
        if (read_) {
            read_(*scratch_, areas_);
        }
    }

private:
    DumpRead read_;
    DumpResult areas_;
};

} // namespace

ScratchCommand::ScratchCommand(Session& session)
    : SessionCommand(session), scratch_(std::make_unique<ZephlinContext>()) {
    scratch_->chipIndex = session.record().chipIndex;
    scratch_->result = &resultWord_;
}

std::unique_ptr<Command> makeCheckId(Session& session) {
    return std::make_unique<ExportCommand>(session, ids::kCheckId, CheckID, CallForm::Direct,
                                           false);
}

std::unique_ptr<Command> makeErase(Session& session, Areas areas) {
    return std::make_unique<AreaSelectCommand>(session, ids::kErase, Erase, CallForm::Direct,
                                               areas);
}

std::unique_ptr<Command> makeBlankCheck(Session& session, Areas areas) {
    return std::make_unique<AreaSelectCommand>(session, ids::kBlankCheck, BlankCheck,
                                               CallForm::Worker, areas);
}

std::unique_ptr<Command> makeProgram(Session& session, Areas areas) {
    return std::make_unique<ImageCommand>(session, ids::kProgram, Program, areas);
}

std::unique_ptr<Command> makeVerify(Session& session, Areas areas) {
    return std::make_unique<ImageCommand>(session, ids::kVerify, Verify, areas);
}

std::unique_ptr<Command> makeWholeChipErase(Session& session) {
    return std::make_unique<ExportCommand>(session, ids::kWholeChipErase, WholeChipErase,
                                           CallForm::Direct, true);
}

std::unique_ptr<Command> makeWriteOptions(Session& session) {
    return std::make_unique<ExportCommand>(session, ids::kWriteOptions, WriteOptions,
                                           CallForm::Direct, true);
}

std::unique_ptr<Command> makeReadOptions(Session& session, OptionsRead shown) {
    return std::make_unique<ReadOptionsCommand>(session, std::move(shown));
}

std::unique_ptr<Command> makeReadChecksum(Session& session) {
    return std::make_unique<ReadChecksumCommand>(session);
}

std::unique_ptr<Command> makeDumpTarget(Session& session, DumpRead read) {
    return std::make_unique<DumpTargetCommand>(session, std::move(read));
}

void runAutoSequence(Session& session) {
    struct Step {
        uint16_t flag;
        std::unique_ptr<Command> (*make)(Session&);
    };
    const std::array<Step, 6> steps{
        Step{ZEPHLIN_STEP_WHOLE_CHIP_ERASE, makeWholeChipErase},
        Step{ZEPHLIN_STEP_ERASE,
             [](Session& s) {
                 return makeErase(s, {true, true});
             }},
        Step{ZEPHLIN_STEP_BLANK_CHECK,
             [](Session& s) {
                 return makeBlankCheck(s, {true, true});
             }},
        Step{ZEPHLIN_STEP_PROGRAM,
             [](Session& s) {
                 return makeProgram(s, {true, true});
             }},
        Step{ZEPHLIN_STEP_VERIFY,
             [](Session& s) {
                 return makeVerify(s, {true, true});
             }},
        Step{ZEPHLIN_STEP_WRITE_OPTIONS, makeWriteOptions},
    };
    ZephlinContext& record = session.record();
    session.runner().setAutoRunning(true);
    session.log().writeAutoStart(session.language());
    for (const Step& step : steps) {
        if ((record.stepFlags & step.flag) == 0) {
            continue;
        }
        record.stepFlags |= ZEPHLIN_STEP_IN_SEQUENCE;
        const auto command = step.make(session);
        const uint16_t code = session.run(*command);
        record.stepFlags &= static_cast<uint16_t>(~ZEPHLIN_STEP_IN_SEQUENCE);
        if (code != ZEPHLIN_RESULT_PASS && step.flag != ZEPHLIN_STEP_WRITE_OPTIONS) {
            break;
        }
    }
    session.log().writeAutoEnd(session.language());
    session.runner().setAutoRunning(false);
}

} // namespace zephlin::cli
