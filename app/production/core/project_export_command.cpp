#include "production/core/project_export_command.h"

#include "shell/core/control_ids.h"
#include "shell/core/ui_texts.h"
#include "shell/core/workspace_command.h"

#include "support/checksum16.h"

namespace zephlin {
namespace {

constexpr TextPair kBufferEmpty{L"Buffer is empty", L"代码缓冲区是空的"};

class ProjectExportCommand : public WorkspaceCommand {
public:
    using Export = uint16_t (*)(ZephlinContext*);
    ProjectExportCommand(Workspace& workspace, int buttonId, Export call, CallForm form)
        : WorkspaceCommand(workspace), buttonId_(buttonId), export_(call), form_(form) {}

    TextPair name() const override { return controlText(buttonId_); }
    CallForm form() const override { return form_; }
    bool showsWaitCursor() const override { return form_ == CallForm::Worker; }
    Preparation prepare() override { return handOverProjectImages(workspace_, images_); }
    uint16_t call(ZephlinContext& record) override {
        record.stepFlags |= ZEPHLIN_STEP_IN_SEQUENCE;
        const uint16_t code = export_(&record);
        record.stepFlags &= static_cast<uint16_t>(~ZEPHLIN_STEP_IN_SEQUENCE);
        return code;
    }

private:
    int buttonId_;
    Export export_;
    CallForm form_;
    ImageHandOver images_{workspace_.record()};
};

} // namespace

Preparation handOverProjectImages(Workspace& workspace, ImageHandOver& images) {
    CodeBuffer& buffer = workspace.buffer();
    if (!buffer.anyPageLoaded()) {
        return Preparation::refuse(kBufferEmpty);
    }
    const ZephlinBodyInfo& part = workspace.part();
    ZephlinContext& record = workspace.record();
    images.passMainArea(buffer.readArea(kMainPage));
    images.setCodeAreaChecksum(part.mainAreaSize);
    if (part.secondAreaSize != 0) {
        images.passSecondArea(buffer.readArea(kSecondPage));
        record.dataAreaChecksum = areaChecksum16(images.secondImage(), part.secondAreaSize);
    } else {
        images.skipSecondArea();
        record.dataStart = 0;
        record.dataChecksum = 0;
        record.dataAreaChecksum = 0;
    }
    return Preparation::use(record);
}

std::unique_ptr<Command> makeSaveKdx(Workspace& workspace) {
    return std::make_unique<ProjectExportCommand>(workspace, ids::kSaveKdx, SaveKDX,
                                                  CallForm::Direct);
}

std::unique_ptr<Command> makeOffLineMode(Workspace& workspace) {
    return std::make_unique<ProjectExportCommand>(workspace, ids::kOffLineMode, OffLineMode,
                                                  CallForm::Worker);
}

} // namespace zephlin
