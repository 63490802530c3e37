#include "buffer/core/select_area_model.h"

#include <gtest/gtest.h>

namespace zephlin {
namespace {

TEST(SelectArea, OpensWithClearBufferAndAddressZero) {
    const SelectAreaModel fresh(FillMode::None);
    EXPECT_TRUE(fresh.clearBuffer());
    EXPECT_FALSE(fresh.fill());
    EXPECT_FALSE(fresh.zerosChosen());
    EXPECT_EQ(fresh.addressText(), L"00000000");
    EXPECT_TRUE(fresh.fillBoxEnabled());
    EXPECT_FALSE(fresh.fillValuesEnabled());
    const SelectAreaModel::Result result = fresh.accept();
    EXPECT_EQ(result.loadAddress, 0u);
    EXPECT_TRUE(result.clearBuffer);
    EXPECT_EQ(result.fillMode, FillMode::None);
}

TEST(SelectArea, AFilledPageKeepsItsFillWhenMergedInto) {
    SelectAreaModel model(FillMode::Ones);
    EXPECT_TRUE(model.fill());
    EXPECT_FALSE(model.zerosChosen());
    EXPECT_TRUE(model.fillValuesEnabled());
    model.setClearBuffer(false);
    EXPECT_FALSE(model.fillBoxEnabled());
    EXPECT_FALSE(model.fillValuesEnabled());
    EXPECT_EQ(model.accept().fillMode, FillMode::Ones);
    EXPECT_FALSE(model.accept().clearBuffer);
}

TEST(SelectArea, FillValuesFollowTheFillBox) {
    SelectAreaModel model(FillMode::None);
    model.setClearBuffer(false);
    EXPECT_TRUE(model.fillBoxEnabled());
    model.setFill(true);
    EXPECT_TRUE(model.fillValuesEnabled());
    model.chooseZeros(true);
    EXPECT_EQ(model.accept().fillMode, FillMode::Zeros);
    EXPECT_EQ(SelectAreaModel(FillMode::Zeros).zerosChosen(), true);
}

TEST(SelectArea, TheAddressIsReadAsHexadecimal) {
    SelectAreaModel model(FillMode::None);
    model.setAddressText(L"1a");
    EXPECT_EQ(model.addressText(), L"1A");
    EXPECT_EQ(model.accept().loadAddress, 0x1Au);
    model.setAddressText(L"");
    EXPECT_EQ(model.accept().loadAddress, 0u);
    model.setAddressText(L"123456789");
    EXPECT_EQ(model.accept().loadAddress, 0xFFFFFFFFu);
}

} // namespace
} // namespace zephlin
