// The fixed numeric identifiers of the main window's controls. Commands,
// texts and tests address controls by these numbers.
#pragma once

namespace zephlin::ids {

inline constexpr int kBanner = 1015;
inline constexpr int kPartNoLabel = 1016;
inline constexpr int kSeriesList = 1013;
inline constexpr int kPartList = 1014;
inline constexpr int kCodeBufferGroup = 1017;
inline constexpr int kBufferTabs = 1818;
inline constexpr int kAutoReload = 1793;
inline constexpr int kEnableModifyBuffer = 1220;
inline constexpr int kProgressBar = 1219;

inline constexpr int kLoadFile = 1000;
inline constexpr int kSaveBuffer = 1001;
inline constexpr int kSaveKdx = 1002;
inline constexpr int kDumpTarget = 1003;
inline constexpr int kInsertIspCode = 1004;
inline constexpr int kOffLineMode = 1005;
inline constexpr int kCheckId = 1006;
inline constexpr int kErase = 1007;
inline constexpr int kBlankCheck = 1008;
inline constexpr int kProgram = 1009;
inline constexpr int kVerify = 1010;
inline constexpr int kAuto = 1011;

inline constexpr int kOptionGroup = 1018;
inline constexpr int kWriteOptions = 1027;
inline constexpr int kReadOptions = 1028;
inline constexpr int kWholeChipErase = 1029;
inline constexpr int kEngineer = 1222;

inline constexpr int kMessageGroup = 1019;
inline constexpr int kLog = 1104;
inline constexpr int kReadChipChecksum = 1797;
inline constexpr int kClear = 1205;

// Option panel: cell i of a kind has the identifier base + i.
inline constexpr int kSelectList = 1030;     // Set control of select cell i (0 to 5)
inline constexpr int kSelectNow = 1036;      // Now control of select cell i
inline constexpr int kSelectGroup = 1042;    // group box of select cell i
inline constexpr int kSelectSetLabel = 1048; // "Set" of select cell i
inline constexpr int kSelectNowLabel = 1054; // "Now" of select cell i
inline constexpr int kCheckSet = 1060;       // Set box of check cell n (0 to 13)
inline constexpr int kCheckNow = 1074;       // Now box of check cell n
inline constexpr int kCheckLabel = 1088;     // label of check cell n
inline constexpr int kCheckSetHeading = 1102;
inline constexpr int kCheckNowHeading = 1103;
inline constexpr int kNumericGroup = 1900;    // group box of numeric cell j (0 and 1)
inline constexpr int kNumericSetLabel = 1902; // "Set : " of numeric cell j
inline constexpr int kNumericNowLabel = 1904; // "Now : " of numeric cell j
inline constexpr int kNumericSet = 1906;      // Set edit of numeric cell j
inline constexpr int kNumericNow = 1908;      // Now edit of numeric cell j

// System-menu commands of the window menu.
inline constexpr int kMenuUpdate = 16;
inline constexpr int kMenuEnglish = 32;
inline constexpr int kMenuChinese = 48;

} // namespace zephlin::ids
