#include "engine/in_order_release.h"

namespace plainquill::engine {

InOrderRelease::InOrderRelease(std::vector<std::size_t> order) : m_order(std::move(order)), m_done(m_order.size())
{
    for (std::size_t i = 0; i < m_order.size(); ++i)
        m_indexOf.emplace(m_order[i], i);
}

std::vector<std::size_t> InOrderRelease::release(const std::vector<std::size_t>& finished)
{
    for (const std::size_t position : finished)
        if (const auto found = m_indexOf.find(position); found != m_indexOf.end())
            m_done[found->second] = true;
    std::vector<std::size_t> released;
    while (m_released < m_order.size() && m_done[m_released])
        released.push_back(m_order[m_released++]);
    return released;
}

std::optional<std::size_t> InOrderRelease::waitingFor() const
{
    if (allReleased())
        return std::nullopt;
    return m_order[m_released];
}

} // namespace plainquill::engine
