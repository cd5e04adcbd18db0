#pragma once
// The message hooks installed on one hosted window, and the one-shot leave tracking.
#include "controls/contracts/container.h"

#include <functional>
#include <memory>
#include <vector>

namespace plainquill::host {

class MessageHooks {
public:
    MessageHooks() = default;
    MessageHooks(const MessageHooks&) = delete;
    MessageHooks& operator=(const MessageHooks&) = delete;

    std::unique_ptr<contracts::MessageHook> install(std::function<void(contracts::WindowMessage)> handler);

    // The window handled `message`: every hook sees it, in installation order.
    void deliver(contracts::WindowMessage message);
    // The pointer left the window: one MouseLeave for each request made since the last one.
    void pointerLeft();
    void trackLeave() { m_leaveRequested = true; }
    bool leaveRequested() const { return m_leaveRequested; }
    bool empty() const;

private:
    struct Entry {
        int id;
        std::function<void(contracts::WindowMessage)> handler;
    };
    struct List {
        int nextId = 1;
        std::vector<Entry> entries;
    };
    class Hook;

    std::shared_ptr<List> m_list = std::make_shared<List>();
    bool m_leaveRequested = false;
};

} // namespace plainquill::host
