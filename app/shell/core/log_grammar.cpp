#include "shell/core/log_grammar.h"

#include "common/wide_format.h"
#include "shell/core/message_table.h"
#include "shell/core/ui_texts.h"

namespace zephlin {

std::wstring numberedHeader(uint32_t sequenceNumber, std::wstring_view operationName) {
    std::wstring text = decimal(sequenceNumber, 3);
    text += L" - ";
    text += operationName;
    text += L" =>";
    return text;
}

std::wstring stepHeader(std::wstring_view operationName) {
    std::wstring text = L"       ";
    text += operationName;
    text += L" =>";
    return text;
}

std::wstring timeTrailer(uint32_t elapsedMilliseconds) {
    return L"   [" + secondsWithThreeDecimals(elapsedMilliseconds) + L"\"]\r\n";
}

std::wstring autoStartLine(uint32_t sequenceNumber, Language language) {
    std::wstring text = decimal(sequenceNumber, 3);
    text += L" - ";
    text += texts::kAuto.pick(language);
    text += L" ======>Start\r\n";
    return text;
}

std::wstring autoEndLine(Language language) {
    std::wstring text = L"         ";
    text += texts::kAuto.pick(language);
    text += L" ======>End\r\n";
    return text;
}

std::wstring checksumLine(uint16_t checksum, Language language) {
    std::wstring text = L"   ";
    text += texts::kChipChecksum.pick(language);
    text += L" 0x";
    text += upperHex(checksum, 4);
    text += L"\r\n";
    return text;
}

void OperationLog::clear() {
    sink_.clear();
    sequenceNumber_ = 0;
}

void OperationLog::writeNumberedHeader(std::wstring_view operationName) {
    sink_.append(numberedHeader(sequenceNumber_++, operationName));
}

void OperationLog::writeStepHeader(std::wstring_view operationName) {
    sink_.append(stepHeader(operationName));
}

void OperationLog::writeOutcome(uint16_t resultCode, Language language) {
    sink_.append(outcomeText(resultCode).pick(language));
}

void OperationLog::writeTimeTrailer(uint32_t elapsedMilliseconds) {
    sink_.append(timeTrailer(elapsedMilliseconds));
}

void OperationLog::writeAutoStart(Language language) {
    sink_.append(autoStartLine(sequenceNumber_++, language));
}

void OperationLog::writeAutoEnd(Language language) {
    sink_.append(autoEndLine(language));
}

} // namespace zephlin
