#include "controls/contracts/property_bag.h"

#include <algorithm>
#include <cctype>

namespace plainquill::contracts {

bool sameName(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
        return std::tolower(x) == std::tolower(y);
    });
}

const PropertyBag::Entry* PropertyBag::find(std::string_view name) const
{
    const auto it = std::find_if(m_entries.begin(), m_entries.end(),
                                 [&](const Entry& e) { return sameName(e.name, name); });
    return it == m_entries.end() ? nullptr : &*it;
}

PropertyBag::Entry* PropertyBag::find(std::string_view name)
{
    return const_cast<Entry*>(static_cast<const PropertyBag*>(this)->find(name));
}

PropertyValue PropertyBag::ReadProperty(std::string_view name, const PropertyValue& defaultValue) const
{
    if (std::none_of(m_namesRead.begin(), m_namesRead.end(), [&](const std::string& n) { return sameName(n, name); }))
        m_namesRead.emplace_back(name);
    const Entry* entry = find(name);
    if (!entry || isEmpty(entry->value))
        return defaultValue;
    return entry->value;
}

void PropertyBag::WriteProperty(std::string_view name, const PropertyValue& value,
                                const std::optional<PropertyValue>& defaultValue)
{
    if (defaultValue && sameValue(value, *defaultValue)) {
        std::erase_if(m_entries, [&](const Entry& e) { return sameName(e.name, name); });
        return;
    }
    if (Entry* entry = find(name)) {
        entry->value = value;
        return;
    }
    m_entries.push_back({std::string(name), value});
}

std::int32_t PropertyBag::ReadInteger(std::string_view name, std::int32_t defaultValue) const
{
    return toInt32(ReadProperty(name, std::int64_t{defaultValue}));
}

std::int16_t PropertyBag::ReadInteger16(std::string_view name, std::int16_t defaultValue) const
{
    return toInt16(ReadProperty(name, std::int64_t{defaultValue}));
}

double PropertyBag::ReadDouble(std::string_view name, double defaultValue) const
{
    return toDouble(ReadProperty(name, defaultValue));
}

bool PropertyBag::ReadBoolean(std::string_view name, bool defaultValue) const
{
    return toBool(ReadProperty(name, defaultValue));
}

std::string PropertyBag::ReadString(std::string_view name, const std::string& defaultValue) const
{
    return toText(ReadProperty(name, defaultValue));
}

Colour PropertyBag::ReadColour(std::string_view name, Colour defaultValue) const
{
    return toColour(ReadProperty(name, ColourValue{defaultValue}));
}

FontRef PropertyBag::ReadFont(std::string_view name, const FontRef& defaultValue) const
{
    return toFont(ReadProperty(name, defaultValue));
}

PictureRef PropertyBag::ReadPicture(std::string_view name, const PictureRef& defaultValue) const
{
    return toPicture(ReadProperty(name, defaultValue));
}

bool PropertyBag::Contains(std::string_view name) const { return find(name) != nullptr; }

std::vector<std::string> PropertyBag::Names() const
{
    std::vector<std::string> names;
    names.reserve(m_entries.size());
    for (const Entry& e : m_entries)
        names.push_back(e.name);
    return names;
}

} // namespace plainquill::contracts
