#include "engineer/core/read_file.h"

#include "buffer/core/code_file_io.h"

#include "support/utf8.h"

namespace zephlin {
namespace {

constexpr std::wstring_view kExtension = L".bin";
// The longest file name the file systems take, in bytes of UTF-8.
constexpr std::size_t kMaximumNameBytes = 255;
constexpr std::wstring_view kUnfit = L"/\\<>:\"|?*";

bool unfit(wchar_t c) {
    return c < 0x20 || c == 0x7F || kUnfit.find(c) != std::wstring_view::npos;
}

} // namespace

std::wstring readFileName(std::wstring_view sheetName) {
    std::wstring name;
    std::size_t bytes = kExtension.size();
    bool leading = true;
    for (const wchar_t c : sheetName) {
        // A dot at the start would hide the file, and ".." names the folder
        // above.
        leading = leading && c == L'.';
        const wchar_t kept = leading || unfit(c) ? L'_' : c;
        const std::size_t size = utf8::fromWide(std::wstring_view(&kept, 1)).size();
        if (bytes + size > kMaximumNameBytes) {
            break;
        }
        name += kept;
        bytes += size;
    }
    name += kExtension;
    return name;
}

bool writeReadFile(const std::filesystem::path& folder, std::wstring_view sheetName,
                   std::span<const uint8_t> image) {
    return writeWholeFile(folder / utf8::fromWide(readFileName(sheetName)), image);
}

} // namespace zephlin
