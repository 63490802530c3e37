/* The record layout as a C compiler sees the public header. */
#include "Zephlin_DLL.h"
#include "record_layout.h"

#include <stdio.h>

/* The return code that tells CTest the test was skipped. */
#define SKIPPED 77

static int failures = 0;

static void expect(const char* what, size_t actual, size_t expected) {
    if (actual != expected) {
        fprintf(stderr, "%s is %zu, expected %zu\n", what, actual, expected);
        failures++;
    }
}

#define CHECK_OFFSET(Record, member, expected)                                                     \
    expect("offsetof(" #Record ", " #member ")", offsetof(Record, member), expected);
#define CHECK_SIZE(Record, expected) expect("sizeof(" #Record ")", sizeof(Record), expected);

int main(void) {
    if (sizeof(void*) != 8 || sizeof(wchar_t) != 4) {
        fprintf(stderr, "the layout is written out for 64-bit pointers and 4-byte wchar_t\n");
        return SKIPPED;
    }
    ZEPHLIN_RECORD_LAYOUT(CHECK_OFFSET, CHECK_SIZE)
    return failures == 0 ? 0 : 1;
}
