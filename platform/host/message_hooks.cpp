#include "platform/host/message_hooks.h"

#include <algorithm>

namespace plainquill::host {

using contracts::WindowMessage;

// Removes its entry when destroyed; the list may already be gone with its window.
class MessageHooks::Hook final : public contracts::MessageHook {
public:
    Hook(std::weak_ptr<List> list, int id) : m_list(std::move(list)), m_id(id) {}
    ~Hook() override
    {
        if (const auto list = m_list.lock())
            std::erase_if(list->entries, [&](const Entry& e) { return e.id == m_id; });
    }

private:
    std::weak_ptr<List> m_list;
    int m_id;
};

std::unique_ptr<contracts::MessageHook> MessageHooks::install(std::function<void(WindowMessage)> handler)
{
    const int id = m_list->nextId++;
    m_list->entries.push_back({id, std::move(handler)});
    return std::make_unique<Hook>(m_list, id);
}

void MessageHooks::deliver(WindowMessage message)
{
    const std::shared_ptr<List> keepAlive = m_list;
    const std::vector<Entry> snapshot = keepAlive->entries;
    for (const Entry& entry : snapshot) {
        const bool installed = std::any_of(keepAlive->entries.begin(), keepAlive->entries.end(),
                                           [&](const Entry& e) { return e.id == entry.id; });
        if (installed)
            entry.handler(message);
    }
}

void MessageHooks::pointerLeft()
{
    if (!m_leaveRequested)
        return;
    m_leaveRequested = false;
    deliver(WindowMessage::MouseLeave);
}

bool MessageHooks::empty() const { return m_list->entries.empty(); }

} // namespace plainquill::host
