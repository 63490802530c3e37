#include "production/core/read_info_command.h"

namespace zephlin {
namespace {

constexpr TextPair kReadInfo{L"Read Info", L"读取设置"};

} // namespace

TextPair ReadInfoCommand::name() const {
    return kReadInfo;
}

} // namespace zephlin
