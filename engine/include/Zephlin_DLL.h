/*
 * Zephlin_DLL: the flash-programming library of Zephlin.
 *
 * Every operation is one synchronous call that takes a pointer to an operation
 * context record and returns a 16-bit result code, which it also stores in the
 * record's result word. The caller owns the record, the result word and every
 * image buffer the record points to. This header compiles as C11 and as C++20.
 */
#ifndef ZEPHLIN_DLL_H
#define ZEPHLIN_DLL_H

#include <stddef.h>
#include <stdint.h>
#include <wchar.h>

#if defined(__GNUC__)
#define ZEPHLIN_API __attribute__((visibility("default")))
#else
#define ZEPHLIN_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Result codes ---------------------------------------------------------
 * The result word holds 0 to 100 as transfer progress in percent while an
 * export runs, and one of these codes (101 and above) once it has finished. */
enum {
    ZEPHLIN_PROGRESS_MAX = 100,
    ZEPHLIN_RESULT_PASS = 101,
    ZEPHLIN_RESULT_FAIL = 102,
    ZEPHLIN_RESULT_SEND_ERROR = 103,
    ZEPHLIN_RESULT_READ_ERROR = 104,
    ZEPHLIN_RESULT_NO_WRITER = 105,
    ZEPHLIN_RESULT_UPDATE_DECLINED = 106,
    ZEPHLIN_RESULT_UPDATE_FAILED = 107,
    ZEPHLIN_RESULT_STATUS_READ_ERROR = 108,
    ZEPHLIN_RESULT_ID_MISMATCH = 109,
    ZEPHLIN_RESULT_TARGET_LOCKED = 110,
    ZEPHLIN_RESULT_PART_NOT_SUPPORTED = 111,
    ZEPHLIN_RESULT_CHECKSUM_ERROR = 112,
    ZEPHLIN_RESULT_CANCELLED = 113,
    ZEPHLIN_RESULT_OPEN_FILE_ERROR = 114,
    ZEPHLIN_RESULT_KDX_FILE_CHECKSUM_ERROR = 115,
    ZEPHLIN_RESULT_KDX_BUFFER_CHECKSUM_ERROR = 116,
    ZEPHLIN_RESULT_KDX_TOOL_ID_ERROR = 117,
    ZEPHLIN_RESULT_KDX_PART_NOT_SUPPORTED = 118,
    ZEPHLIN_RESULT_KDX_CUSTOMER_ID_ERROR = 119,
    ZEPHLIN_RESULT_POWER_ON_FAIL = 120,
    ZEPHLIN_RESULT_END_OF_TARGET_FAIL = 121,
    ZEPHLIN_RESULT_INFO_EMPTY = 122,
    ZEPHLIN_RESULT_NO_RESPONSE = 123,
    ZEPHLIN_RESULT_FILE_TOO_LARGE = 124
};

/* ---- Auto-sequence step flags (field stepFlags) ------------------------- */
enum {
    ZEPHLIN_STEP_WHOLE_CHIP_ERASE = 0x0001,
    ZEPHLIN_STEP_BLANK_CHECK = 0x0002,
    ZEPHLIN_STEP_PROGRAM = 0x0004,
    ZEPHLIN_STEP_VERIFY = 0x0008,
    ZEPHLIN_STEP_WRITE_OPTIONS = 0x0010,
    ZEPHLIN_STEP_ERASE = 0x0020,
    ZEPHLIN_STEP_SAVE_CHIP_CHECKSUM = 0x0080,
    /* Set by the caller only while a step runs inside the Auto sequence or a
     * project save; the option-word builder reads it with SAVE_CHIP_CHECKSUM. */
    ZEPHLIN_STEP_IN_SEQUENCE = 0x8000,
    /* WholeChip Erase, Blank Check, Program, Verify, Write Options and Save
     * Chip Checksum: the flags after start-up and after every part change. */
    ZEPHLIN_STEP_DEFAULT = 0x009F
};

/* ---- Sizes of the record's fixed-capacity fields ------------------------ */
enum {
    ZEPHLIN_SELECT_SLOTS = 8,
    ZEPHLIN_CHECK_SLOTS = 14,
    /* Wide-text fields hold at most CAPACITY - 1 characters and a terminator;
     * the library never writes past them and always terminates them. */
    ZEPHLIN_PATH_CAPACITY = 1024,
    ZEPHLIN_FORM_TEXT_CAPACITY = 256,
    ZEPHLIN_CUSTOMER_STRING_BYTES = 16,
    ZEPHLIN_SERIAL_STRING_BYTES = 12,
    ZEPHLIN_SAVE_TIME_BYTES = 6
};

