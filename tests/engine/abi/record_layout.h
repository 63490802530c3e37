/*
 * The layout of the interface's records on Linux with 64-bit pointers and
 * 4-byte wchar_t, written out as numbers: every member's offset and every
 * record's size. A program built against one release must find the members
 * where the library of another release of the same major version puts them,
 * so a change here is a change of the interface. The C and the C++ test both
 * expand this list, so that the two languages agree as well.
 */
#ifndef ZEPHLIN_RECORD_LAYOUT_H
#define ZEPHLIN_RECORD_LAYOUT_H

#define ZEPHLIN_RECORD_LAYOUT(OFFSET, SIZE)                                                        \
    OFFSET(ZephlinContext, chipIndex, 0)                                                           \
    OFFSET(ZephlinContext, selectSettings, 4)                                                      \
    OFFSET(ZephlinContext, checkSettings, 36)                                                      \
    OFFSET(ZephlinContext, codeImage, 96)                                                          \
    OFFSET(ZephlinContext, codeStart, 104)                                                         \
    OFFSET(ZephlinContext, codeSize, 108)                                                          \
    OFFSET(ZephlinContext, codeChecksum, 112)                                                      \
    OFFSET(ZephlinContext, codeAreaChecksum, 114)                                                  \
    OFFSET(ZephlinContext, dataImage, 120)                                                         \
    OFFSET(ZephlinContext, dataStart, 128)                                                         \
    OFFSET(ZephlinContext, dataSize, 132)                                                          \
    OFFSET(ZephlinContext, dataChecksum, 136)                                                      \
    OFFSET(ZephlinContext, dataAreaChecksum, 138)                                                  \
    OFFSET(ZephlinContext, stepFlags, 140)                                                         \
    OFFSET(ZephlinContext, projectFile, 144)                                                       \
    OFFSET(ZephlinContext, codeFileName, 4240)                                                     \
    OFFSET(ZephlinContext, ispCodeName, 8336)                                                      \
    OFFSET(ZephlinContext, projectFolder, 12432)                                                   \
    OFFSET(ZephlinContext, formTo, 16528)                                                          \
    OFFSET(ZephlinContext, formFrom, 17552)                                                        \
    OFFSET(ZephlinContext, formPartNo, 18576)                                                      \
    OFFSET(ZephlinContext, customerId, 19600)                                                      \
    OFFSET(ZephlinContext, customerString, 19601)                                                  \
    OFFSET(ZephlinContext, ispCodeSource, 19617)                                                   \
    OFFSET(ZephlinContext, bufferChecksum, 19618)                                                  \
    OFFSET(ZephlinContext, projectVersion, 19620)                                                  \
    OFFSET(ZephlinContext, libraryVersion, 19622)                                                  \
    OFFSET(ZephlinContext, saveTime, 19624)                                                        \
    OFFSET(ZephlinContext, randomKey, 19632)                                                       \
    OFFSET(ZephlinContext, atpgKey, 19636)                                                         \
    OFFSET(ZephlinContext, offlineFlags, 19638)                                                    \
    OFFSET(ZephlinContext, serialAddress, 19640)                                                   \
    OFFSET(ZephlinContext, serialString, 19644)                                                    \
    OFFSET(ZephlinContext, serialNumber, 19656)                                                    \
    OFFSET(ZephlinContext, currentNumber, 19660)                                                   \
    OFFSET(ZephlinContext, maxCounter, 19664)                                                      \
    OFFSET(ZephlinContext, currentCounter, 19666)                                                  \
    OFFSET(ZephlinContext, offlineReserved, 19668)                                                 \
    OFFSET(ZephlinContext, result, 19672)                                                          \
    SIZE(ZephlinContext, 19680)                                                                    \
    OFFSET(ZephlinSelectCell, name, 0)                                                             \
    OFFSET(ZephlinSelectCell, choices, 8)                                                          \
    OFFSET(ZephlinSelectCell, defaultValue, 16)                                                    \
    SIZE(ZephlinSelectCell, 24)                                                                    \
    OFFSET(ZephlinCheckCell, name, 0)                                                              \
    OFFSET(ZephlinCheckCell, attribute, 8)                                                         \
    OFFSET(ZephlinCheckCell, description, 16)                                                      \
    OFFSET(ZephlinCheckCell, defaultValue, 24)                                                     \
    SIZE(ZephlinCheckCell, 32)                                                                     \
    OFFSET(ZephlinBodyInfo, partName, 0)                                                           \
    OFFSET(ZephlinBodyInfo, chipType, 8)                                                           \
    OFFSET(ZephlinBodyInfo, seriesMask, 12)                                                        \
    OFFSET(ZephlinBodyInfo, mainAreaSize, 16)                                                      \
    OFFSET(ZephlinBodyInfo, secondAreaSize, 20)                                                    \
    OFFSET(ZephlinBodyInfo, customerDataFlag, 24)                                                  \
    OFFSET(ZephlinBodyInfo, checksumSaveFlag, 28)                                                  \
    OFFSET(ZephlinBodyInfo, selectCells, 32)                                                       \
    OFFSET(ZephlinBodyInfo, checkCells, 224)                                                       \
    SIZE(ZephlinBodyInfo, 672)                                                                     \
    OFFSET(ZephlinPartDetails, structSize, 0)                                                      \
    OFFSET(ZephlinPartDetails, deviceId, 8)                                                        \
    OFFSET(ZephlinPartDetails, chipId, 12)                                                         \
    OFFSET(ZephlinPartDetails, projectVersion, 14)                                                 \
    OFFSET(ZephlinPartDetails, parameterWord, 16)                                                  \
    OFFSET(ZephlinPartDetails, erasedValue, 20)                                                    \
    OFFSET(ZephlinPartDetails, mainPageSize, 24)                                                   \
    OFFSET(ZephlinPartDetails, secondPageSize, 28)                                                 \
    OFFSET(ZephlinPartDetails, ispImageId, 32)                                                     \
    OFFSET(ZephlinPartDetails, optionWordCount, 36)                                                \
    SIZE(ZephlinPartDetails, 40)                                                                   \
    OFFSET(ZephlinSaveFileRequest, filterText, 0)                                                  \
    OFFSET(ZephlinSaveFileRequest, pattern, 8)                                                     \
    OFFSET(ZephlinSaveFileRequest, defaultExtension, 16)                                           \
    OFFSET(ZephlinSaveFileRequest, startFolder, 24)                                                \
    OFFSET(ZephlinSaveFileRequest, confirmOverwrite, 32)                                           \
    SIZE(ZephlinSaveFileRequest, 40)                                                               \
    OFFSET(ZephlinHostServices, structSize, 0)                                                     \
    OFFSET(ZephlinHostServices, userData, 8)                                                       \
    OFFSET(ZephlinHostServices, askYesNo, 16)                                                      \
    OFFSET(ZephlinHostServices, showMessage, 24)                                                   \
    OFFSET(ZephlinHostServices, chooseSaveFile, 32)                                                \
    SIZE(ZephlinHostServices, 40)                                                                  \
    OFFSET(ZephlinSimulatorOptions, structSize, 0)                                                 \
    OFFSET(ZephlinSimulatorOptions, stateFile, 8)                                                  \
    OFFSET(ZephlinSimulatorOptions, faults, 16)                                                    \
    OFFSET(ZephlinSimulatorOptions, faultCount, 24)                                                \
    OFFSET(ZephlinSimulatorOptions, latencyMicroseconds, 32)                                       \
    OFFSET(ZephlinSimulatorOptions, useFixedPart, 36)                                              \
    OFFSET(ZephlinSimulatorOptions, fixedChipIndex, 40)                                            \
    SIZE(ZephlinSimulatorOptions, 48)                                                              \
    OFFSET(ZephlinSimulatorFault, name, 0)                                                         \
    OFFSET(ZephlinSimulatorFault, argument, 8)                                                     \
    OFFSET(ZephlinSimulatorFault, description, 16)                                                 \
    SIZE(ZephlinSimulatorFault, 24)

#endif /* ZEPHLIN_RECORD_LAYOUT_H */
