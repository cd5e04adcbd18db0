#pragma once
// The container's font object: a description (face, size, bold, italic, underline,
// strikethrough) held by reference, whose changes are announced to whoever listens.
//
// Controls share font objects the way the container's objects are shared: the progress bar keeps
// the object it was given, and a later change through any holder is seen by all. A listener is
// kept for as long as its FontSubscription lives.
#include "controls/contracts/gdi_objects.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace plainquill::contracts {

class FontSubscription;

class FontObject {
public:
    // Receives the name of the attribute that changed: "Name", "Size", "Bold", "Italic",
    // "Underline" or "Strikethrough".
    using ChangeHandler = std::function<void(std::string_view attribute)>;

    FontObject() = default;
    explicit FontObject(FontDescription description) : m_description(std::move(description)) {}

    FontObject(const FontObject&) = delete;
    FontObject& operator=(const FontObject&) = delete;

    const FontDescription& Description() const { return m_description; }

    const std::string& Name() const { return m_description.face; }
    double Size() const { return m_description.pointSize; }
    bool Bold() const { return m_description.bold; }
    bool Italic() const { return m_description.italic; }
    bool Underline() const { return m_description.underline; }
    bool Strikethrough() const { return m_description.strikethrough; }

    // Each set announces its attribute, also when the value does not change: the platform's font
    // object does the same, and a control that repaints on every announcement relies on it.
    void SetName(std::string name);
    void SetSize(double pointSize);
    void SetBold(bool bold);
    void SetItalic(bool italic);
    void SetUnderline(bool underline);
    void SetStrikethrough(bool strikethrough);

    [[nodiscard]] FontSubscription Subscribe(ChangeHandler handler);

    // A new, independent object with the same description (nobody listening).
    std::shared_ptr<FontObject> Clone() const { return std::make_shared<FontObject>(m_description); }

private:
    friend class FontSubscription;
    struct Listener {
        int id;
        ChangeHandler handler;
    };
    struct Listeners {
        int nextId = 1;
        std::vector<Listener> list;
    };

    void announce(std::string_view attribute);

    FontDescription m_description;
    std::shared_ptr<Listeners> m_listeners = std::make_shared<Listeners>();
};

using FontRef = std::shared_ptr<FontObject>;

// Ends the subscription when destroyed; harmless if the font object is gone first.
class FontSubscription {
public:
    FontSubscription() = default;
    FontSubscription(FontSubscription&& other) noexcept;
    FontSubscription& operator=(FontSubscription&& other) noexcept;
    ~FontSubscription();

    void reset();
    bool isActive() const { return !m_listeners.expired(); }

private:
    friend class FontObject;
    FontSubscription(std::weak_ptr<FontObject::Listeners> listeners, int id)
        : m_listeners(std::move(listeners)), m_id(id)
    {
    }

    std::weak_ptr<FontObject::Listeners> m_listeners;
    int m_id = 0;
};

// A fresh object with the default description; the default font of new controls.
inline FontRef makeFont(FontDescription description = {})
{
    return std::make_shared<FontObject>(std::move(description));
}

} // namespace plainquill::contracts
