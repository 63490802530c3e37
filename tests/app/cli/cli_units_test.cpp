#include "cli/cli_arguments.h"
#include "cli/cli_choices.h"
#include "cli/console_output.h"
#include "cli/option_assignments.h"
#include "shell/core/notification_backlog.h"
#include "tests/support/unused_part.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

namespace zephlin::cli {
namespace {

Arguments parse(std::initializer_list<std::string> words) {
    return parseArguments(std::vector<std::string>(words));
}

std::string usageMessage(const std::function<void()>& action) {
    try {
        action();
    } catch (const UsageError& error) {
        return error.message;
    }
    return "(accepted)";
}

TEST(CliArguments, OptionsTakeTheirValueEitherWayAndOperandsFollowTheCommand) {
    const Arguments arguments =
        parse({"program", "--part=3", "app.hex", "--set", "A=1", "--set", "B=2", "--yes"});
    EXPECT_EQ(arguments.command, "program");
    EXPECT_EQ(arguments.operands, std::vector<std::string>{"app.hex"});
    EXPECT_EQ(arguments.value("--part"), "3");
    EXPECT_EQ(arguments.values("--set"), (std::vector<std::string>{"A=1", "B=2"}));
    EXPECT_TRUE(arguments.has("--yes"));
    EXPECT_FALSE(arguments.has("--data"));
}

TEST(CliArguments, AfterADoubleDashEveryWordIsAnOperand) {
    const Arguments arguments = parse({"program", "--part", "0", "--", "--odd.hex", "-h"});
    EXPECT_EQ(arguments.operands, (std::vector<std::string>{"--odd.hex", "-h"}));
    EXPECT_FALSE(arguments.has("--help"));
}

TEST(CliArguments, MistakesAreUsageErrors) {
    EXPECT_EQ(usageMessage([] { parse({"erase", "--frob"}); }), "unknown option --frob");
    EXPECT_EQ(usageMessage([] { parse({"erase", "--area"}); }), "--area needs a value");
    EXPECT_EQ(usageMessage([] { parse({"erase", "--yes=1"}); }), "--yes takes no value");

    const Arguments erase = parse({"erase", "--data", "x.bin", "--part", "0"});
    EXPECT_EQ(usageMessage([&] { requireShape(erase, {"--area"}, 0, 0); }),
              "erase does not take --data");
    const Arguments program = parse({"program", "a.hex", "b.hex", "--writer", "sim"});
    EXPECT_EQ(usageMessage([&] { requireShape(program, {"--data"}, 1, 1); }),
              "unexpected operand b.hex");
    EXPECT_EQ(usageMessage([&] { requireShape(parse({"verify"}), {}, 1, 1); }),
              "verify needs 1 operand");
}

TEST(CliArguments, StepListsMapToTheAutoFlags) {
    EXPECT_EQ(chosenSteps(parse({"auto"})), std::nullopt);
    EXPECT_EQ(chosenSteps(parse({"auto", "--steps", "wce,blank,program,verify,options,checksum"})),
              ZEPHLIN_STEP_DEFAULT);
    EXPECT_EQ(chosenSteps(parse({"auto", "--steps", "erase"})), ZEPHLIN_STEP_ERASE);
    EXPECT_NE(usageMessage([] {
                  chosenSteps(parse({"auto", "--steps", "wce,,verify"}));
              }),
              "(accepted)");
    EXPECT_NE(usageMessage([] {
                  chosenSteps(parse({"auto", "--steps", "Program"}));
              }),
              "(accepted)");
}

TEST(CliArguments, PlacementTakesHexadecimalAddressesAndTwoFillValues) {
    const Placement placement =
        chosenPlacement(parse({"program", "--at", "0x1F00", "--fill", "00"}));
    EXPECT_EQ(placement.loadAddress, 0x1F00u);
    EXPECT_EQ(placement.fill, FillMode::Zeros);
    EXPECT_EQ(chosenPlacement(parse({"program", "--fill", "FF"})).fill, FillMode::Ones);
    EXPECT_NE(usageMessage([] {
                  chosenPlacement(parse({"program", "--fill", "AA"}));
              }),
              "(accepted)");
    EXPECT_NE(usageMessage([] {
                  chosenPlacement(parse({"program", "--at", "1G"}));
              }),
              "(accepted)");
    EXPECT_NE(usageMessage([] {
                  chosenPlacement(parse({"program", "--at", "100000000"}));
              }),
              "(accepted)");
}

// BOOT (select), WDT_DIV (select gated by WDT_EN), TRIM (2-digit number),
// WDT_EN and LOCK (checks).
struct OptionAssignments : ::testing::Test {
    ZephlinBodyInfo part{};
    ZephlinContext record{};
    NotificationBacklog backlog;
    OptionPanelModel panel{record, backlog};

