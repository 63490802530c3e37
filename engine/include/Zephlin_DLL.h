/*
 * Zephlin_DLL: the flash-programming library of Zephlin.
 *
 * Every operation is one synchronous call that takes a pointer to an operation
 * context record (ZephlinContext) and returns a 16-bit result code, which it
 * also stores in the record's result word. The caller owns the record, the
 * result word and every image buffer the record points to; the library keeps
 * no pointer to any of them after a call returns. No exception crosses the
 * interface. This header compiles as C11 and as C++20.
 *
 * Interface versions: the version macros below are those of the library this
 * header belongs to. The library's SONAME is libZephlin_DLL.so.MAJOR; minor
 * releases only add to the interface. The structs that may grow in a later
 * release (ZephlinHostServices, ZephlinSimulatorOptions, ZephlinPartDetails)
 * begin with structSize: set it to sizeof the struct before passing one. The
 * library then reads and writes only the members that structSize covers, so a
 * program built against an older, smaller struct keeps working, and it
 * refuses a structSize smaller than the struct's first release.
 */
#ifndef ZEPHLIN_DLL_H
#define ZEPHLIN_DLL_H

#include <stddef.h>
#include <stdint.h>
#include <wchar.h>

#include "Zephlin_DLL_version.h"

#if defined(__GNUC__)
#define ZEPHLIN_API __attribute__((visibility("default")))
#else
#define ZEPHLIN_API
#endif

/** @brief Packs a version as the version word of GetDLLInfo: the low 8 bits
    of major, minor, patch and tweak, major in the top byte. */
#define ZEPHLIN_MAKE_VERSION(major, minor, patch, tweak)                                           \
    ((uint32_t)((((major)&0xFFu) << 24) | (((minor)&0xFFu) << 16) | (((patch)&0xFFu) << 8) |       \
                ((tweak)&0xFFu)))

/** @brief The version word of the library this header belongs to. A program
    can compare it with what GetDLLInfo reports at run time. */
#define ZEPHLIN_VERSION                                                                            \
    ZEPHLIN_MAKE_VERSION(ZEPHLIN_VERSION_MAJOR, ZEPHLIN_VERSION_MINOR, ZEPHLIN_VERSION_PATCH,      \
                         ZEPHLIN_VERSION_TWEAK)

