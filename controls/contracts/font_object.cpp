#include "controls/contracts/font_object.h"

#include <algorithm>

namespace plainquill::contracts {

void FontObject::SetName(std::string name)
{
    m_description.face = std::move(name);
    announce("Name");
}

void FontObject::SetSize(double pointSize)
{
    m_description.pointSize = pointSize;
    announce("Size");
}

void FontObject::SetBold(bool bold)
{
    m_description.bold = bold;
    announce("Bold");
}

void FontObject::SetItalic(bool italic)
{
    m_description.italic = italic;
    announce("Italic");
}

void FontObject::SetUnderline(bool underline)
{
    m_description.underline = underline;
    announce("Underline");
}

void FontObject::SetStrikethrough(bool strikethrough)
{
    m_description.strikethrough = strikethrough;
    announce("Strikethrough");
}

FontSubscription FontObject::Subscribe(ChangeHandler handler)
{
    const int id = m_listeners->nextId++;
    m_listeners->list.push_back({id, std::move(handler)});
    return FontSubscription(m_listeners, id);
}

void FontObject::announce(std::string_view attribute)
{
    // A handler may subscribe or unsubscribe while we run: call a snapshot, and keep the list
    // alive in case a handler drops the last reference to this object.
    const std::shared_ptr<Listeners> keepAlive = m_listeners;
    const std::vector<Listener> snapshot = keepAlive->list;
    for (const Listener& listener : snapshot) {
        const bool stillSubscribed = std::any_of(keepAlive->list.begin(), keepAlive->list.end(),
                                                 [&](const Listener& l) { return l.id == listener.id; });
        if (stillSubscribed)
            listener.handler(attribute);
    }
}

FontSubscription::FontSubscription(FontSubscription&& other) noexcept
    : m_listeners(std::move(other.m_listeners)), m_id(other.m_id)
{
    other.m_listeners.reset();
}

FontSubscription& FontSubscription::operator=(FontSubscription&& other) noexcept
{
    if (this != &other) {
        reset();
        m_listeners = std::move(other.m_listeners);
        m_id = other.m_id;
        other.m_listeners.reset();
    }
    return *this;
}

FontSubscription::~FontSubscription() { reset(); }

void FontSubscription::reset()
{
    if (const auto listeners = m_listeners.lock())
        std::erase_if(listeners->list, [&](const FontObject::Listener& l) { return l.id == m_id; });
    m_listeners.reset();
}

} // namespace plainquill::contracts