/* ---- Off-line flags (field offlineFlags) -------------------------------- */
enum {
    ZEPHLIN_OFFLINE_SERIAL_ENABLED = 0x01,
    ZEPHLIN_OFFLINE_AUTO_INCREMENT = 0x02,
    ZEPHLIN_OFFLINE_AREA_MASK = 0xC0,
    ZEPHLIN_OFFLINE_AREA_SECOND = 0x40
};

/* ---- Operation context record ------------------------------------------
 * The one parameter block of every export but GetDLLInfo and GetBodyInfo.
 * Fields are in their contract order; comments give what reads ("in") or
 * fills ("out") them. */
typedef struct ZephlinContext {
    int32_t chipIndex;                             /* catalogue index; -1 unknown */
    uint32_t selectSettings[ZEPHLIN_SELECT_SLOTS]; /* chosen entry; slot 6 numeric */
    uint32_t checkSettings[ZEPHLIN_CHECK_SLOTS];   /* 1 checked, 0 not */
    uint8_t* codeImage;                            /* caller-owned main-area image */
    uint32_t codeStart;
    uint32_t codeSize;         /* 0: the main area is skipped */
    uint16_t codeChecksum;     /* 16-bit sum of codeSize bytes */
    uint16_t codeAreaChecksum; /* sum over the whole main area, 0xFF filler */
    uint8_t* dataImage;        /* caller-owned second-area image */
    uint32_t dataStart;
    uint32_t dataSize; /* 0: the second area is skipped */
    uint16_t dataChecksum;
    uint16_t dataAreaChecksum;
    uint16_t stepFlags; /* ZEPHLIN_STEP_* */
    wchar_t projectFile[ZEPHLIN_PATH_CAPACITY];
    wchar_t codeFileName[ZEPHLIN_PATH_CAPACITY];
    wchar_t ispCodeName[ZEPHLIN_PATH_CAPACITY];
    wchar_t projectFolder[ZEPHLIN_PATH_CAPACITY];
    wchar_t formTo[ZEPHLIN_FORM_TEXT_CAPACITY];
    wchar_t formFrom[ZEPHLIN_FORM_TEXT_CAPACITY];
    wchar_t formPartNo[ZEPHLIN_FORM_TEXT_CAPACITY];
    uint8_t customerId;
    uint8_t customerString[ZEPHLIN_CUSTOMER_STRING_BYTES];
    uint8_t ispCodeSource; /* 1: user file, else built-in */
    uint16_t bufferChecksum;
    uint16_t projectVersion;
    uint16_t libraryVersion;                   /* major in the high byte */
    uint8_t saveTime[ZEPHLIN_SAVE_TIME_BYTES]; /* year-2000, month, day, h, m, s */
    uint32_t randomKey;
    uint16_t atpgKey;
    uint8_t offlineFlags; /* ZEPHLIN_OFFLINE_* */
    uint32_t serialAddress;
    uint8_t serialString[ZEPHLIN_SERIAL_STRING_BYTES];
    uint32_t serialNumber;
    uint32_t currentNumber;
    uint16_t maxCounter;
    uint16_t currentCounter;
    uint8_t offlineReserved[2];
    /* The caller's result word. An export writes it with single atomic 16-bit
     * stores, progress first and its result code last; a caller on another
     * thread reads it with atomic 16-bit loads and touches the record again
     * only once it shows 101 or more. */
    uint16_t* result;
} ZephlinContext;

/* ---- Body-info record -----------------------------------------------------
 * One per catalogue part, in catalogue order; the position is the chip index.
 * Defaults are the option settings the part's default option words decode to. */
typedef struct ZephlinSelectCell {
    const wchar_t* name; /* "NA": the slot is unused */
    union {
        const wchar_t* list; /* slots 0 to 5: comma-separated choices */
        uintptr_t mask;      /* slots 6 and 7: the numeric option's mask */
    } choices;
    uint32_t defaultValue;
} ZephlinSelectCell;

