#pragma once
// Runs a clean-up when a scope ends, however it ends: a return, a break or an exception.
#include <utility>

namespace plainquill {

template <typename CleanUp>
class ScopeExit {
public:
    explicit ScopeExit(CleanUp cleanUp) : m_cleanUp(std::move(cleanUp)) {}
    ~ScopeExit() { m_cleanUp(); }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

private:
    CleanUp m_cleanUp;
};

} // namespace plainquill
