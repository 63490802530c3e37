#include "shell/core/device_commands.h"

#include "shell/core/control_ids.h"
#include "shell/core/log_grammar.h"
#include "shell/core/ui_texts.h"
#include "shell/core/workspace_command.h"

#include "buffer/core/image_hand_over.h"

#include <algorithm>

namespace zephlin {
namespace {

// A command that calls one export with the workspace's record.
class ExportCommand : public WorkspaceCommand {
public:
    using Export = uint16_t (*)(ZephlinContext*);

    ExportCommand(Workspace& workspace, int buttonId, Export call, CallForm form, bool autoStep)
        : WorkspaceCommand(workspace), buttonId_(buttonId), export_(call), form_(form),
          autoStep_(autoStep) {}

    TextPair name() const override { return controlText(buttonId_); }
    CallForm form() const override { return form_; }
    bool showsWaitCursor() const override { return true; }
    bool canBeAutoStep() const override { return autoStep_; }
    Preparation prepare() override { return Preparation::use(workspace_.record()); }
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
    AreaSelectCommand(Workspace& workspace, int buttonId, Export call, CallForm form, Areas areas)
        : ExportCommand(workspace, buttonId, call, form, true), areas_(areas) {}

    Preparation prepare() override {
        ZephlinContext& record = workspace_.record();
        const bool inAuto = workspace_.runner().autoRunning();
        record.codeSize = inAuto || areas_.main ? workspace_.part().mainAreaSize : 0;
        record.dataSize = inAuto || areas_.second ? workspace_.part().secondAreaSize : 0;
        return Preparation::use(record);
    }

private:
    Areas areas_;
};

// Program and Verify: copies of the buffers of the areas that take part.
class ImageCommand : public ExportCommand {
public:
    ImageCommand(Workspace& workspace, int buttonId, Export call, Areas areas)
        : ExportCommand(workspace, buttonId, call, CallForm::Worker, true), areas_(areas) {}

    Preparation prepare() override {
        ZephlinContext& record = workspace_.record();
        CodeBuffer& buffer = workspace_.buffer();
        const bool inAuto = workspace_.runner().autoRunning();
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
        images_.setCodeAreaChecksum(workspace_.part().mainAreaSize);
        return Preparation::use(record);
    }

private:
    Areas areas_;
    ImageHandOver images_{workspace_.record()};
};

class ReadOptionsCommand : public ScratchCommand {
public:
    ReadOptionsCommand(Workspace& workspace, OptionsRead shown)
        : ScratchCommand(workspace), shown_(std::move(shown)) {}
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
            workspace_.log().append(checksumLine(checksum_, workspace_.language()));
        }
    }

private:
    uint16_t checksum_ = 0xFFFF;
};

class DumpTargetCommand : public ScratchCommand {
public:
    DumpTargetCommand(Workspace& workspace, DumpRead read)
        : ScratchCommand(workspace), read_(std::move(read)) {}
    TextPair name() const override { return controlText(ids::kDumpTarget); }
    CallForm form() const override { return CallForm::Worker; }

    Preparation prepare() override {
        const ZephlinBodyInfo& part = workspace_.part();
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

Areas areasOfPage(int page) {
    return {page == kMainPage, page == kSecondPage};
}

std::unique_ptr<Command> makeCheckId(Workspace& workspace) {
    return std::make_unique<ExportCommand>(workspace, ids::kCheckId, CheckID, CallForm::Direct,
                                           false);
}

std::unique_ptr<Command> makeErase(Workspace& workspace, Areas areas) {
    return std::make_unique<AreaSelectCommand>(workspace, ids::kErase, Erase, CallForm::Direct,
                                               areas);
}

std::unique_ptr<Command> makeBlankCheck(Workspace& workspace, Areas areas) {
    return std::make_unique<AreaSelectCommand>(workspace, ids::kBlankCheck, BlankCheck,
                                               CallForm::Worker, areas);
}

std::unique_ptr<Command> makeProgram(Workspace& workspace, Areas areas) {
    return std::make_unique<ImageCommand>(workspace, ids::kProgram, Program, areas);
}

std::unique_ptr<Command> makeVerify(Workspace& workspace, Areas areas) {
    return std::make_unique<ImageCommand>(workspace, ids::kVerify, Verify, areas);
}

std::unique_ptr<Command> makeWholeChipErase(Workspace& workspace) {
    return std::make_unique<ExportCommand>(workspace, ids::kWholeChipErase, WholeChipErase,
                                           CallForm::Direct, true);
}

std::unique_ptr<Command> makeWriteOptions(Workspace& workspace) {
    return std::make_unique<ExportCommand>(workspace, ids::kWriteOptions, WriteOptions,
                                           CallForm::Direct, true);
}

std::unique_ptr<Command> makeReadOptions(Workspace& workspace, OptionsRead shown) {
    return std::make_unique<ReadOptionsCommand>(workspace, std::move(shown));
}

std::unique_ptr<Command> makeReadChecksum(Workspace& workspace) {
    return std::make_unique<ReadChecksumCommand>(workspace);
}

std::unique_ptr<Command> makeDumpTarget(Workspace& workspace, DumpRead read) {
    return std::make_unique<DumpTargetCommand>(workspace, std::move(read));
}

} // namespace zephlin
