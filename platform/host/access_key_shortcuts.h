#pragma once
// A control's access keys as window-wide shortcuts: Alt+key pressed anywhere in the control's
// window reaches it, whichever widget has the focus.
#include <QObject>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QShortcut;
class QWidget;

namespace plainquill::host {

class AccessKeyShortcuts {
public:
    // `onKey` gets the key's character in lower case.
    AccessKeyShortcuts(QWidget& owner, std::function<void(int)> onKey);
    ~AccessKeyShortcuts();

    // Replaces the keys; letters and digits only, matched without regard to case.
    void set(const std::string& keys);

private:
    QWidget& m_owner;
    std::function<void(int)> m_onKey;
    std::vector<std::unique_ptr<QShortcut>> m_shortcuts;
};

} // namespace plainquill::host
