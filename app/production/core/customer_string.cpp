#include "production/core/customer_string.h"

#include <algorithm>

namespace zephlin {

bool validCustomerString(std::string_view text) {
    return text.size() <= ZEPHLIN_CUSTOMER_STRING_BYTES &&
           std::ranges::all_of(text, [](char c) { return c >= 0x21 && c <= 0x7E; });
}

void storeCustomerString(ZephlinContext& record, std::string_view text) {
    std::fill_n(record.customerString, ZEPHLIN_CUSTOMER_STRING_BYTES, 0xFF);
    std::copy_n(text.begin(), std::min<std::size_t>(text.size(), ZEPHLIN_CUSTOMER_STRING_BYTES),
                record.customerString);
}

} // namespace zephlin
