// Intel HEX lines for tests, with correct or deliberately wrong checksums.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace zephlin::testing {

inline std::string hexRecord(uint8_t type, uint16_t address, const std::vector<uint8_t>& data,
                             int checksumError = 0) {
    std::vector<uint8_t> bytes{static_cast<uint8_t>(data.size()),
                               static_cast<uint8_t>(address >> 8), static_cast<uint8_t>(address),
                               type};
    bytes.insert(bytes.end(), data.begin(), data.end());
    uint8_t sum = 0;
    for (const uint8_t byte : bytes) {
        sum = static_cast<uint8_t>(sum + byte);
    }
    bytes.push_back(static_cast<uint8_t>(0x100 - sum + checksumError));
    std::string line = ":";
    for (const uint8_t byte : bytes) {
        char digits[3];
        std::snprintf(digits, sizeof digits, "%02X", byte);
        line += digits;
    }
    return line + "\r\n";
}

inline std::string dataRecord(uint16_t address, const std::vector<uint8_t>& data) {
    return hexRecord(0, address, data);
}

inline std::string linearBase(uint16_t upper) {
    return hexRecord(4, 0, {static_cast<uint8_t>(upper >> 8), static_cast<uint8_t>(upper)});
}

inline std::string endOfFile() {
    return hexRecord(1, 0, {});
}

inline std::vector<uint8_t> bytesOf(const std::string& text) {
    return {text.begin(), text.end()};
}

} // namespace zephlin::testing
