#include "controls/contracts/control_classes.h"

#include <algorithm>

namespace plainquill::contracts {

void ControlClasses::add(std::string className, Maker make)
{
    const auto it = std::find_if(m_entries.begin(), m_entries.end(),
                                 [&](const Entry& e) { return e.className == className; });
    if (it != m_entries.end())
        it->make = std::move(make);
    else
        m_entries.push_back({std::move(className), std::move(make)});
}

const ControlClasses::Entry* ControlClasses::find(const std::string& className) const
{
    const auto it = std::find_if(m_entries.begin(), m_entries.end(),
                                 [&](const Entry& e) { return e.className == className; });
    return it == m_entries.end() ? nullptr : &*it;
}

bool ControlClasses::contains(const std::string& className) const { return find(className) != nullptr; }

std::unique_ptr<contracts::Control> ControlClasses::make(const std::string& className) const
{
    const Entry* entry = find(className);
    return entry ? entry->make() : nullptr;
}

std::vector<std::string> ControlClasses::names() const
{
    std::vector<std::string> names;
    for (const Entry& e : m_entries)
        names.push_back(e.className);
    return names;
}

} // namespace plainquill::contracts