typedef struct ZephlinCheckCell {
    const wchar_t* name;        /* "NA": the slot is unused */
    uint32_t attribute;         /* 1-based select slot it gates; 0 none */
    const wchar_t* description; /* English, L'\0', then Chinese */
    uint32_t defaultValue;      /* 1 checked */
} ZephlinCheckCell;

typedef struct ZephlinBodyInfo {
    const wchar_t* partName;
    uint32_t chipType;
    uint32_t seriesMask;
    uint32_t mainAreaSize;
    uint32_t secondAreaSize; /* 0: no second area */
    uint32_t customerDataFlag;
    uint32_t checksumSaveFlag;
    ZephlinSelectCell selectCells[ZEPHLIN_SELECT_SLOTS];
    ZephlinCheckCell checkCells[ZEPHLIN_CHECK_SLOTS];
} ZephlinBodyInfo;

/* ---- Exports ---------------------------------------------------------- */

/* Stores the address of the first of the catalogue's body-info records and
 * returns their number. The records are the library's and stay valid while it
 * is loaded and no further call rebuilds them. */
ZEPHLIN_API int32_t GetBodyInfo(const ZephlinBodyInfo** records);

/* Stores the version word (major, minor, build, revision from the top byte
 * down) and the edition code. */
ZEPHLIN_API void GetDLLInfo(uint32_t* versionWord, int32_t* editionCode);

/* ---- Project files (.kdx) ---------------------------------------------
 * SaveKDX asks the host for a file name through its save dialog (see
 * ZephlinSetHostServices), starting in projectFolder, and writes the images,
 * the part, its option words (set ZEPHLIN_STEP_IN_SEQUENCE around the call to
 * include the chip checksum word) and the production fields. It stores the
 * chosen folder and file name, the buffer checksum, customer ID 5, the random
 * keys and the save time. The file is written beside the target (beside the
 * file a symbolic link names) and renamed over it only when complete, so a
 * failed save leaves an existing project as it was. A chosen path of
 * ZEPHLIN_PATH_CAPACITY characters or more, which projectFile could not hold
 * to load the project again, gives 114 and nothing is written. Names longer
 * than 255 bytes in UTF-8 are cut after their last whole character. Results:
 * 101; 113 the dialog was cancelled; 114 the file could not be created or
 * written; 102 the record cannot make a project (unknown part, an image
 * pointer missing for a non-zero size). */
ZEPHLIN_API uint16_t SaveKDX(ZephlinContext* context);

/* Loading takes two calls: LoadKDXFooter checks the file named by projectFile
 * (a full path) and fills the record from its footer; on 101 the caller sizes
 * the code and data buffers from codeSize and dataSize (a version 0x0300 file,
 * which stores no data size, gives the rest of the file's images after the
 * code image, at most the part's second-area size) and LoadKDXBuffer copies
 * the images into them.
 * The file names its part by chip ID, which a few parts share; the record
 * gets the first part in catalogue order with that ID, unless that part could
 * not have written the file (its images or option words do not fit it) and a
 * later one with the ID could: a "Nerel C6" project then loads as "Nerel C6",
 * not as the "Nerel C1" that comes first without a data area.
 * Footer results: 101; 114 the file cannot be opened or read; 115 the footer
 * is corrupt (checksum, or lengths that run past the footer or the file); 116
 * an image's checksum does not match or its size runs past the file; 117
 * unknown tool ID; 118 no part with the file's chip ID; 119 customer ID not 5.
 * Fields stored before a failing check keep their new values. */
ZEPHLIN_API uint16_t LoadKDXFooter(ZephlinContext* context);

/* Results: 101; 114 the file cannot be opened; 115 no footer; 116 the sizes
 * run past the images the file holds; 102 a buffer is missing. The buffers
 * are written only on 101. */
ZEPHLIN_API uint16_t LoadKDXBuffer(ZephlinContext* context);

/* ---- ISP code ---------------------------------------------------------
 * Places the part's built-in ISP image (ispCodeSource other than 1) or the
 * file named by ispCodeName (ispCodeSource 1; Intel HEX when the name ends in
 * "hex" in any case, raw bytes otherwise) at the top of the part's ISP area:
 * the second area for chip type 21 (dataImage, dataSize), the main area
 * otherwise (codeImage, codeSize). The image buffer must hold the area's whole
 * size. The image takes whole units of ISP space that end at the area's end;
 * the size grows to the image's end, the bytes between the old end and the
 * image become 0xFF, the ISP memory settings reserve at least those units and
 * BOOT_MS selects "Boot Flash". Results: 101; 102 the part has no ISP slot or
 * built-in image, or the area's buffer is missing; 114 the file cannot be
 * opened; 112 a record of the HEX file is damaged (its checksum is wrong or it
 * is cut short), so the file is refused; 124 the image does not fit the
 * area. Nothing changes on failure. */
