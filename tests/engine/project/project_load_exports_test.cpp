#include "Zephlin_DLL.h"

#include "project/project_writer.h"
#include "project_test_support.h"
#include "temporary_folder.h"

#include <gtest/gtest.h>

#include <cwchar>

namespace zephlin {
namespace {

using testing::contextFor;
using testing::TemporaryFolder;

std::vector<uint8_t> projectFileFor(int32_t chipIndex, const std::vector<uint8_t>& code) {
    const auto context = contextFor(chipIndex);
    context->codeImage = const_cast<uint8_t*>(code.data());
    context->codeSize = static_cast<uint32_t>(code.size());
    const std::optional<project::ProjectContent> content = project::projectContentOf(*context);
    std::vector<uint8_t> file = code;
    const std::vector<uint8_t> footer = project::buildProjectFooter(*content, {});
    file.insert(file.end(), footer.begin(), footer.end());
    return file;
}

struct Loading {
    std::unique_ptr<ZephlinContext> context = contextFor(-1);
    uint16_t result = 0;

    explicit Loading(const std::wstring& path) {
        std::wcsncpy(context->projectFile, path.c_str(), ZEPHLIN_PATH_CAPACITY - 1);
        context->result = &result;
    }
};

TEST(LoadProjectExports, FooterThenBuffersFromAFile) {
    TemporaryFolder folder;
    const std::vector<uint8_t> code = testing::patternImage(0x800, 1);
    folder.write("a.kdx", projectFileFor(0, code));
    Loading loading(folder.widePath("a.kdx"));
    ASSERT_EQ(LoadKDXFooter(loading.context.get()), ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(loading.result, ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(loading.context->chipIndex, 0);
    std::vector<uint8_t> buffer(loading.context->codeSize);
    loading.context->codeImage = buffer.data();
    ASSERT_EQ(LoadKDXBuffer(loading.context.get()), ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(buffer, code);
}

TEST(LoadProjectExports, UnopenableFilesAreOpenErrors) {
    TemporaryFolder folder;
    for (const std::wstring& path :
         {folder.widePath("missing.kdx"), folder.widePath(""), std::wstring()}) {
        Loading loading(path);
        EXPECT_EQ(LoadKDXFooter(loading.context.get()), ZEPHLIN_RESULT_OPEN_FILE_ERROR);
        EXPECT_EQ(loading.result, ZEPHLIN_RESULT_OPEN_FILE_ERROR);
        EXPECT_EQ(LoadKDXBuffer(loading.context.get()), ZEPHLIN_RESULT_OPEN_FILE_ERROR);
    }
    EXPECT_EQ(LoadKDXFooter(nullptr), ZEPHLIN_RESULT_OPEN_FILE_ERROR);
}

TEST(LoadProjectExports, TruncatedFileIsRefused) {
    TemporaryFolder folder;
    const std::vector<uint8_t> file = projectFileFor(0, testing::patternImage(0x800, 1));
    folder.write("cut.kdx", std::span(file).first(file.size() - 1));
    Loading loading(folder.widePath("cut.kdx"));
    EXPECT_EQ(LoadKDXFooter(loading.context.get()), ZEPHLIN_RESULT_KDX_FILE_CHECKSUM_ERROR);
    folder.write("headless.kdx", std::span(file).subspan(0x10));
    Loading headless(folder.widePath("headless.kdx"));
    EXPECT_EQ(LoadKDXFooter(headless.context.get()), ZEPHLIN_RESULT_KDX_BUFFER_CHECKSUM_ERROR);
}

} // namespace
} // namespace zephlin
