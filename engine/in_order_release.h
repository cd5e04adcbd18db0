#pragma once
// Workers finish documents in any order; a progress bar that counts queue positions may only move
// past a document once every document before it has finished. This holds the finished positions
// back until all those before them are done, and lets them go in queue order.
#include <cstddef>
#include <optional>
#include <unordered_map>
#include <vector>

namespace plainquill::engine {

class InOrderRelease {
public:
    // `order`: the queue positions of the run, in queue order (each once).
    explicit InOrderRelease(std::vector<std::size_t> order);

    // Notes `finished` (in any order; positions not in the run, or noted before, are ignored)
    // and returns the positions that may now be shown, in queue order: the longest run of
    // finished positions after those released before.
    std::vector<std::size_t> release(const std::vector<std::size_t>& finished);

    // The first position not yet released: the one the run waits for.
    std::optional<std::size_t> waitingFor() const;
    bool allReleased() const { return m_released == m_order.size(); }

private:
    std::vector<std::size_t> m_order;
    std::unordered_map<std::size_t, std::size_t> m_indexOf; // position -> index in m_order
    std::vector<bool> m_done;                               // by index in m_order
    std::size_t m_released = 0;
};

} // namespace plainquill::engine