ZEPHLIN_API uint16_t InsertISPcode(ZephlinContext* context);

/* ---- Off-Line Mode --------------------------------------------------------
 * Both exports open the writer and check its firmware for the part at
 * chipIndex (no target is powered), and close it before they return; their
 * session results are those of the device exports below.
 *
 * OffLineMode loads the writer for producing chips on its own: the code image
 * followed by the data image (codeSize + dataSize bytes, with the sum of
 * codeChecksum and dataChecksum), then the settings block built from the
 * part, the sizes, starts and checksums, the low byte of stepFlags, the
 * off-line flags, the serial address, string and number, the max counter and
 * the option words (built as WriteOptions builds them). Progress of both
 * downloads goes to the result word; run it on a worker thread. Results: 101;
 * 103 a frame or block not sent; 102 no status report or a wrong tag; 112 the
 * writer found a checksum error; 102 or 124 for a record it cannot act on, as
 * the device exports. */
ZEPHLIN_API uint16_t OffLineMode(ZephlinContext* context);

/* Reads the writer's stored settings block into the record: the part (by its
 * chip ID, and among parts that share it by the block's chip type and device
 * ID where the block carries them, else the first in catalogue order;
 * chipIndex stays when the ID is not in the catalogue), starts, sizes and
 * checksums, step flags, off-line flags, serial fields, the current number
 * and counter the writer keeps up to date, the reserved bytes and the option
 * settings. Results: 101; 122 the writer holds no information; 112 the
 * block's checksum does not match; 102 an unknown block format or fewer
 * option words than the part has; 103 the frame not sent; 104 the block not
 * read. Nothing is stored on failure. */
ZEPHLIN_API uint16_t ReadOffLineModeInfo(ZephlinContext* context);

/* ---- Catalogue details ------------------------------------------------
 * What a part's record holds beyond its body-info record, for tools that
 * describe parts (the command-line programmer's listings). */
typedef struct ZephlinPartDetails {
    uint32_t deviceId;
    uint16_t chipId;
    uint16_t projectVersion;
    uint32_t parameterWord;
    uint8_t erasedValue;
    uint32_t mainPageSize;
    uint32_t secondPageSize;
    uint32_t ispImageId;
    uint32_t optionWordCount;
} ZephlinPartDetails;

/* Fills the details of the part at a chip index; returns 0 for an index
 * outside the catalogue, leaving the details unchanged, and 1 otherwise. */
ZEPHLIN_API int32_t ZephlinGetPartDetails(int32_t chipIndex, ZephlinPartDetails* details);

/* ---- Device exports -------------------------------------------------------
 * Each opens the writer, checks its firmware (asking through the host
 * services before any update: a No gives 106, a failed update 107), powers
 * and identifies the target for the part at chipIndex, does its work, powers
 * the target down and closes the writer before it stores its result code.
 * Session results of every device export: 105 no writer; 103 and 104 the
 * version query not sent or its reply not read; 120 target power-on failure
 * (or any other failed target setup); 123 the target does not respond; 109
 * the target's ID does not match; 110 the target is locked.
 *
 * Transfers report progress 0 to 100 in the result word; a caller may run an
 * export on a worker thread and poll the word (see ZephlinContext.result).
 * Failures of the frames and blocks: 103 a frame or data block not sent
 * completely, 104 a data block not read completely.
 *
 * A record the export cannot act on is refused before the writer is opened:
 * 102 for a chipIndex outside the catalogue or a missing image pointer with
 * a non-zero size, 124 for a size that reaches past the part's area (also any
 * data size on a part without a second area). Without a record an export
 * returns 102 and stores nothing. */

/* Results: 101 the target reports the catalogue's device ID, 102 another. */
ZEPHLIN_API uint16_t CheckID(ZephlinContext* context);

/* Erases the whole main area when codeSize is not 0 and the whole second area
 * when dataSize is not 0 (the sizes only select). Results: 101; 108 no status
 * report after an erase command; 102 a wrong tag or a failure status; 124
 * a dataSize for a part without a second area, refused before the writer is
 * opened. */
