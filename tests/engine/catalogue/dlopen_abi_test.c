/* Loads libZephlin_DLL.so with dlopen and calls its exports by name. */
#include "Zephlin_DLL.h"

#include <dlfcn.h>
#include <stdio.h>

#include <wchar.h>

typedef void (*GetDLLInfoFn)(uint32_t*, int32_t*);
typedef int32_t (*GetBodyInfoFn)(const ZephlinBodyInfo**);

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: %s LIBRARY\n", argv[0]);
        return 2;
    }
    void* library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
    if (library == NULL) {
        fprintf(stderr, "dlopen: %s\n", dlerror());
        return 1;
    }
    int failures = 0;
    GetDLLInfoFn getDllInfo = (GetDLLInfoFn)dlsym(library, "GetDLLInfo");
    if (getDllInfo == NULL) {
        fprintf(stderr, "GetDLLInfo is not exported\n");
        failures++;
    } else {
        uint32_t word = 0;
        int32_t edition = 0;
        getDllInfo(&word, &edition);
        /* The library is the one this header belongs to. */
        if (word != 0x02010000u || word != ZEPHLIN_VERSION || edition != 2) {
            fprintf(stderr, "GetDLLInfo gave 0x%08X and %d\n", (unsigned)word, (int)edition);
            failures++;
        }
    }
    GetBodyInfoFn getBodyInfo = (GetBodyInfoFn)dlsym(library, "GetBodyInfo");
    if (getBodyInfo == NULL) {
        fprintf(stderr, "GetBodyInfo is not exported\n");
        failures++;
    } else {
        const ZephlinBodyInfo* records = NULL;
        const int32_t count = getBodyInfo(&records);
        if (count != 36 || records == NULL || wcscmp(records[0].partName, L"Nerel A1(3V)") != 0) {
            fprintf(stderr, "GetBodyInfo gave %d records\n", (int)count);
            failures++;
        }
    }
    /* All 18 operation exports are there by name. */
    static const char* const kExports[] = {"GetBodyInfo",
                                           "GetDLLInfo",
                                           "CheckID",
                                           "Erase",
                                           "BlankCheck",
                                           "WholeChipErase",
                                           "Program",
                                           "Verify",
                                           "DumpTarget",
                                           "ReadCheckSum",
                                           "WriteOptions",
                                           "ReadOptions",
                                           "SaveKDX",
                                           "LoadKDXFooter",
                                           "LoadKDXBuffer",
                                           "OffLineMode",
                                           "ReadOffLineModeInfo",
                                           "InsertISPcode"};
    for (size_t i = 0; i < sizeof kExports / sizeof kExports[0]; ++i) {
        if (dlsym(library, kExports[i]) == NULL) {
            fprintf(stderr, "%s is not exported\n", kExports[i]);
            failures++;
        }
    }
    /* Only the exports are visible: internals stay hidden. */
    if (dlsym(library, "_ZN7zephlin13chipCatalogueEv") != NULL) {
        fprintf(stderr, "an internal symbol is exported\n");
        failures++;
    }
    dlclose(library);
    return failures == 0 ? 0 : 1;
}
