#include "shell/core/option_panel_model.h"
#include "tests/support/unused_part.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace zephlin {
namespace {

// Queues notifications and handles them later, one after another, like the
// window's event loop.
class Queue : public NotificationQueue {
public:
    void post(const OptionNotification& notification) override { pending.push_back(notification); }
    void drain(OptionPanelModel& model) {
        while (!pending.empty()) {
            const OptionNotification next = pending.front();
            pending.pop_front();
            handled.push_back(next);
            model.handle(next);
        }
    }
    std::deque<OptionNotification> pending;
    std::vector<OptionNotification> handled;
};

using testing::unusedPart;

struct PanelTest : ::testing::Test {
    ZephlinContext record{};
    Queue queue;
    OptionPanelModel model{record, queue};
    void rebuild(const ZephlinBodyInfo& part) {
        model.rebuild(part);
        queue.drain(model);
    }
};

TEST_F(PanelTest, AnUnusedCellIsDisabledWithTheTextNA) {
    ZephlinBodyInfo part = unusedPart(32768);
    record.selectSettings[2] = 9;
    record.selectSettings[6] = 0x55;
    model.rebuild(part);
    const SelectCellState& cell = model.select(2);
    EXPECT_FALSE(cell.enabled);
    EXPECT_FALSE(cell.listEnabled);
    EXPECT_EQ(cell.groupText, L"NA");
    EXPECT_TRUE(cell.entries.empty());
    EXPECT_EQ(record.selectSettings[2], 0u);
    EXPECT_EQ(record.selectSettings[6], 0u);
    EXPECT_FALSE(model.check(0).enabled);
    EXPECT_TRUE(model.check(0).label.empty());
    EXPECT_TRUE(model.check(0).tooltip.empty());
    EXPECT_EQ(model.numeric(1).groupText, L"NA");
    EXPECT_TRUE(queue.pending.empty()); // nothing to notify
}

TEST_F(PanelTest, EmptyPiecesOfAChoiceListAreSkipped) {
    ZephlinBodyInfo part = unusedPart(32768);
    part.selectCells[0] = {L"BOOT", {L"A,,B"}, 1};
    rebuild(part);
    EXPECT_EQ(model.select(0).entries, (std::vector<std::wstring>{L"A", L"B"}));
    EXPECT_EQ(model.select(0).selected, 1);
    EXPECT_EQ(record.selectSettings[0], 1u);
}

TEST_F(PanelTest, TheIspSizeCapsTheIapList) {
    ZephlinBodyInfo part = unusedPart(65536);
    part.selectCells[0] = {L"ISP-memory", {L"ISP-IAP-SET01"}, 0};
    part.selectCells[1] = {L"IAP-memory", {L"ISP-IAP-SET01"}, 56};
    rebuild(part);
    ASSERT_EQ(model.select(0).entries.size(), 65u);
    EXPECT_EQ(model.select(0).entries.front(), L"0 k");
    EXPECT_EQ(model.select(0).entries.back(), L"64 k");
    EXPECT_EQ(model.select(1).selected, 56);
    EXPECT_EQ(record.selectSettings[1], 56u);

    model.userSelects(0, 16);
    queue.drain(model);
    EXPECT_EQ(record.selectSettings[0], 16u);
    ASSERT_EQ(model.select(1).entries.size(), 49u);
    EXPECT_EQ(model.select(1).entries.back(), L"48 k");
    EXPECT_EQ(model.select(1).selected, 48);
    EXPECT_EQ(record.selectSettings[1], 48u);

    model.userSelects(1, 20);
    model.userSelects(0, 8);
    queue.drain(model);
    EXPECT_EQ(model.select(1).entries.size(), 57u);
    EXPECT_EQ(record.selectSettings[1], 20u); // a choice that still fits survives
}

TEST_F(PanelTest, HalfKilobyteRulesCountInSteps) {
    ZephlinBodyInfo part = unusedPart(32768, 6144);
    part.selectCells[0] = {L"ISP-memory", {L"ISP-IAP-SET02"}, 0};
    part.selectCells[2] = {L"ISP/IAP-memory", {L"ISP-IAP-SET03"}, 4};
    rebuild(part);
    const auto& half = model.select(0).entries;
    ASSERT_EQ(half.size(), 65u);
    EXPECT_EQ(half[0], L"0.0 k");
    EXPECT_EQ(half[1], L"0.5 k");
    EXPECT_EQ(half[2], L"1.0 k");
    EXPECT_EQ(half[64], L"32.0 k");
    const auto& split = model.select(2).entries;
    ASSERT_EQ(split.size(), 13u);
    EXPECT_EQ(split[0], L"ISP:0.0 k / IAP:6.0 k");
    EXPECT_EQ(split[3], L"ISP:1.5 k / IAP:4.5 k");
    EXPECT_EQ(split[12], L"ISP:6.0 k / IAP:0.0 k");
    EXPECT_EQ(record.selectSettings[2], 4u);
}

TEST_F(PanelTest, NumericCellsUseTheDigitCountOfTheirMask) {
    ZephlinBodyInfo part = unusedPart(65536);
    part.selectCells[6].name = L"IWDG_CNT";
    part.selectCells[6].choices.mask = 0xFFFFF;
    part.selectCells[6].defaultValue = 0x1234;
    rebuild(part);
    EXPECT_EQ(model.numeric(0).setText, L"01234");
    EXPECT_EQ(model.numeric(0).maxLength, 5);
    EXPECT_EQ(record.selectSettings[6], 0x1234u);

    model.userEditsNumeric(0, L"ab");
    EXPECT_EQ(model.numeric(0).setText, L"AB");
    EXPECT_EQ(record.selectSettings[6], 0xABu);
    model.userEditsNumeric(0, L"fffff0");
    EXPECT_EQ(model.numeric(0).setText, L"FFFFF");
    model.userEditsNumeric(0, L"12x4");
    EXPECT_EQ(record.selectSettings[6], 0x12u);
    model.userEditsNumeric(0, L"");
    EXPECT_EQ(record.selectSettings[6], 0u);
}

TEST_F(PanelTest, ACheckAttributeGatesItsList) {
    ZephlinBodyInfo part = unusedPart(32768);
    part.selectCells[1] = {L"IWDT_DIV", {L"F/1,F/2"}, 0};
    part.checkCells[5] = {L"IWDT_EN", 2, L"Enable IWDT\0启用", 1};
    rebuild(part);
    EXPECT_TRUE(model.select(1).listEnabled);
    EXPECT_EQ(record.checkSettings[5], 1u);
    EXPECT_EQ(model.check(5).tooltip.pick(Language::Chinese), L"启用");
    model.userClicks(5, false);
    EXPECT_FALSE(model.select(1).listEnabled);
    EXPECT_EQ(record.checkSettings[5], 0u);
    model.userClicks(5, true);
    EXPECT_TRUE(model.select(1).listEnabled);
}

TEST_F(PanelTest, DefaultsReachTheRecordOnlyOnceThePostedNotificationsRan) {
    const ZephlinBodyInfo* records = nullptr;
    ASSERT_EQ(GetBodyInfo(&records), 36);
    const ZephlinBodyInfo& part = records[0];
    model.rebuild(part);
    for (int cell = 0; cell < OptionPanelModel::kSelectCells; ++cell) {
        EXPECT_EQ(record.selectSettings[cell], 0u) << cell;
    }
    EXPECT_FALSE(queue.pending.empty());
    queue.drain(model);
    for (int cell = 0; cell < OptionPanelModel::kSelectCells; ++cell) {
        if (std::wstring_view(part.selectCells[cell].name) != L"NA") {
            EXPECT_EQ(record.selectSettings[cell], part.selectCells[cell].defaultValue) << cell;
        }
    }
    for (int cell = 0; cell < OptionPanelModel::kCheckCells; ++cell) {
        const bool used = std::wstring_view(part.checkCells[cell].name) != L"NA";
        EXPECT_EQ(record.checkSettings[cell], used && part.checkCells[cell].defaultValue ? 1u : 0u)
            << cell;
    }
    // In posting order: the selection changes, the clicks, and last the IAP
    // list's change that the ISP list's change posted while it ran.
    EXPECT_EQ(queue.handled.front(), (OptionNotification{OptionEvent::SelectionChange, 0}));
    EXPECT_EQ(queue.handled[queue.handled.size() - 2].event, OptionEvent::Click);
    EXPECT_EQ(queue.handled.back(), (OptionNotification{OptionEvent::SelectionChange, 1}));
}

TEST_F(PanelTest, DisplayShowsARecordInNowOrSetControls) {
    ZephlinBodyInfo part = unusedPart(32768, 6144);
    part.selectCells[0] = {L"BOOT", {L"Flash,Data"}, 0};
    part.selectCells[1] = {L"ISP/IAP-memory", {L"ISP-IAP-SET03"}, 0};
    part.selectCells[6].name = L"CNT";
    part.selectCells[6].choices.mask = 0xFF;
    part.checkCells[0] = {L"LOCK", 1, L"Lock\0锁", 0};
    rebuild(part);

    ZephlinContext read{};
    read.selectSettings[0] = 1;
    read.selectSettings[1] = 2;
    read.selectSettings[6] = 0x7;
    read.checkSettings[0] = 1;
    model.display(read, DisplayMode::Now);
    EXPECT_EQ(model.select(0).nowText, L"Data");
    EXPECT_EQ(model.select(1).nowText, L"ISP:1.0 k / IAP:5.0 k");
    EXPECT_EQ(model.numeric(0).nowText, L"07");
    EXPECT_TRUE(model.check(0).nowTicked);
    EXPECT_EQ(record.selectSettings[0], 0u); // Now leaves the settings alone
    EXPECT_TRUE(queue.pending.empty());

    read.selectSettings[0] = 5; // no such piece
    model.display(read, DisplayMode::Now);
    EXPECT_EQ(model.select(0).nowText, L"");
    model.clearNow();
    EXPECT_EQ(model.select(1).nowText, L"");
    EXPECT_FALSE(model.check(0).nowTicked);

    read.selectSettings[0] = 1;
    model.display(read, DisplayMode::Set);
    EXPECT_EQ(model.select(0).selected, 1);
    EXPECT_TRUE(model.check(0).ticked);
    EXPECT_TRUE(model.select(0).listEnabled); // the gate follows the box
    queue.drain(model);
    EXPECT_EQ(record.selectSettings[0], 1u);
    EXPECT_EQ(record.selectSettings[1], 2u);
    EXPECT_EQ(record.selectSettings[6], 7u);
}

} // namespace
} // namespace zephlin
