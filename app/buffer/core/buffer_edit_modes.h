// "Enable Modify Buffer" and "Auto Reload": the buffers are either editable
// or reloaded automatically from their files, never both.
#pragma once

#include "buffer/core/load_record.h"

#include <cstdint>

namespace zephlin {

// Colours as 0x00BBGGRR values.
inline constexpr uint32_t kEditableBackground = 0xFFFFFF;
inline constexpr uint32_t kReadOnlyBackground = 0xC8C8C8;
inline constexpr uint32_t kBufferText = 0x000000;

class BufferEditModes {
public:
    // Ticking makes both editors writable (white) and disables Auto Reload;
    // clearing makes them read-only (grey) and enables it again.
    void setModifyEnabled(bool ticked) { editable_ = ticked; }
    bool editable() const { return editable_; }
    uint32_t background() const { return editable_ ? kEditableBackground : kReadOnlyBackground; }
    bool autoReloadBoxEnabled() const { return !editable_; }

    // Ticking disables Enable Modify Buffer and sets the auto-reload flag;
    // returns whether the current page is to be reloaded at once.
    bool setAutoReload(bool ticked, LoadState currentPage);
    bool autoReload() const { return autoReload_; }
    bool modifyBoxEnabled() const { return !autoReload_; }

    // Whether activating the window reloads the current page.
    bool reloadsOnActivate(LoadState currentPage) const {
        return autoReload_ && reloadable(currentPage);
    }

    // Set while Load File runs in its reload form.
    bool reloadInProgress() const { return reloadInProgress_; }
    void setReloadInProgress(bool running) { reloadInProgress_ = running; }

private:
    bool editable_ = false;
    bool autoReload_ = false;
    bool reloadInProgress_ = false;
};

} // namespace zephlin
