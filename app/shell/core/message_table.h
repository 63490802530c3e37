// The texts of the library's result codes, as the log shows them.
#pragma once

#include "common/text_pair.h"

#include <cstdint>

namespace zephlin {

// "Pass" / "成功": the outcome of result code 101.
TextPair passText();

// The failure text of a result code other than 101. Codes without a text of
// their own, including codes the library never produces, give "Fail".
TextPair failureText(uint16_t resultCode);

// The outcome text of any result code: passText() for 101, else failureText().
TextPair outcomeText(uint16_t resultCode);

} // namespace zephlin