    void SetUp() override {
        backlog.setModel(&panel);
        part = testing::unusedPart(32768);
        part.selectCells[0] = {L"BOOT", {L"Application Flash,Boot Flash"}, 0};
        part.selectCells[1] = {L"WDT_DIV", {L"F/1,F/2,F/4"}, 2};
        part.selectCells[6].name = L"TRIM";
        part.selectCells[6].choices.mask = 0xFF00;
        part.checkCells[0] = {L"WDT_EN", 2, L"Watchdog\0看门狗", 0};
        part.checkCells[1] = {L"LOCK", 0, L"Lock\0加密", 1};
        panel.rebuild(part);
        settle();
    }
    void settle() { backlog.deliverPending(); }
    std::string apply(std::vector<std::string> assignments) {
        return usageMessage([&] { applyAssignments(panel, part, assignments, [&] { settle(); }); });
    }
};

TEST_F(OptionAssignments, ChoicesByTextInAnyCaseOrByIndex) {
    EXPECT_EQ(apply({"boot=boot flash"}), "(accepted)");
    EXPECT_EQ(record.selectSettings[0], 1u);
    EXPECT_EQ(apply({"BOOT=0"}), "(accepted)");
    EXPECT_EQ(record.selectSettings[0], 0u);
    EXPECT_EQ(apply({"BOOT=2"}), "option BOOT has no choice 2");
    EXPECT_EQ(apply({"BOOT=Flash"}), "option BOOT has no choice Flash");
}

TEST_F(OptionAssignments, AGatedChoiceNeedsItsCheckBoxFirst) {
    EXPECT_EQ(apply({"WDT_DIV=F/2"}), "option WDT_DIV needs WDT_EN=1 first");
    EXPECT_EQ(record.selectSettings[1], 2u);
    EXPECT_EQ(apply({"WDT_EN=1", "WDT_DIV=F/2"}), "(accepted)");
    EXPECT_EQ(record.checkSettings[0], 1u);
    EXPECT_EQ(record.selectSettings[1], 1u);
}

TEST_F(OptionAssignments, ChecksTakeZeroOrOneAndNumbersTheirDigits) {
    EXPECT_EQ(apply({"LOCK=0", "TRIM=0x3a"}), "(accepted)");
    EXPECT_EQ(record.checkSettings[1], 0u);
    EXPECT_EQ(record.selectSettings[6], 0x3Au);
    EXPECT_EQ(apply({"LOCK=yes"}), "option LOCK takes 0 or 1, not yes");
    EXPECT_EQ(apply({"TRIM=123"}), "option TRIM takes at most 2 hexadecimal digits, not 123");
    EXPECT_EQ(apply({"TRIM=G1"}), "option TRIM takes at most 2 hexadecimal digits, not G1");
}

TEST_F(OptionAssignments, UnknownNamesAndMalformedAssignmentsAreRefused) {
    EXPECT_EQ(apply({"NA=1"}), "part Test part has no option NA (see zephlin options)");
    EXPECT_EQ(apply({"SPEED=1"}), "part Test part has no option SPEED (see zephlin options)");
    EXPECT_EQ(apply({"LOCK"}), "--set takes NAME=VALUE, not LOCK");
}

TEST_F(OptionAssignments, SettingsPrintAsTheirTexts) {
    apply({"BOOT=1", "TRIM=7"});
    std::ostringstream out;
    printSettings(out, part, record);
    EXPECT_EQ(out.str(), "   BOOT : Boot Flash\n   WDT_DIV : F/4\n   TRIM : 07\n   WDT_EN : 0\n"
                         "   LOCK : 1\n");
}

} // namespace
} // namespace zephlin::cli

namespace zephlin::cli {
namespace {

std::string contentsOf(std::FILE* file) {
    std::fflush(file);
    std::rewind(file);
    std::string text;
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) {
        text += static_cast<char>(c);
    }
    return text;
}

TEST(ConsoleLog, WritesWholeLinesInUtf8AndKeepsTheOpenEntry) {
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    {
        ConsoleLog log(file);
        OperationLog entries(log);
        entries.writeNumberedHeader(L"编程");
        EXPECT_EQ(log.pendingLine(), "000 - 编程 =>");
        EXPECT_EQ(contentsOf(file), "");
        entries.append(L"成功");
        entries.writeTimeTrailer(1234);
        EXPECT_EQ(log.pendingLine(), "");
        EXPECT_EQ(contentsOf(file), "000 - 编程 =>成功   [1.234\"]\n");
        entries.writeNumberedHeader(L"Erase");
    }
    // An entry left open is still written when the log goes away.
    EXPECT_EQ(contentsOf(file), "000 - 编程 =>成功   [1.234\"]\n001 - Erase =>\n");
    std::fclose(file);
}

} // namespace
} // namespace zephlin::cli
