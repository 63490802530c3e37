// One register sheet: the write and read value of each item, the bits of
// the bit sheets' registers, the images Write and Read work on, Sync, and
// the bytes and bits that differ once a read was done.
#pragma once

#include "engineer/core/engineer_ini.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zephlin {

class EngineerSheetModel {
public:
    // Opening the sheet: every value its item's size of 0x00, no read done.
    explicit EngineerSheetModel(EngineerSheet sheet);

    const EngineerSheet& sheet() const { return sheet_; }
    SheetKind kind() const { return sheet_.kind; }
    std::size_t itemCount() const { return sheet_.items.size(); }
    const EngineerItem& item(std::size_t i) const { return sheet_.items.at(i); }
    // The item's name followed by " : ".
    std::wstring label(std::size_t i) const;

    // The block sheet's one field is both its write and its read value.
    const std::vector<uint8_t>& writeValue(std::size_t i) const { return writeValues_.at(i); }
    const std::vector<uint8_t>& readValue(std::size_t i) const;
    // The bytes the user typed or pasted into a write field; the value keeps
    // its size.
    void setWriteValue(std::size_t i, std::span<const uint8_t> bytes);

    // Bit sheets: bit b of the item's register, shown most significant byte
    // first (byte j of the value holds bits 8*(3-j) to 8*(3-j)+7).
    bool bit(std::size_t i, int b) const;
    // A bit without a name is unused: its box cannot be clicked.
    bool bitEnabled(std::size_t i, int b) const;
    void setBit(std::size_t i, int b, bool set);

    // The write image: WriteOfBytes of 0xFF with each item's value at its
    // offset (bit sheets: the register's bytes least significant first);
    // an item outside the image is left out.
    std::vector<uint8_t> writeImage() const;
    // Read: no writer command carries the image, so it is ReadOfBytes of
    // 0xFF; each item inside it shows its bytes in the read value. Returns
    // the image, for the read file.
    std::vector<uint8_t> read();
    // Sync: each write value takes the read value's bytes, 0xFF where the
    // read value is shorter.
    void sync();

    bool readDone() const { return readDone_; }
    bool writeEnabled() const { return kind() != SheetKind::Block || readDone_; }
    bool syncEnabled() const { return kind() != SheetKind::Block && readDone_; }

    // The byte indexes, below the shorter length, where the write and the
    // read value differ: the marks on the read field.
    std::vector<std::size_t> differingBytes(std::size_t i) const;
    // Whether a named bit's connector is drawn red: after a read, when the
    // bit differs between write and read value.
    bool connectorMarked(std::size_t i, int b) const;

    // The DUT ID of the byte sheet: "ID pass" and five 0xFF bytes after a read.
    const std::wstring& dutStatus() const { return dutStatus_; }
    const std::vector<uint8_t>& dutId() const { return dutId_; }

private:
    EngineerSheet sheet_;
    std::vector<std::vector<uint8_t>> writeValues_;
    std::vector<std::vector<uint8_t>> readValues_;
    bool readDone_ = false;
    std::wstring dutStatus_;
    std::vector<uint8_t> dutId_;
};

} // namespace zephlin
