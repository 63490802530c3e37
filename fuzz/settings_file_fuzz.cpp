// The program's INI reading on an arbitrary Setting.ini: every value the
// program reads at start-up, then the writes it makes, each of which must be
// read back as written while the rest of the file stays readable.
#include "fuzz_support.h"
#include "shell/core/shell_settings.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zephlin;
    using fuzz::require;
    static const fuzz::InputFile file("Setting.ini");
    file.write({data, size});

    ShellSettings settings(file.path());
    (void)settings.lastPartNo();
    (void)settings.updateTips();
    const int32_t language = settings.language();
    LastFolders folders;
    settings.readFolders(folders);
    if (size > ProfileFile::kMaximumBytes) {
        return 0; // never rewritten
    }

    const int32_t otherLanguage = language == 0 ? 1 : 0;
    settings.writeLanguage(otherLanguage);
    require(settings.language() == otherLanguage, "a written language reads back");

    folders.set(DialogFolder::LoadFile, L"/tmp/zephlin fuzz/");
    settings.writeOnClose(7, folders);
    require(settings.lastPartNo() == 7, "a written part reads back");
    require(settings.language() == otherLanguage, "writing the part keeps the language");
    LastFolders readBack;
    settings.readFolders(readBack);
    require(readBack.get(DialogFolder::LoadFile) == L"/tmp/zephlin fuzz/",
            "a written folder reads back");
    return 0;
}