#ifdef __cplusplus
extern "C" {
#endif

/* ==== Result codes ========================================================= */

/** @brief Values of the result word and result codes of the exports.

    While an export runs, the result word holds the progress of its bulk
    transfer, 0 to ZEPHLIN_PROGRESS_MAX percent; once it has finished, one of
    the result codes (ZEPHLIN_RESULT_PASS and above). Every export returns the
    code it stores. */
enum {
    /** The largest progress value; every result code is greater. */
    ZEPHLIN_PROGRESS_MAX = 100,
    /** The operation succeeded. */
    ZEPHLIN_RESULT_PASS = 101,
    /** The operation itself failed: a byte differs, a wrong device ID, a
        failure status or a wrong tag from the writer, a record the export
        cannot act on. */
    ZEPHLIN_RESULT_FAIL = 102,
    /** A command frame or a data block could not be sent completely. */
    ZEPHLIN_RESULT_SEND_ERROR = 103,
    /** A data block or reply could not be read completely. */
    ZEPHLIN_RESULT_READ_ERROR = 104,
    /** No writer was found, or it could not be opened. */
    ZEPHLIN_RESULT_NO_WRITER = 105,
    /** The user declined a writer firmware update. */
    ZEPHLIN_RESULT_UPDATE_DECLINED = 106,
    /** A writer firmware update failed. */
    ZEPHLIN_RESULT_UPDATE_FAILED = 107,
    /** No complete status report after an erase command (Erase). */
    ZEPHLIN_RESULT_STATUS_READ_ERROR = 108,
    /** The writer found that the target's ID does not match the part. */
    ZEPHLIN_RESULT_ID_MISMATCH = 109,
    /** The writer found the target read-protected. */
    ZEPHLIN_RESULT_TARGET_LOCKED = 110,
    /** Never produced by the library; the program's message table has it. */
    ZEPHLIN_RESULT_PART_NOT_SUPPORTED = 111,
    /** The writer found a checksum error in what it received, or a stored
        off-line block's checksum is wrong. */
    ZEPHLIN_RESULT_CHECKSUM_ERROR = 112,
    /** The user cancelled the save dialog (SaveKDX). */
    ZEPHLIN_RESULT_CANCELLED = 113,
    /** A file could not be opened, created, read or written. */
    ZEPHLIN_RESULT_OPEN_FILE_ERROR = 114,
    /** A project file's footer is corrupt. */
    ZEPHLIN_RESULT_KDX_FILE_CHECKSUM_ERROR = 115,
    /** A project file's code or data image does not match its checksum. */
    ZEPHLIN_RESULT_KDX_BUFFER_CHECKSUM_ERROR = 116,
    /** A project file names an unknown tool. */
    ZEPHLIN_RESULT_KDX_TOOL_ID_ERROR = 117,
    /** A project file's chip ID is not in the catalogue. */
    ZEPHLIN_RESULT_KDX_PART_NOT_SUPPORTED = 118,
    /** A project file's customer ID marker is not 5. */
    ZEPHLIN_RESULT_KDX_CUSTOMER_ID_ERROR = 119,
    /** The target could not be powered, or its setup failed otherwise. */
    ZEPHLIN_RESULT_POWER_ON_FAIL = 120,
    /** The target could not be powered down after a whole-chip erase. */
    ZEPHLIN_RESULT_END_OF_TARGET_FAIL = 121,
    /** The writer holds no off-line information. */
    ZEPHLIN_RESULT_INFO_EMPTY = 122,
    /** The writer found that the target does not respond. */
    ZEPHLIN_RESULT_NO_RESPONSE = 123,
    /** An image or file is larger than the area it is meant for. */
    ZEPHLIN_RESULT_FILE_TOO_LARGE = 124
};

/* ==== Operation context record ============================================== */

/** @brief Auto-sequence step flags, the bits of ZephlinContext.stepFlags. */
enum {
    ZEPHLIN_STEP_WHOLE_CHIP_ERASE = 0x0001,
    ZEPHLIN_STEP_BLANK_CHECK = 0x0002,
    ZEPHLIN_STEP_PROGRAM = 0x0004,
    ZEPHLIN_STEP_VERIFY = 0x0008,
    ZEPHLIN_STEP_WRITE_OPTIONS = 0x0010,
    ZEPHLIN_STEP_ERASE = 0x0020,
    ZEPHLIN_STEP_SAVE_CHIP_CHECKSUM = 0x0080,
    /** Set by the caller only while a step runs inside the Auto sequence or
        a project save; the option-word builder reads it together with
        ZEPHLIN_STEP_SAVE_CHIP_CHECKSUM. */
    ZEPHLIN_STEP_IN_SEQUENCE = 0x8000,
    /** WholeChip Erase, Blank Check, Program, Verify, Write Options and Save
        Chip Checksum: the flags after start-up and after every part change. */
    ZEPHLIN_STEP_DEFAULT = 0x009F
};

/** @brief Sizes of the record's fixed-capacity fields. */
enum {
    /** Option slots with a list of choices (or a number, slot 6). */
    ZEPHLIN_SELECT_SLOTS = 8,
    /** Option slots with a check box. */
    ZEPHLIN_CHECK_SLOTS = 14,
    /** Wide-text fields hold at most CAPACITY - 1 characters and a
        terminator; the library never writes past them and always terminates
        them. */
    ZEPHLIN_PATH_CAPACITY = 1024,
    ZEPHLIN_FORM_TEXT_CAPACITY = 256,
    ZEPHLIN_CUSTOMER_STRING_BYTES = 16,
    ZEPHLIN_SERIAL_STRING_BYTES = 12,
    ZEPHLIN_SAVE_TIME_BYTES = 6
};

/** @brief Off-line flags, the bits of ZephlinContext.offlineFlags. */
enum {
    /** The writer writes a serial number into every chip. */
    ZEPHLIN_OFFLINE_SERIAL_ENABLED = 0x01,
    /** The serial number goes up by one with every chip. */
    ZEPHLIN_OFFLINE_AUTO_INCREMENT = 0x02,
    /** The area that holds the serial number: ZEPHLIN_OFFLINE_AREA_SECOND,
        or 0 for the main area. */
    ZEPHLIN_OFFLINE_AREA_MASK = 0xC0,
    ZEPHLIN_OFFLINE_AREA_SECOND = 0x40
};

/** @brief The operation context record: the one parameter block of every
    export but GetDLLInfo and GetBodyInfo.

    The caller fills the fields an operation reads ("in") before the call and
    reads back those it fills ("out"); fields an export does not fill keep
    their values. Its layout is fixed for a major version. */
typedef struct ZephlinContext {
    /** in: the part's index in the catalogue (GetBodyInfo), for every device
        export; out of LoadKDXFooter (-1 when the file's part is unknown) and
        ReadOffLineModeInfo. */
    int32_t chipIndex;
    /** The chosen entry of each select slot's choice list, 0-based; slot 6
        holds a numeric option's value, slot 7 is 0. */
    uint32_t selectSettings[ZEPHLIN_SELECT_SLOTS];
    /** One value per check slot: 1 checked, 0 not. */
    uint32_t checkSettings[ZEPHLIN_CHECK_SLOTS];
    /** The caller's main-area image. */
    uint8_t* codeImage;
    /** Where the image starts inside the main area. */
    uint32_t codeStart;
    /** Image bytes; 0 skips the main area. */
    uint32_t codeSize;
    /** The 16-bit sum of the codeSize image bytes. */
    uint16_t codeChecksum;
    /** The 16-bit sum over the part's whole main area, the image followed by
        0xFF filler; the chip checksum option word stores it. */
    uint16_t codeAreaChecksum;
    /** The caller's second-area image (data flash or IAP/ISP area). */
    uint8_t* dataImage;
    /** Where the data starts inside the second area. */
    uint32_t dataStart;
    /** Data bytes; 0 skips the second area, and must be 0 for a part without
        one. */
    uint32_t dataSize;
    /** The 16-bit sum of the dataSize bytes. */
    uint16_t dataChecksum;
    /** As codeAreaChecksum, for the second area; not read by the library. */
    uint16_t dataAreaChecksum;
    /** ZEPHLIN_STEP_* flags. */
    uint16_t stepFlags;
    /** The project file's full path. */
    wchar_t projectFile[ZEPHLIN_PATH_CAPACITY];
    /** The name of the code file a project was made from. */
    wchar_t codeFileName[ZEPHLIN_PATH_CAPACITY];
    /** The user's ISP code file (InsertISPcode), kept in projects. */
    wchar_t ispCodeName[ZEPHLIN_PATH_CAPACITY];
    /** The folder SaveKDX's dialog starts in; out: the folder chosen. */
    wchar_t projectFolder[ZEPHLIN_PATH_CAPACITY];
    /** Request-form texts, used by the program only. */
    wchar_t formTo[ZEPHLIN_FORM_TEXT_CAPACITY];
    wchar_t formFrom[ZEPHLIN_FORM_TEXT_CAPACITY];
    wchar_t formPartNo[ZEPHLIN_FORM_TEXT_CAPACITY];
    /** A project's customer ID marker; SaveKDX stores 5. */
    uint8_t customerId;
    uint8_t customerString[ZEPHLIN_CUSTOMER_STRING_BYTES];
    /** 1: the ISP code comes from ispCodeName; otherwise the built-in one. */
    uint8_t ispCodeSource;
    /** A project's buffer checksum. */
    uint16_t bufferChecksum;
    /** A project's format version (0x0300 or 0x0302). */
    uint16_t projectVersion;
    /** The library version a project was saved with, major in the high
        byte. */
    uint16_t libraryVersion;
    /** When a project was saved: year - 2000, month, day, hour, minute,
        second. */
    uint8_t saveTime[ZEPHLIN_SAVE_TIME_BYTES];
    /** A project's random keys. */
    uint32_t randomKey;
    uint16_t atpgKey;
    /** ZEPHLIN_OFFLINE_* flags. */
    uint8_t offlineFlags;
    /** Off-Line Mode: where the serial number goes in the chip. */
    uint32_t serialAddress;
    /** Off-Line Mode: the serial field's text. */
    uint8_t serialString[ZEPHLIN_SERIAL_STRING_BYTES];
    /** Off-Line Mode: the first serial number. */
    uint32_t serialNumber;
    /** Off-Line Mode, out of ReadOffLineModeInfo: the next serial number. */
    uint32_t currentNumber;
    /** Off-Line Mode: the number of chips to produce. */
    uint16_t maxCounter;
    /** Off-Line Mode, out of ReadOffLineModeInfo: the chips produced. */
    uint16_t currentCounter;
    uint8_t offlineReserved[2];
    /** The caller's result word. An export writes it with single atomic
        16-bit stores, progress first and its result code last; a caller on
        another thread reads it with atomic 16-bit loads and touches the record
        again only once it shows ZEPHLIN_RESULT_PASS or more. May be NULL. */
    uint16_t* result;
} ZephlinContext;

/* ==== Catalogue ============================================================== */

/** @brief A select cell of a body-info record: an option with a list of
    choices, or in slots 6 and 7 a numeric option. */
typedef struct ZephlinSelectCell {
    /** "NA": the slot is unused. */
    const wchar_t* name;
    union {
        /** Slots 0 to 5: the choices, separated by commas. */
        const wchar_t* list;
        /** Slots 6 and 7: the numeric option's mask, its largest value. */
        uintptr_t mask;
    } choices;
    /** The setting the part's default option words decode to. */
    uint32_t defaultValue;
} ZephlinSelectCell;

/** @brief A check cell of a body-info record: an option with a check box. */
typedef struct ZephlinCheckCell {
    /** "NA": the slot is unused. */
    const wchar_t* name;
    /** The 1-based select slot whose list the box enables; 0 none. */
    uint32_t attribute;
    /** The English text, L'\0', then its Simplified-Chinese twin. */
    const wchar_t* description;
    /** 1: checked by default. */
    uint32_t defaultValue;
} ZephlinCheckCell;

/** @brief The body-info record of one catalogue part. The records are in
    catalogue order: a record's position is the part's chip index. */
typedef struct ZephlinBodyInfo {
    const wchar_t* partName;
    uint32_t chipType;
    /** Bit n set: the part belongs to series n. */
    uint32_t seriesMask;
    uint32_t mainAreaSize;
    /** 0: the part has no second area. */
    uint32_t secondAreaSize;
    /** 1: ask for customer data when saving a project. */
    uint32_t customerDataFlag;
    /** 1: the chip checksum can be saved in the option words. */
    uint32_t checksumSaveFlag;
    ZephlinSelectCell selectCells[ZEPHLIN_SELECT_SLOTS];
    ZephlinCheckCell checkCells[ZEPHLIN_CHECK_SLOTS];
} ZephlinBodyInfo;

/** @brief Hands out the catalogue's body-info records.

    The records are the library's and stay valid, with their values, while it
    is loaded and no further call rebuilds them.

    @param records Receives the address of the first record; may be NULL.
    @returns The number of records (36). */
ZEPHLIN_API int32_t GetBodyInfo(const ZephlinBodyInfo** records);

/** @brief Tells the library's version and edition.

    @param versionWord Receives the version word, ZEPHLIN_VERSION of the
        library's own header: major, minor, build and revision from the top
        byte down. May be NULL.
    @param editionCode Receives the edition code, 2. May be NULL. */
ZEPHLIN_API void GetDLLInfo(uint32_t* versionWord, int32_t* editionCode);

/** @brief What a part's record holds beyond its body-info record, for tools
    that describe parts. An extension struct: set structSize first. */
typedef struct ZephlinPartDetails {
    /** in: sizeof(ZephlinPartDetails) as the caller was built. */
    size_t structSize;
    /** The device ID the target reports. */
    uint32_t deviceId;
    /** The ID written into project files and off-line blocks. */
    uint16_t chipId;
    /** The project-file format version of the part. */
    uint16_t projectVersion;
    /** The four bytes of the target setup. */
    uint32_t parameterWord;
    /** The value of an erased flash byte. */
    uint8_t erasedValue;
    uint32_t mainPageSize;
    uint32_t secondPageSize;
    /** The built-in ISP image of the part. */
    uint32_t ispImageId;
    uint32_t optionWordCount;
} ZephlinPartDetails;

/** @brief Fills the details of a catalogue part.

    @param chipIndex The part's index in the catalogue.
    @param details Filled as far as its structSize covers; structSize is
        kept.
    @returns 1, or 0 with the details unchanged for an index outside the
        catalogue, a NULL details or a structSize below the first release's. */
ZEPHLIN_API int32_t ZephlinGetPartDetails(int32_t chipIndex, ZephlinPartDetails* details);

/* ==== Project files (.kdx) ================================================== */

/** @brief Saves the record as a project file.

    Asks the host for a file name through its save dialog (see
    ZephlinSetHostServices), starting in projectFolder, and writes the images,
    the part, its option words (with ZEPHLIN_STEP_IN_SEQUENCE set around the
    call they include the chip checksum word) and the names. The
    file is written beside the target (beside the file a symbolic link there
    names) and renamed over it only when complete, so a failed save leaves an
    existing project as it was. Names longer than 255 bytes in UTF-8 are cut
    after their last whole character.

    @param context in: chipIndex, the images with their sizes, the option
        settings, stepFlags and codeAreaChecksum (built into option words as
        WriteOptions builds them), codeFileName, ispCodeName, ispCodeSource
        and customerString. out: projectFolder, projectFile, bufferChecksum,
        customerId (5), randomKey, atpgKey and saveTime.
    @returns ZEPHLIN_RESULT_PASS; ZEPHLIN_RESULT_CANCELLED when the dialog is
        cancelled; ZEPHLIN_RESULT_OPEN_FILE_ERROR when the file cannot be
        created or written, when the chosen path has ZEPHLIN_PATH_CAPACITY
        characters or more (projectFile could not hold it to load the
        project again; nothing is written), or context is NULL;
        ZEPHLIN_RESULT_FAIL when the record cannot make a project (an
        unknown part, an image pointer missing for a non-zero size). */
ZEPHLIN_API uint16_t SaveKDX(ZephlinContext* context);

/** @brief Checks a project file and fills the record from its footer.

    Loading takes two calls: on ZEPHLIN_RESULT_PASS the caller sizes the code
    and data buffers from codeSize and dataSize, and LoadKDXBuffer copies the
    images into them. Fields stored before a failing check keep their new
    values.

    The file names its part by chip ID, which a few parts share. The record
    gets the first part in catalogue order with that ID, unless that part
    could not have written the file (its images or option words do not fit
    it) and a later one with the ID could: a "Nerel C6" project then loads as
    "Nerel C6", not as the "Nerel C1" that comes first without a data area.

    @param context in: projectFile, a full path. out: chipIndex; codeSize,
        codeChecksum and bufferChecksum; dataSize and dataChecksum (a version
        0x0300 file, which stores no data size, gives the rest of its images
        after the code image, at most the part's second-area size); the
        option settings, customerString, customerId, randomKey, atpgKey,
        saveTime, libraryVersion, projectVersion, stepFlags, ispCodeSource
        and ispCodeName.
    @returns ZEPHLIN_RESULT_PASS; ZEPHLIN_RESULT_OPEN_FILE_ERROR when the
        file cannot be opened or read, or context is NULL;
        ZEPHLIN_RESULT_KDX_FILE_CHECKSUM_ERROR
        when the footer is corrupt (its checksum, or lengths that run past the
        footer or the file); ZEPHLIN_RESULT_KDX_BUFFER_CHECKSUM_ERROR when an
        image's checksum does not match or its size runs past the file;
        ZEPHLIN_RESULT_KDX_TOOL_ID_ERROR for an unknown tool ID;
        ZEPHLIN_RESULT_KDX_PART_NOT_SUPPORTED when no part has the file's chip
        ID; ZEPHLIN_RESULT_KDX_CUSTOMER_ID_ERROR when the customer ID is not
        5. */
ZEPHLIN_API uint16_t LoadKDXFooter(ZephlinContext* context);

/** @brief Copies a project file's images into the record's buffers, after
    LoadKDXFooter.

    @param context in: projectFile, and codeImage and dataImage sized for
        codeSize and dataSize. The buffers are written only on
        ZEPHLIN_RESULT_PASS.
    @returns ZEPHLIN_RESULT_PASS; ZEPHLIN_RESULT_OPEN_FILE_ERROR when the
        file cannot be opened, or context is NULL;
        ZEPHLIN_RESULT_KDX_FILE_CHECKSUM_ERROR when it has no footer;
        ZEPHLIN_RESULT_KDX_BUFFER_CHECKSUM_ERROR when the sizes run past the
        images the file holds; ZEPHLIN_RESULT_FAIL when a buffer is
        missing. */
ZEPHLIN_API uint16_t LoadKDXBuffer(ZephlinContext* context);

/* ==== ISP code =============================================================== */

/** @brief Places ISP boot code at the top of the part's ISP area.

    The ISP area is the second area for chip type 21 (dataImage, dataSize)
    and the main area otherwise (codeImage, codeSize); its buffer must hold
    the area's whole size. The image takes whole units of ISP space that end
    at the area's end; the size grows to the image's end, the bytes between
    the old end and the image become 0xFF, the ISP memory settings reserve at
    least those units and BOOT_MS selects "Boot Flash". Nothing changes on
    failure.

    @param context in: chipIndex; ispCodeSource and ispCodeName (1: the file
        named, Intel HEX when the name ends in "hex" in any case, raw bytes
        otherwise; anything else: the part's built-in image). in and out: the
        ISP area's image and size, the select settings.
    @returns ZEPHLIN_RESULT_PASS; ZEPHLIN_RESULT_FAIL when the part has no
        ISP slot or built-in image, the area's buffer is missing or context is
        NULL; ZEPHLIN_RESULT_OPEN_FILE_ERROR when the file cannot be opened;
        ZEPHLIN_RESULT_CHECKSUM_ERROR when a record of the HEX file is damaged
        (a wrong checksum, cut short), so the file is refused;
        ZEPHLIN_RESULT_FILE_TOO_LARGE when the image does not fit the area. */
ZEPHLIN_API uint16_t InsertISPcode(ZephlinContext* context);

/* ==== Device exports ========================================================
 * Each opens the writer, checks its firmware (asking through the host
 * services before any update), powers and identifies the target for the part
 * at chipIndex, does its work, powers the target down and closes the writer
 * before it stores its result code. Only one may run at a time.
 *
 * Results every device export can give besides its own:
 * - ZEPHLIN_RESULT_NO_WRITER: no writer;
 * - ZEPHLIN_RESULT_SEND_ERROR, ZEPHLIN_RESULT_READ_ERROR: a frame or data
 *   block not sent completely, a data block not read completely (also the
 *   version query and its reply);
 * - ZEPHLIN_RESULT_UPDATE_DECLINED, ZEPHLIN_RESULT_UPDATE_FAILED: the user
 *   answered No to a firmware update, or the update failed;
 * - ZEPHLIN_RESULT_POWER_ON_FAIL, ZEPHLIN_RESULT_NO_RESPONSE,
 *   ZEPHLIN_RESULT_ID_MISMATCH, ZEPHLIN_RESULT_TARGET_LOCKED: the target
 *   could not be powered (or set up), does not respond, reports another ID,
 *   is locked (not for OffLineMode and ReadOffLineModeInfo, which power no
 *   target);
 * - ZEPHLIN_RESULT_FAIL, ZEPHLIN_RESULT_FILE_TOO_LARGE: a record the export
 *   cannot act on, refused before the writer is opened: a chipIndex outside
 *   the catalogue or a missing image pointer with a non-zero size (FAIL), a
 *   size that reaches past the part's area, also any dataSize on a part
 *   without a second area (FILE_TOO_LARGE). Without a record (NULL) an
 *   export returns ZEPHLIN_RESULT_FAIL and stores nothing.
 *
 * Transfers report progress 0 to 100 in the result word: a caller may run an
 * export on a worker thread and poll the word (see ZephlinContext.result). */

/** @brief Checks that the target reports the part's device ID.

    @param context in: chipIndex.
    @returns ZEPHLIN_RESULT_PASS when the target reports the catalogue's
        device ID, ZEPHLIN_RESULT_FAIL when it reports another. */
ZEPHLIN_API uint16_t CheckID(ZephlinContext* context);

/** @brief Erases the whole main area, the whole second area, or both.

    @param context in: chipIndex; codeSize and dataSize, which only select:
        not 0 erases that area.
    @returns ZEPHLIN_RESULT_PASS; ZEPHLIN_RESULT_STATUS_READ_ERROR when no
        status report follows an erase command; ZEPHLIN_RESULT_FAIL for a
        wrong tag or a failure status. */
ZEPHLIN_API uint16_t Erase(ZephlinContext* context);

/** @brief Checks that flash holds the part's erased value.

    @param context in: chipIndex; codeSize, which only selects the whole
        main area; dataStart and dataSize, the range of the second area (0
        skips it). The result word shows progress.
    @returns ZEPHLIN_RESULT_PASS; ZEPHLIN_RESULT_FAIL when a byte is not
        erased; ZEPHLIN_RESULT_FILE_TOO_LARGE for a range beyond the second
        area, refused before the writer is opened. */
ZEPHLIN_API uint16_t BlankCheck(ZephlinContext* context);

/** @brief Erases flash and option words, also of a locked target, then
    writes the part's default option words with the lock released.

    @param context in: chipIndex.
    @returns ZEPHLIN_RESULT_PASS; ZEPHLIN_RESULT_FAIL for a missing status
        report, a wrong tag or a failure status after the erase or the option
        write; ZEPHLIN_RESULT_CHECKSUM_ERROR when the writer found a
        checksum error in the option words; ZEPHLIN_RESULT_END_OF_TARGET_FAIL
        when the target could not be powered down after the erase;
        ZEPHLIN_RESULT_ID_MISMATCH, ZEPHLIN_RESULT_TARGET_LOCKED or
        ZEPHLIN_RESULT_POWER_ON_FAIL from setting the target up again after
        the erase. */
ZEPHLIN_API uint16_t WholeChipErase(ZephlinContext* context);

/** @brief Programs the images into the target.

    @param context in: chipIndex; codeImage, codeStart, codeSize and
        codeChecksum; dataImage, dataStart, dataSize and dataChecksum (each
        checksum the 16-bit sum of its image). The result word shows
        progress.
    @returns ZEPHLIN_RESULT_PASS; ZEPHLIN_RESULT_CHECKSUM_ERROR when the
        writer's sum of what it received differs; ZEPHLIN_RESULT_FAIL for a
        missing status report, a wrong tag or a failure status;
        ZEPHLIN_RESULT_FILE_TOO_LARGE for an image beyond its area, refused
        before the writer is opened. */
ZEPHLIN_API uint16_t Program(ZephlinContext* context);

/** @brief Reads the target back and compares it with the images.

    @param context in: chipIndex; codeImage and codeSize, dataImage and
        dataSize, compared from the start of each area. The result word shows
        progress.
    @returns ZEPHLIN_RESULT_PASS; ZEPHLIN_RESULT_FAIL when a byte differs or
        an image is missing; ZEPHLIN_RESULT_FILE_TOO_LARGE for a size beyond
        its area, refused before the writer is opened. */
ZEPHLIN_API uint16_t Verify(ZephlinContext* context);

/** @brief Reads the whole target into the images, then its option settings
    as ReadOptions does.

    A buffer changes only when its area was read completely.

    @param context in: chipIndex; codeImage holding the part's main-area size
        and, for a part with a second area, dataImage holding its size; a
        non-zero codeSize or dataSize on entry is taken as that buffer's
        capacity. out: the images, codeSize and dataSize (the area sizes) and
        the option settings. The result word shows progress.
    @returns ReadOptions' result after a complete read;
        ZEPHLIN_RESULT_FILE_TOO_LARGE with nothing written when a capacity
        given is smaller than its area. */
ZEPHLIN_API uint16_t DumpTarget(ZephlinContext* context);

/** @brief Reads the chip checksum, the low half of option word 8, also from
    a locked target.

    Sets the result word to 0 first.

    @param context in: chipIndex.
    @param chipChecksum Receives the checksum, only on ZEPHLIN_RESULT_PASS.
    @returns ZEPHLIN_RESULT_PASS; ZEPHLIN_RESULT_FAIL when chipChecksum is
        NULL. */
ZEPHLIN_API uint16_t ReadCheckSum(ZephlinContext* context, uint16_t* chipChecksum);

/** @brief Builds the part's option words from the option settings and
    writes them.

    @param context in: chipIndex, the option settings; with
        ZEPHLIN_STEP_IN_SEQUENCE and ZEPHLIN_STEP_SAVE_CHIP_CHECKSUM in
        stepFlags, a part with the checksum-save flag also gets word 8 from
        codeAreaChecksum.
    @returns ZEPHLIN_RESULT_PASS; ZEPHLIN_RESULT_CHECKSUM_ERROR when the
        writer found a checksum error; ZEPHLIN_RESULT_FAIL for a missing
        status report, a wrong tag or a failure status. */
ZEPHLIN_API uint16_t WriteOptions(ZephlinContext* context);

/** @brief Reads the part's option words into the option settings.

    @param context in: chipIndex. out: the option settings, changed only on
        ZEPHLIN_RESULT_PASS.
    @returns ZEPHLIN_RESULT_PASS, or a failure of the device exports. */
ZEPHLIN_API uint16_t ReadOptions(ZephlinContext* context);

/* ==== Off-Line Mode ===========================================================
 * Both exports open the writer and check its firmware for the part at
 * chipIndex, power no target, and close the writer before they return. */

/** @brief Loads the writer for producing chips on its own.

    Downloads the code image followed by the data image, then the settings
    block built from the record. Run it on a worker thread: the result word
    shows the progress of both downloads.

    @param context in: chipIndex; the images with their starts, sizes and
        checksums (the download's sum is codeChecksum + dataChecksum); the
        low byte of stepFlags; offlineFlags, serialAddress, serialString,
        serialNumber and maxCounter; the option settings, built into option
        words as WriteOptions builds them.
    @returns ZEPHLIN_RESULT_PASS; ZEPHLIN_RESULT_SEND_ERROR when a frame or
        block is not sent; ZEPHLIN_RESULT_FAIL for a missing status report, a
        wrong tag or a failure status; ZEPHLIN_RESULT_CHECKSUM_ERROR when the
        writer found a checksum error. */
ZEPHLIN_API uint16_t OffLineMode(ZephlinContext* context);

/** @brief Reads the writer's stored settings block into the record.

    Nothing is stored on failure.

    @param context in: chipIndex, the part whose firmware the writer runs.
        out: the part (by its chip ID, and among parts that share it by the
        block's chip type and device ID where the block carries them, else
        the first in catalogue order; chipIndex stays when the ID is not in
        the catalogue), starts, sizes and checksums, stepFlags, offlineFlags,
        the serial fields, currentNumber and currentCounter as the writer
        keeps them, offlineReserved and the option settings.
    @returns ZEPHLIN_RESULT_PASS; ZEPHLIN_RESULT_INFO_EMPTY when the writer
        holds no information; ZEPHLIN_RESULT_CHECKSUM_ERROR when the block's
        checksum does not match; ZEPHLIN_RESULT_FAIL for an unknown block
        format or fewer option words than the part has;
        ZEPHLIN_RESULT_SEND_ERROR when the frame is not sent;
        ZEPHLIN_RESULT_READ_ERROR when the block is not read. */
ZEPHLIN_API uint16_t ReadOffLineModeInfo(ZephlinContext* context);

/* ==== Host integration ========================================================
 * Not operation exports: these functions let a program plug its own user
 * interface into the library and choose the writer the device exports talk
 * to. A program calls them before its first device export and never while an
 * export runs. */

/** @brief Answers of ZephlinHostServices.askYesNo. */
enum { ZEPHLIN_ANSWER_NO = 0, ZEPHLIN_ANSWER_YES = 1 };

/** @brief Kinds of ZephlinHostServices.showMessage. */
enum {
    /** A plain message with an OK button (the transport diagnostics, the
        reason an exception stopped an export, a wait for the simulator's
        state file). */
    ZEPHLIN_MESSAGE_PLAIN = 0,
    /** A system-modal error with a stop icon (a failed firmware update). */
    ZEPHLIN_MESSAGE_STOP = 1
};

/** @brief What SaveKDX asks the host's save dialog for. */
typedef struct ZephlinSaveFileRequest {
    /** For example "veltrix Project File (*.kdx)". */
    const wchar_t* filterText;
    /** For example "*.kdx". */
    const wchar_t* pattern;
    /** Without the dot; appended when the chosen name has none. */
    const wchar_t* defaultExtension;
    /** May be empty. */
    const wchar_t* startFolder;
    /** 1: ask before replacing an existing file. */
    int32_t confirmOverwrite;
} ZephlinSaveFileRequest;

/** @brief The user interface the library asks through: whether to update the
    writer's firmware, a few messages, and SaveKDX's save dialog.

    An extension struct: set structSize first. The callbacks run on the
    thread of the export that needs them. */
typedef struct ZephlinHostServices {
    /** sizeof(ZephlinHostServices) as the caller was built. */
    size_t structSize;
    /** Passed back to every callback. */
    void* userData;
    /** Asks a question; returns ZEPHLIN_ANSWER_YES or ZEPHLIN_ANSWER_NO. */
    int32_t (*askYesNo)(void* userData, const wchar_t* question);
    /** Shows a message; kind is ZEPHLIN_MESSAGE_PLAIN or
        ZEPHLIN_MESSAGE_STOP. */
    void (*showMessage)(void* userData, const wchar_t* text, int32_t kind);
    /** Stores the chosen full path, terminated, in path (at most
        pathCapacity characters including the terminator) and returns 1;
        returns 0 when the user cancels. A path that does not fit counts as
        cancelled. */
    int32_t (*chooseSaveFile)(void* userData, const ZephlinSaveFileRequest* request, wchar_t* path,
                              size_t pathCapacity);
} ZephlinHostServices;

/** @brief Installs the host services.

    Without installed services every question is answered No and every dialog
    is cancelled, so the library never updates a writer's firmware without
    consent.

    @param services Copied. NULL restores the defaults; so does a NULL
        member for its service: No, nothing shown, cancelled.
    @returns 1; 0 with the installed services unchanged when structSize is
        below the first release's. */
ZEPHLIN_API int32_t ZephlinSetHostServices(const ZephlinHostServices* services);

/** @brief The writer backends. */
enum {
    /** A real writer over USB: the choice before any call. */
    ZEPHLIN_WRITER_USB = 0,
    /** The built-in writer simulator, which behaves like a writer box with a
        chip in its socket and keeps its state for the life of the process
        (and in a state file when one is given). A program that chooses it
        must say so to its user. */
    ZEPHLIN_WRITER_SIMULATOR = 1
};

/** @brief How ZephlinUseSimulatedWriter sets up the simulator. An extension
    struct: set structSize first; a record with only structSize set gives the
    defaults. */
typedef struct ZephlinSimulatorOptions {
    /** sizeof(ZephlinSimulatorOptions) as the caller was built. */
    size_t structSize;
    /** State file: loaded when it exists, created when it does not (an empty
        file counts as missing), written again by ZephlinSaveSimulatorState.
        It must be a regular file. The simulator holds an exclusive lock on
        it from loading to the end of the process (or the next selection);
        selecting a simulator on a file another program holds waits for it,
        after telling the user through the host services. NULL or empty:
        memory only. */
    const char* stateFile;
    /** faultCount faults to inject, each "name" or "name=number"; see
        ZephlinGetSimulatorFaults. */
    const char* const* faults;
    size_t faultCount;
    /** Delay per report in microseconds, modelling USB full speed (about
        1000), at most 1000000; 0: none. */
    uint32_t latencyMicroseconds;
    /** 1: the part at fixedChipIndex stays in the socket whatever the target
        setup asks for (to provoke ID mismatches); 0: the socket holds the
        part asked for. */
    int32_t useFixedPart;
    int32_t fixedChipIndex;
} ZephlinSimulatorOptions;

/** @brief One fault the simulator can inject. */
typedef struct ZephlinSimulatorFault {
    const char* name;
    /** The name of the number after "=", or NULL when it takes none. */
    const char* argument;
    const char* description;
} ZephlinSimulatorFault;

/** @brief Selects the USB writer.

    @returns 1, or 0 when it cannot be selected; the previous writer then
        stays selected. */
ZEPHLIN_API int32_t ZephlinUseUsbWriter(void);

/** @brief Selects a new simulated writer.

    @param options NULL for the defaults.
    @param error Receives a UTF-8 reason on failure, at most errorCapacity
        bytes including the terminator; may be NULL.
    @param errorCapacity The size of error in bytes.
    @returns 1; 0 with the selection unchanged when an option is invalid, the
        state file cannot be read or structSize is below the first
        release's. */
ZEPHLIN_API int32_t ZephlinUseSimulatedWriter(const ZephlinSimulatorOptions* options, char* error,
                                              size_t errorCapacity);

/** @brief Tells which writer the device exports talk to.

    @returns ZEPHLIN_WRITER_USB or ZEPHLIN_WRITER_SIMULATOR. */
ZEPHLIN_API int32_t ZephlinSelectedWriter(void);

/** @brief Writes the simulator's state to its state file.

    @param error Receives a UTF-8 reason on failure, as for
        ZephlinUseSimulatedWriter; may be NULL.
    @param errorCapacity The size of error in bytes.
    @returns 1; 0 when the simulator is not selected, has no state file or
        the file cannot be written. */
ZEPHLIN_API int32_t ZephlinSaveSimulatorState(char* error, size_t errorCapacity);

/** @brief Lets the simulated writer produce chips in Off-Line Mode from its
    stored image and settings; production stops at the max counter.

    @param count The most chips to produce.
    @returns The number of chips produced, or -1 when the simulator is not
        selected. */
ZEPHLIN_API int32_t ZephlinSimulatorProduce(uint32_t count);

/** @brief Hands out the table of faults the simulator can inject.

    @param faults Receives the address of the first entry, which stays valid
        while the library is loaded; may be NULL.
    @returns The number of entries. */
ZEPHLIN_API int32_t ZephlinGetSimulatorFaults(const ZephlinSimulatorFault** faults);

#ifdef __cplusplus
}
#endif

#endif /* ZEPHLIN_DLL_H */
