// The option descriptor sets that the catalogue's records share, one per chip
// family. Word index and mask say where a control's field lives in the part's
// option words; the codecs and the program's option panel read them.
#pragma once

#include "catalogue/chip_catalogue.h"

namespace zephlin::descriptors {

using SelectSlots = std::array<SelectDescriptor, kSelectSlots>;
using CheckSlots = std::array<CheckDescriptor, kCheckSlots>;

// Choice lists.
inline constexpr const wchar_t* kIspUnits1K = L"ISP-IAP-SET01";
inline constexpr const wchar_t* kIspUnitsHalfK = L"ISP-IAP-SET02";
inline constexpr const wchar_t* kIspIapSplit = L"ISP-IAP-SET03";
inline constexpr const wchar_t* kBootSource = L"Application Flash,Boot Flash,Embedded SRAM";
inline constexpr const wchar_t* kWatchdogDivider =
    L"F/1,F/2,F/4,F/8,F/16,F/32,F/64,F/128,F/256,F/512,F/1024,F/2048,F/4096,";
inline constexpr const wchar_t* kBrownOutLevel = L"Detect 4.2V,Detect 3.7V,Detect 2.4V,Detect 2.0V";

// Descriptions: English, L'\0', then the Simplified-Chinese twin.
inline constexpr const wchar_t* kLockDevice = L"Lock Device\0芯片加密锁定";
inline constexpr const wchar_t* kBod0WarmReset = L"BOD0 warm reset enable\0BOD0热复位使能";
inline constexpr const wchar_t* kBod1WarmReset = L"BOD1 warm reset enable\0BOD1热复位使能";
inline constexpr const wchar_t* kIwdtAfterReset =
    L"Enable IWDT after code reset\0代码复位后启用IWDT";
inline constexpr const wchar_t* kIwdtWriteProtect = L"IWDT write protected enable\0IWDT写保护使能";
inline constexpr const wchar_t* kIwdtWarmReset = L"IWDT warm reset enable\0IWDT热复位使能";
inline constexpr const wchar_t* kIwdtInSleep = L"IWDT enable in sleep mode\0睡眠模式下启用IWDT";
inline constexpr const wchar_t* kIwdtInStop = L"IWDT enable in stop mode\0停止模式下启用IWDT";
inline constexpr const wchar_t* kIoPullHigh =
    L"Enable the default IO pull high configuration\0启用默认的IO上拉配置";
inline constexpr const wchar_t* kSoftwareWatchdog = L"Enable software watchdog\0启用软件看门狗";
inline constexpr const wchar_t* kResetOnStop =
    L"Trigger reset when entering stop mode\0进入停止模式时触发复位";
inline constexpr const wchar_t* kResetOnStandby =
    L"Trigger reset when entering standby mode\0进入待机模式时触发复位";
inline constexpr const wchar_t* kFlashWriteProtect = L"Flash write protection\0Flash写保护";
inline constexpr const wchar_t* kPa10OnReset =
    L"Switch PA10 function on nRst pin\0将nRst引脚切换为PA10功能";
inline constexpr const wchar_t* kPvdEnable = L"PVD Enable\0启用PVD";
inline constexpr const wchar_t* kNoSramBoot = L"Disable booting from SRAM\0禁止从SRAM启动";
inline constexpr const wchar_t* kNoSystemMemoryBoot =
    L"Disable booting from system memory\0禁止从系统存储区启动";
inline constexpr const wchar_t* kIwdgAutoStart = L"IWDG Auto Start\0IWDG自动启动";
inline constexpr const wchar_t* kStopReset = L"Reset when entering stop mode\0进入停止模式时复位";
inline constexpr const wchar_t* kStandbyReset =
    L"Reset when entering standby mode\0进入待机模式时复位";
inline constexpr const wchar_t* kSwdProtected =
    L"SWD interface configured as protected\0SWD接口配置为保护状态";
inline constexpr const wchar_t* kIwdgResetMode =
    L"IWDG configured as reset mode\0IWDG配置为复位模式";
inline constexpr const wchar_t* kIwdgKeepInterrupt = L"IWDG do not mask interrupt\0IWDG不屏蔽中断";
inline constexpr const wchar_t* kIwdgManualStart =
    L"Hardware Non-automatic start IWDG\0硬件非自动启动IWDG";

// The watchdog-enable box gates the watchdog divider's list; its attribute is
// the divider's select slot counted from 1.
inline constexpr uint32_t kGatesSlot3 = 3;
inline constexpr uint32_t kGatesSlot4 = 4;

constexpr SelectSlots descriptorFamilySelects(uint32_t memoryMask, const wchar_t* memoryRule) {
    return {{{L"ISP-memory", 2, memoryMask, memoryRule},
             {L"IAP-memory", 1, memoryMask, memoryRule},
             {L"BOOT_MS", 0, 0x3, kBootSource},
             {L"IWDT_DIV", 3, 0xF0, kWatchdogDivider},
             {L"BOD1 Level", 0, 0x30000, kBrownOutLevel}}};
}

// Every set below is written as one aggregate initialiser, each slot named
// or left to its "NA" defaults, and never built by assigning to a slot of an
// array made first: g++ 12 at -O1 and above emits the slots after such an
// assignment as zeros when a lambda does it (a null name for select cell 7 of
// chip type 16), although the compile-time value is right.
constexpr CheckSlots descriptorFamilyChecks(bool withIoPullHigh) {
    return {
        {{L"LOCK", 0, 0x100, 0, kLockDevice},
         {L"BOD0_WE", 0, 0x1000000, 0, kBod0WarmReset},
         {L"BOD1_WE", 0, 0x2000000, 0, kBod1WarmReset},
         {L"IWDT_EN", 3, 0x1, kGatesSlot4, kIwdtAfterReset},
         {L"IWDT_WP", 3, 0x2, 0, kIwdtWriteProtect},
         {L"IWDT_WE", 3, 0x4, 0, kIwdtWarmReset},
         {L"IWDT_SLP", 3, 0x100, 0, kIwdtInSleep},
         {L"IWDT_STP", 3, 0x200, 0, kIwdtInStop},
         withIoPullHigh ? CheckDescriptor{L"PC_IOM", 5, 0x8, 0, kIoPullHigh} : CheckDescriptor{}}};
}

inline constexpr CheckDescriptor kReadProtect{L"RD_PROT (LOCK)", 0, 0xFF, 0, kLockDevice};
inline constexpr CheckDescriptor kSoftwareWatchdogInWord0{L"WDG_SW", 0, 0x10000, 0,
                                                          kSoftwareWatchdog};
inline constexpr CheckDescriptor kResetOnStopInWord0{L"nRST_STOP", 0, 0x20000, 0, kResetOnStop};

inline constexpr SelectSlots kType1Selects = descriptorFamilySelects(0xFF00, kIspUnits1K);
inline constexpr SelectSlots kType4Selects = descriptorFamilySelects(0xFF80, kIspUnitsHalfK);
inline constexpr CheckSlots kType1Checks = descriptorFamilyChecks(true);
inline constexpr CheckSlots kType1ChecksWithoutIom = descriptorFamilyChecks(false);

inline constexpr SelectSlots kType21Selects{{{L"ISP/IAP-memory", 1, 0xFF800000, kIspIapSplit},
                                             {L"BOOT_MS", 0, 0x3, kBootSource},
                                             {L"IWDT_DIV", 1, 0xF0, kWatchdogDivider},
                                             {L"BOD1 Level", 0, 0x30000, kBrownOutLevel}}};
inline constexpr CheckSlots kType21Checks{{{L"LOCK", 0, 0x100, 0, kLockDevice},
                                           {L"BOD1_WE", 0, 0x2000000, 0, kBod1WarmReset},
                                           {L"IWDT_EN", 1, 0x1, kGatesSlot3, kIwdtAfterReset},
                                           {L"IWDT_WP", 1, 0x2, 0, kIwdtWriteProtect},
                                           {L"IWDT_WE", 1, 0x4, 0, kIwdtWarmReset},
                                           {L"IWDT_SLP", 1, 0x100, 0, kIwdtInSleep},
                                           {L"IWDT_STP", 1, 0x200, 0, kIwdtInStop},
                                           {L"PC_IOM", 2, 0x8, 0, kIoPullHigh}}};

inline constexpr SelectSlots kNoSelects{};

inline constexpr CheckSlots kType17Checks{{kReadProtect,
                                           kSoftwareWatchdogInWord0,
                                           kResetOnStopInWord0,
                                           {L"WR_PROT", 2, 0xFF, 0, kFlashWriteProtect}}};

inline constexpr SelectSlots kType18Selects{
    {{L"BOOT", 0, 0xD00000, L"Flash,Data,Flash / ISP,Flash / SRAM"}}};
inline constexpr CheckSlots kType18Checks{{kReadProtect,
                                           kSoftwareWatchdogInWord0,
                                           kResetOnStopInWord0,
                                           {L"nRST_PA10", 0, 0x200000, 0, kPa10OnReset},
                                           {L"WR_PROT", 2, 0xFF, 0, kFlashWriteProtect}}};

inline constexpr SelectSlots kType27Selects{{{L"OBR_PLS", 1, 0x30, L"2.7V,2.4V,2.1V,1.8V"}}};
inline constexpr CheckSlots kType27Checks{{kReadProtect,
                                           {L"WDG_SW", 1, 0x1, 0, kSoftwareWatchdog},
                                           {L"nRST_STOP", 1, 0x2, 0, kResetOnStop},
                                           {L"OBR_PVDE", 1, 0x4, 0, kPvdEnable},
                                           {L"WR_PROT", 4, 0xFF, 0, kFlashWriteProtect}}};

inline constexpr CheckSlots kType13Checks{{{L"LOCK", 4, 0x3, 0, kLockDevice},
                                           {L"SRAM_DIS", 4, 0x30000, 0, kNoSramBoot},
                                           {L"SMEM_DIS", 4, 0x3000000, 0, kNoSystemMemoryBoot},
                                           {L"IWDG_EN", 28, 0x1, 0, kIwdgAutoStart},
                                           {L"RST_STOP", 28, 0x2, 0, kStopReset},
                                           {L"RST_STBY", 28, 0x4, 0, kStandbyReset}}};

inline constexpr CheckSlots kType14Checks{{{L"RDP(LOCK)", 0, 0xFF, 0, kLockDevice},
                                           kSoftwareWatchdogInWord0,
                                           kResetOnStopInWord0,
                                           {L"nRST_STDBY", 0, 0x40000, 0, kResetOnStandby}}};

// The watchdog count is a numeric option: it sits in select slot 6.
inline constexpr SelectSlots kType16Selects{
    {{}, {}, {}, {}, {}, {}, {L"IWDG_CNT", 1, 0xFFFFF, L"0xFFFFF"}, {}}};
inline constexpr CheckSlots kType16Checks{{{L"SWDP", 0, 0x1, 0, kSwdProtected},
                                           {L"IWDGMODE", 1, 0x10000000, 0, kIwdgResetMode},
                                           {L"IWDGINTMASK", 1, 0x20000000, 0, kIwdgKeepInterrupt},
                                           {L"IWDGON", 1, 0x80000000, 0, kIwdgManualStart}}};

} // namespace zephlin::descriptors
