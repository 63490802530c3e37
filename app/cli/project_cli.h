// The zephlin commands for project files: kdx-save and kdx-info.
#pragma once

#include "cli_arguments.h"
#include "device_commands.h"
#include "image_hand_over.h"
#include "session.h"

namespace zephlin::cli {

// The record as Save KDX and Off-Line Mode hand it to the library: copies of
// both buffers with their sums and the area checksums; refused with "Buffer
// is empty" when nothing is loaded.
Preparation handOverProjectImages(Session& session, ImageHandOver& images);

// Save KDX and Off-Line Mode: the project images handed over, the export
// called with the in-sequence step flag set so that the option words carry
// the chip checksum when the steps ask for it.
class ProjectExportCommand : public SessionCommand {
public:
    using Export = uint16_t (*)(ZephlinContext*);
    ProjectExportCommand(Session& session, int buttonId, Export call, CallForm form);

    TextPair name() const override;
    CallForm form() const override { return form_; }
    bool showsWaitCursor() const override { return form_ == CallForm::Worker; }
    Preparation prepare() override;
    uint16_t call(ZephlinContext& record) override;

private:
    int buttonId_;
    Export export_;
    CallForm form_;
    ImageHandOver images_{session_.record()};
};

// kdx-save OUT.kdx FILE: loads FILE (and --data), applies --set, inserts ISP
// code for --isp, takes --customer, and saves the project as OUT.kdx with the
// "Save KDX" log entry.
int runKdxSave(Session& session, const Arguments& arguments);

// kdx-info FILE.kdx: every footer field, the decoded options and the outcome
// of each check the library makes when it loads the project.
int runKdxInfo(Session& session, const Arguments& arguments);

} // namespace zephlin::cli
