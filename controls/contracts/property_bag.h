#pragma once
// The keyed store of one control instance's design-time properties. Keys match without regard
// to case (the stored form holds "caption" where the control asks for "Caption"); the bag keeps
// the order in which keys were first written, because that is the order they are saved in.
#include "controls/contracts/property_value.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plainquill::contracts {

class PropertyBag {
public:
    struct Entry {
        std::string name; // as first written
        PropertyValue value;
    };

    // The stored value, or `defaultValue` when the key is absent or holds no value.
    PropertyValue ReadProperty(std::string_view name, const PropertyValue& defaultValue = {}) const;
    // Stores the value under `name`. With a default given and equal to the value (sameValue), the
    // key is left out instead, and an earlier entry under the same name is removed, so that a read
    // gives the default back.
    void WriteProperty(std::string_view name, const PropertyValue& value,
                       const std::optional<PropertyValue>& defaultValue = std::nullopt);

    // Typed reads: ReadProperty followed by the conversion of property_value.h.
    std::int32_t ReadInteger(std::string_view name, std::int32_t defaultValue) const;
    std::int16_t ReadInteger16(std::string_view name, std::int16_t defaultValue) const;
    double ReadDouble(std::string_view name, double defaultValue) const;
    bool ReadBoolean(std::string_view name, bool defaultValue) const;
    std::string ReadString(std::string_view name, const std::string& defaultValue) const;
    Colour ReadColour(std::string_view name, Colour defaultValue) const;
    FontRef ReadFont(std::string_view name, const FontRef& defaultValue) const;
    PictureRef ReadPicture(std::string_view name, const PictureRef& defaultValue) const;

    bool Contains(std::string_view name) const;
    const std::vector<Entry>& Entries() const { return m_entries; }
    std::vector<std::string> Names() const;
    // Every name a read has asked for, as the reader spelt it, each once and in the order first
    // asked: letting a control read a bag tells which keys it knows.
    const std::vector<std::string>& NamesRead() const { return m_namesRead; }

private:
    const Entry* find(std::string_view name) const;
    Entry* find(std::string_view name);

    std::vector<Entry> m_entries;
    mutable std::vector<std::string> m_namesRead;
};

// ASCII case-insensitive comparison of property names.
bool sameName(std::string_view a, std::string_view b);

} // namespace plainquill::contracts
