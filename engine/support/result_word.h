// The caller's result word: transfer progress 0 to 100 while an export runs,
// its result code once it has finished. Another thread polls the word without
// a lock, so every store is a single atomic 16-bit release store; the result
// code, stored last, publishes everything the export wrote before it.
#pragma once

#include <atomic>
#include <cstdint>

namespace zephlin {

class ResultWord {
public:
    // A null word is allowed: progress and results then go nowhere.
    explicit ResultWord(uint16_t* word = nullptr) : word_(word) {}

    void store(uint16_t value) const {
        if (word_ != nullptr) {
            std::atomic_ref<uint16_t>(*word_).store(value, std::memory_order_release);
        }
    }

    // Stores a result code and hands it back, for `return result.finish(code);`.
    uint16_t finish(uint16_t code) const {
        store(code);
        return code;
    }

    bool present() const { return word_ != nullptr; }

private:
    uint16_t* word_;
};

} // namespace zephlin
