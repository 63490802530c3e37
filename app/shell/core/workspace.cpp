#include "shell/core/workspace.h"

namespace zephlin {
namespace {

PartCatalogue loadCatalogue() {
    const ZephlinBodyInfo* records = nullptr;
    const int32_t count = GetBodyInfo(&records);
    return {records, count};
}

} // namespace

Workspace::Workspace(const WorkspaceFront& front, Language language)
    : notifications_(front.notifications), catalogue_(loadCatalogue()),
      record_(std::make_unique<ZephlinContext>()), resultWord_(std::make_unique<uint16_t>(0)),
      buffer_(front.mainArea, front.secondArea), panel_(*record_, front.notifications),
      log_(front.log), runner_(log_, front.runnerHost, front.wait), language_(language) {
    record_->chipIndex = -1;
    record_->result = resultWord_.get();
}

void Workspace::selectPart(int32_t chipIndex) {
    if (!catalogue_.contains(chipIndex)) {
        return;
    }
    part_ = &catalogue_.part(chipIndex);
    record_->chipIndex = chipIndex;
    panel_.rebuild(*part_);
    settlePanel();
    buffer_.resetForPart(part_->mainAreaSize, part_->secondAreaSize);
    resetPartFields(*record_, *part_);
    panel_.clearNow();
    if (partObserver_) {
        partObserver_();
    }
}

void Workspace::restorePart() {
    // Selecting the part resets the record's per-part fields; a restored part
    // keeps what the record held.
    const auto kept = std::make_unique<ZephlinContext>(*record_);
    selectPart(kept->chipIndex);
    *record_ = *kept;
}

void Workspace::restoreProjectPart() {
    restorePart();
    panel_.display(*record_, DisplayMode::Set);
    settlePanel();
}

uint16_t Workspace::run(Command& command) {
    const uint16_t code = runner_.run(command).value_or(ZEPHLIN_RESULT_FAIL);
    note(code);
    return code;
}

void Workspace::note(uint16_t resultCode) {
    if (resultCode != ZEPHLIN_RESULT_PASS && firstFailure_ == 0) {
        firstFailure_ = resultCode;
    }
}

} // namespace zephlin
