#include "platform/host/access_key_shortcuts.h"

#include <QShortcut>
#include <QWidget>

#include <cctype>

namespace plainquill::host {

AccessKeyShortcuts::AccessKeyShortcuts(QWidget& owner, std::function<void(int)> onKey)
    : m_owner(owner), m_onKey(std::move(onKey))
{
}

AccessKeyShortcuts::~AccessKeyShortcuts() = default;

void AccessKeyShortcuts::set(const std::string& keys)
{
    m_shortcuts.clear();
    for (const char key : keys) {
        const unsigned char c = static_cast<unsigned char>(key);
        if (!std::isalnum(c))
            continue;
        const int lower = std::tolower(c);
        const auto qtKey = static_cast<Qt::Key>(std::toupper(c)); // letters and digits share their codes
        auto shortcut = std::make_unique<QShortcut>(QKeySequence(Qt::ALT | qtKey), &m_owner);
        shortcut->setContext(Qt::WindowShortcut);
        // Two controls with the same key: the platform hands the key to each in turn.
        QObject::connect(shortcut.get(), &QShortcut::activated, [this, lower] { m_onKey(lower); });
        QObject::connect(shortcut.get(), &QShortcut::activatedAmbiguously, [this, lower] { m_onKey(lower); });
        m_shortcuts.push_back(std::move(shortcut));
    }
}

} // namespace plainquill::host
