#include "buffer/core/select_area_model.h"

#include "common/hex_text.h"

namespace zephlin {

SelectAreaModel::SelectAreaModel(FillMode pageFillMode)
    : pageFillMode_(pageFillMode), fill_(pageFillMode != FillMode::None),
      zeros_(pageFillMode == FillMode::Zeros) {}

void SelectAreaModel::setAddressText(std::wstring_view text) {
    address_ = toUpperAscii(text);
}

SelectAreaModel::Result SelectAreaModel::accept() const {
    FillMode fill = FillMode::None;
    if (fill_) {
        fill = zeros_ ? FillMode::Zeros : FillMode::Ones;
    }
    return {parseHexPrefix(address_), clearBuffer_, fill};
}

} // namespace zephlin
