#include "buffer/core/buffer_edit_modes.h"

namespace zephlin {

bool BufferEditModes::setAutoReload(bool ticked, LoadState currentPage) {
    autoReload_ = ticked;
    return ticked && reloadable(currentPage);
}

} // namespace zephlin
