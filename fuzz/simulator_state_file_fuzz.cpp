// The writer simulator's state file on arbitrary bytes: a file a user names
// with --sim-state, so bytes from outside.
#include "fuzz_support.h"
#include "link/simulator/simulator_state_file.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zephlin::sim;
    using zephlin::fuzz::require;
    std::string reason;
    const auto state = parseStateFile({data, size}, reason);
    if (!state) {
        require(!reason.empty(), "a refused file has a reason");
        return 0;
    }
    require(!state->chip || state->chip->fitsItsPart(), "a loaded chip fits its part");
    // What was loaded saves and loads again as the same state.
    const auto saved = serialiseState(*state);
    const auto again = parseStateFile(saved, reason);
    require(again.has_value(), "a saved state loads");
    require(serialiseState(*again) == saved, "a saved state loads as itself");
    return 0;
}
