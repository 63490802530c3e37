#include "link/host_services.h"

#include "support/extension_struct.h"

#include <cwchar>
#include <mutex>
#include <vector>

namespace zephlin::host {
namespace {

// The installed services. A copy is taken under the lock for each use, so a
// program that reinstalls them never races a running export.
struct Installed {
    std::mutex mutex;
    ZephlinHostServices services{};
};

Installed& installed() {
    static Installed instance;
    return instance;
}

ZephlinHostServices current() {
    Installed& state = installed();
    const std::lock_guard lock(state.mutex);
    return state.services;
}

// The longest path the library asks a save dialog for, terminator included.
constexpr std::size_t kPathCapacity = 4096;

// The services struct of the first release ends with chooseSaveFile.
constexpr std::size_t kFirstReleaseSize = ZEPHLIN_MEMBER_END(ZephlinHostServices, chooseSaveFile);

} // namespace

bool askYesNo(const std::wstring& question) {
    const ZephlinHostServices services = current();
    return services.askYesNo != nullptr &&
           services.askYesNo(services.userData, question.c_str()) == ZEPHLIN_ANSWER_YES;
}

void showMessage(const std::wstring& text, MessageKind kind) {
    const ZephlinHostServices services = current();
    if (services.showMessage != nullptr) {
        services.showMessage(services.userData, text.c_str(), static_cast<int32_t>(kind));
    }
}

std::optional<std::wstring> chooseSaveFile(const SaveFileRequest& request) {
    const ZephlinHostServices services = current();
    if (services.chooseSaveFile == nullptr) {
        return std::nullopt;
    }
    const ZephlinSaveFileRequest plain{
        .filterText = request.filterText.c_str(),
        .pattern = request.pattern.c_str(),
        .defaultExtension = request.defaultExtension.c_str(),
        .startFolder = request.startFolder.c_str(),
        .confirmOverwrite = request.confirmOverwrite ? 1 : 0,
    };
    std::vector<wchar_t> path(kPathCapacity, L'\0');
    if (services.chooseSaveFile(services.userData, &plain, path.data(), path.size()) != 1) {
        return std::nullopt;
    }
    // The program's answer is not trusted to be terminated within the buffer.
    const std::size_t length = wcsnlen(path.data(), path.size());
    if (length == 0 || length == path.size()) {
        return std::nullopt;
    }
    return std::wstring(path.data(), length);
}

} // namespace zephlin::host

extern "C" ZEPHLIN_API int32_t ZephlinSetHostServices(const ZephlinHostServices* services) {
    using namespace zephlin;
    std::optional<ZephlinHostServices> chosen = ZephlinHostServices{};
    if (services != nullptr) {
        chosen = readExtension(services, host::kFirstReleaseSize);
        if (!chosen) {
            return 0;
        }
    }
    auto& state = host::installed();
    const std::lock_guard lock(state.mutex);
    state.services = *chosen;
    return 1;
}
