/* Loads libZephlin_DLL.so with dlopen and calls its exports by name. */
#include "Zephlin_DLL.h"

#include <dlfcn.h>
#include <stdio.h>

typedef void (*GetDLLInfoFn)(uint32_t*, int32_t*);

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
        if (word != 0x02010000u || edition != 2) {
            fprintf(stderr, "GetDLLInfo gave 0x%08X and %d\n", (unsigned)word, (int)edition);
            failures++;
        }
    }
    dlclose(library);
    return failures == 0 ? 0 : 1;
}