ZEPHLIN_API uint16_t Erase(ZephlinContext* context);

/* Checks for the part's erased value the whole main area when codeSize is not
 * 0, and dataSize bytes of the second area from dataStart when dataSize is not
 * 0. Results: 101; 102 a byte is not erased; 124 a range beyond the second
 * area, refused before the writer is opened. */
ZEPHLIN_API uint16_t BlankCheck(ZephlinContext* context);

/* Erases flash and option words, also of a locked target, then writes the
 * part's default option words with the lock released. Results: 101; 102 no
 * status report or a wrong tag after the erase or the option write; 112 the
 * writer found a checksum error in the option words; 121 the target could not
 * be powered down after the erase; 109, 110 or 120 from setting the target up
 * again after the erase. */
ZEPHLIN_API uint16_t WholeChipErase(ZephlinContext* context);

/* Writes codeSize bytes of codeImage at codeStart and dataSize bytes of
 * dataImage at dataStart, each with the caller's 16-bit sum (codeChecksum,
 * dataChecksum). Results: 101; 112 the writer's sum of what it received
 * differs; 102 no status report, a wrong tag or a failure status, or a
 * missing image; 124 an image beyond its area, refused before the writer is
 * opened. */
ZEPHLIN_API uint16_t Program(ZephlinContext* context);

/* Reads codeSize and dataSize bytes from the start of each area and compares
 * them with the images. Results: 101; 102 a byte differs or an image is
 * missing; 124 a size beyond its area, refused before the writer is opened. */
ZEPHLIN_API uint16_t Verify(ZephlinContext* context);

/* Reads the whole main area into codeImage and, for a part with a second
 * area, the whole second area into dataImage, sets codeSize and dataSize to
 * the area sizes, then reads the option settings as ReadOptions does and
 * returns its result. codeImage must hold the part's main-area size and
 * dataImage its second-area size; a non-zero codeSize or dataSize on entry is
 * taken as that buffer's capacity, and one smaller than the area gives 124
 * with nothing written. A buffer changes only when its area was read
 * completely. */
ZEPHLIN_API uint16_t DumpTarget(ZephlinContext* context);

/* Stores the chip checksum (the low half of option word 8) in *chipChecksum,
 * also from a locked target; *chipChecksum is written only on 101. Sets the
 * result word to 0 first. A NULL chipChecksum gives 102. */
ZEPHLIN_API uint16_t ReadCheckSum(ZephlinContext* context, uint16_t* chipChecksum);

/* Builds the part's option words from the option settings (with
 * ZEPHLIN_STEP_IN_SEQUENCE and ZEPHLIN_STEP_SAVE_CHIP_CHECKSUM in stepFlags, a
 * part with the checksum-save flag also gets word 8 from codeAreaChecksum) and
 * writes them. Results: 101; 112 the writer found a checksum error; 102 no
 * status report or a wrong tag. */
ZEPHLIN_API uint16_t WriteOptions(ZephlinContext* context);

/* Reads the part's option words into the option settings, which change only
 * on 101. */
ZEPHLIN_API uint16_t ReadOptions(ZephlinContext* context);

/* ==== Host integration ====================================================
 * Not operation exports: the functions below let a program plug its own user
 * interface into the library and choose the writer the device exports talk
 * to. A program calls them before its first device export and never while an
 * export runs. */

/* ---- Host services --------------------------------------------------------
 * The library asks the user one kind of question (whether to update the
 * writer's firmware), shows a few messages and, for SaveKDX, a save-file
 * dialog. Without installed services every question is answered No and every
 * dialog is cancelled, so the library never updates a writer's firmware
 * without consent. The callbacks run on the thread of the export that needs
 * them. */
enum { ZEPHLIN_ANSWER_NO = 0, ZEPHLIN_ANSWER_YES = 1 };

enum {
    /* A plain message with an OK button (the transport diagnostics). */
    ZEPHLIN_MESSAGE_PLAIN = 0,
    /* A system-modal error with a stop icon (a failed firmware update). */
    ZEPHLIN_MESSAGE_STOP = 1
};

typedef struct ZephlinSaveFileRequest {
    const wchar_t* filterText;       /* for example "veltrix Project File (*.kdx)" */
    const wchar_t* pattern;          /* for example "*.kdx" */
    const wchar_t* defaultExtension; /* without the dot; appended when the name has none */
    const wchar_t* startFolder;      /* may be empty */
    int32_t confirmOverwrite;        /* 1: ask before replacing an existing file */
} ZephlinSaveFileRequest;

