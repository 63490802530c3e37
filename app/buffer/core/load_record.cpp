#include "buffer/core/load_record.h"

namespace zephlin {

bool loadReplaces(LoadState before) {
    return before == LoadState::Empty || before == LoadState::Dumped;
}

LoadState stateAfterLoad(LoadState before, bool clearBuffer) {
    if (clearBuffer || loadReplaces(before)) {
        return LoadState::SingleFile;
    }
    return LoadState::Mixed;
}

LoadState stateAfterIspInsert(LoadState before) {
    return before == LoadState::Empty || before == LoadState::IspOnly ? LoadState::IspOnly
                                                                      : LoadState::Mixed;
}

bool reloadable(LoadState state) {
    return state == LoadState::SingleFile || state == LoadState::Mixed;
}

} // namespace zephlin
