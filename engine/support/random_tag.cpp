#include "support/random_tag.h"

#include <mutex>
#include <random>

namespace zephlin {
namespace {

// A linear congruential generator with 15-bit outputs, like the C library's
// rand(); seeded with 1 until a seed is given, so a fresh process draws the
// same tags every time.
struct Generator {
    std::mutex mutex;
    std::minstd_rand engine{1};
};

Generator& generator() {
    static Generator instance;
    return instance;
}

} // namespace

uint32_t nextRandomValue() {
    Generator& g = generator();
    const std::lock_guard lock(g.mutex);
    return static_cast<uint32_t>(g.engine() >> 8) & 0x7FFFu;
}

uint8_t nextRandomTag() {
    return static_cast<uint8_t>(nextRandomValue());
}

void seedRandomGenerator(uint32_t seed) {
    Generator& g = generator();
    const std::lock_guard lock(g.mutex);
    g.engine.seed(seed);
}

} // namespace zephlin
