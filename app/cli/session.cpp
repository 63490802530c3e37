#include "session.h"

namespace zephlin::cli {
namespace {

PartCatalogue loadCatalogue() {
    const ZephlinBodyInfo* records = nullptr;
    const int32_t count = GetBodyInfo(&records);
    return {records, count};
}

} // namespace

void NotificationBacklog::deliverTo(OptionPanelModel& panel) {
    while (!queue_.empty()) {
        const OptionNotification next = queue_.front();
        queue_.pop_front();
        panel.handle(next);
    }
}

Session::Session(Language language)
    : language_(language), catalogue_(loadCatalogue()), record_(std::make_unique<ZephlinContext>()),
      panel_(*record_, backlog_), host_(console_, language), runner_(log_, host_, wait_) {
    record_->chipIndex = -1;
    record_->result = &resultWord_;
}

void Session::selectPart(int32_t chipIndex) {
    part_ = &catalogue_.part(chipIndex);
    record_->chipIndex = chipIndex;
    panel_.rebuild(*part_);
    settlePanel();
    buffer_.resetForPart(part_->mainAreaSize, part_->secondAreaSize);
    resetPartFields(*record_, *part_);
}

void Session::restorePart() {
    const ZephlinContext project = *record_;
    selectPart(project.chipIndex);
    *record_ = project;
    panel_.display(*record_, DisplayMode::Set);
    settlePanel();
}

uint16_t Session::run(Command& command) {
    const uint16_t code = runner_.run(command).value_or(ZEPHLIN_RESULT_FAIL);
    note(code);
    return code;
}

void Session::note(uint16_t resultCode) {
    if (resultCode != ZEPHLIN_RESULT_PASS && firstFailure_ == 0) {
        firstFailure_ = resultCode;
    }
}

int Session::exitStatus() const {
    if (firstFailure_ == 0) {
        return 0;
    }
    // Codes below 101 are never final results; they still must not read as success.
    return firstFailure_ > ZEPHLIN_RESULT_PASS ? firstFailure_ - 100 : 1;
}

} // namespace zephlin::cli