typedef struct ZephlinHostServices {
    void* userData; /* passed back to every callback */
    /* Returns ZEPHLIN_ANSWER_YES or ZEPHLIN_ANSWER_NO. */
    int32_t (*askYesNo)(void* userData, const wchar_t* question);
    /* kind is ZEPHLIN_MESSAGE_PLAIN or ZEPHLIN_MESSAGE_STOP. */
    void (*showMessage)(void* userData, const wchar_t* text, int32_t kind);
    /* Stores the chosen full path, terminated, in path (at most pathCapacity
     * characters including the terminator) and returns 1; returns 0 when the
     * user cancels. A path that does not fit counts as cancelled. */
    int32_t (*chooseSaveFile)(void* userData, const ZephlinSaveFileRequest* request, wchar_t* path,
                              size_t pathCapacity);
} ZephlinHostServices;

/* Installs the services (copied); NULL, or a NULL member, restores the default
 * of that service: No, nothing shown, cancelled. */
ZEPHLIN_API void ZephlinSetHostServices(const ZephlinHostServices* services);

/* ---- Writer backend -------------------------------------------------------
 * The device exports talk to a real writer over USB unless a program chooses
 * the built-in writer simulator, which behaves like a writer box with a chip in
 * its socket and keeps its state for the life of the process (and in a state
 * file when one is given). A program that chooses the simulator must say so to
 * its user. */
enum { ZEPHLIN_WRITER_USB = 0, ZEPHLIN_WRITER_SIMULATOR = 1 };

typedef struct ZephlinSimulatorOptions {
    /* State file: loaded when it exists, created when it does not, written
     * again by ZephlinSaveSimulatorState. NULL or empty: memory only. */
    const char* stateFile;
    /* Faults to inject, each "name" or "name=number"; see
     * ZephlinGetSimulatorFaults. */
    const char* const* faults;
    size_t faultCount;
    /* Delay per report, modelling USB full speed (about 1000); 0: none. */
    uint32_t latencyMicroseconds;
    /* With useFixedPart 1, the part at fixedChipIndex stays in the socket
     * whatever the target setup asks for (to provoke ID mismatches); with 0
     * the socket holds the part asked for. A zeroed record gives the defaults. */
    int32_t useFixedPart;
    int32_t fixedChipIndex;
} ZephlinSimulatorOptions;

typedef struct ZephlinSimulatorFault {
    const char* name;
    const char* argument; /* name of the number after "=", or NULL when it takes none */
    const char* description;
} ZephlinSimulatorFault;

/* Selects the USB writer (the choice before any call). Returns 1, or 0 when
 * it cannot be selected (the previous writer then stays selected). */
ZEPHLIN_API int32_t ZephlinUseUsbWriter(void);

/* Selects a new simulated writer. Returns 1, or 0 with a UTF-8 reason in error
 * (at most errorCapacity bytes including the terminator; error may be NULL)
 * when an option is invalid or the state file cannot be read; the selection is
 * then unchanged. */
ZEPHLIN_API int32_t ZephlinUseSimulatedWriter(const ZephlinSimulatorOptions* options, char* error,
                                              size_t errorCapacity);

/* ZEPHLIN_WRITER_USB or ZEPHLIN_WRITER_SIMULATOR. */
ZEPHLIN_API int32_t ZephlinSelectedWriter(void);

/* Writes the simulator's state to its state file. Returns 1, or 0 with a
 * reason when the simulator is not selected, has no state file or the file
 * cannot be written. */
ZEPHLIN_API int32_t ZephlinSaveSimulatorState(char* error, size_t errorCapacity);

/* Lets the simulated writer produce up to count chips in Off-Line Mode from its
 * stored image and settings; production stops at the max counter. Returns the
 * number of chips produced, or -1 when the simulator is not selected. */
ZEPHLIN_API int32_t ZephlinSimulatorProduce(uint32_t count);

/* Stores the address of the simulator's fault table and returns its length. */
ZEPHLIN_API int32_t ZephlinGetSimulatorFaults(const ZephlinSimulatorFault** faults);

#ifdef __cplusplus
}
#endif

#endif /* ZEPHLIN_DLL_H */
