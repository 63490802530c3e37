#include "buffer/core/insert_isp_command.h"

#include "buffer/core/image_hand_over.h"
#include "common/text_field.h"
#include "shell/core/control_ids.h"
#include "shell/core/ui_texts.h"
#include "shell/core/workspace_command.h"

#include "support/checksum16.h"

#include <filesystem>

namespace zephlin {
namespace {

constexpr uint32_t kIspInSecondArea = 21;

class InsertIspCommand : public WorkspaceCommand {
public:
    InsertIspCommand(Workspace& workspace, int page) : WorkspaceCommand(workspace), page_(page) {}
    TextPair name() const override { return controlText(ids::kInsertIspCode); }

    Preparation prepare() override {
        CodeBuffer& buffer = workspace_.buffer();
        std::vector<uint8_t> area = buffer.readArea(page_);
        const std::size_t length = area.size();
        // The library writes up to the area's capacity into the image.
        area.resize(buffer.capacity(page_), 0xFF);
        ZephlinContext& record = workspace_.record();
        if (page_ == kMainPage) {
            images_.passMainArea(std::move(area));
            record.codeSize = static_cast<uint32_t>(length);
            record.codeChecksum = checksum16(images_.mainImage().first(length));
        } else {
            images_.passSecondArea(std::move(area));
            record.dataSize = static_cast<uint32_t>(length);
            record.dataChecksum = checksum16(images_.secondImage().first(length));
        }
        return Preparation::use(record);
    }
    uint16_t call(ZephlinContext& record) override { return InsertISPcode(&record); }
    void beforeOutcome(uint16_t resultCode) override {
        if (resultCode != ZEPHLIN_RESULT_PASS) {
            return;
        }
        ZephlinContext& record = workspace_.record();
        const auto image = page_ == kMainPage ? images_.mainImage().first(record.codeSize)
                                              : images_.secondImage().first(record.dataSize);
        CodeBuffer& buffer = workspace_.buffer();
        buffer.setArea(page_, image);
        buffer.loadRecord(page_).state = stateAfterIspInsert(buffer.loadRecord(page_).state);
        workspace_.panel().display(record, DisplayMode::Set);
        workspace_.settlePanel();
        keepFileNameOnly(record);
    }

private:
    // A project stores the ISP code's name without its folder.
    static void keepFileNameOnly(ZephlinContext& record) {
        if (record.ispCodeSource != 1) {
            return;
        }
        const std::wstring name = std::filesystem::path(record.ispCodeName).filename().wstring();
        copyTextField(record.ispCodeName, ZEPHLIN_PATH_CAPACITY, name);
    }

    int page_;
    ImageHandOver images_{workspace_.record()};
};

} // namespace

int ispTargetPage(uint32_t chipType) {
    return chipType == kIspInSecondArea ? kSecondPage : kMainPage;
}

void chooseBuiltInIsp(ZephlinContext& record) {
    record.ispCodeSource = 0;
    copyTextField(record.ispCodeName, ZEPHLIN_PATH_CAPACITY, kDefaultIspName);
}

void chooseUserIsp(ZephlinContext& record, std::wstring_view fullPath) {
    record.ispCodeSource = 1;
    copyTextField(record.ispCodeName, ZEPHLIN_PATH_CAPACITY, fullPath);
}

std::unique_ptr<Command> makeInsertIsp(Workspace& workspace, int page) {
    return std::make_unique<InsertIspCommand>(workspace, page);
}

} // namespace zephlin
