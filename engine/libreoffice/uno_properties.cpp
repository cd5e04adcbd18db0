#include "engine/libreoffice/uno_properties.h"

#include "engine/libreoffice/uno_strings.h"

namespace plainquill::engine::libreoffice {

PropertyList properties(std::initializer_list<std::pair<std::string_view, css::uno::Any>> entries)
{
    PropertyList list(static_cast<sal_Int32>(entries.size()));
    css::beans::PropertyValue* out = list.getArray();
    for (const auto& [name, value] : entries) {
        out->Name = toUno(name);
        out->Value = value;
        ++out;
    }
    return list;
}

std::string stringProperty(const PropertyList& list, std::string_view name)
{
    const rtl::OUString wanted = toUno(name);
    for (const css::beans::PropertyValue& entry : list) {
        rtl::OUString value;
        if (entry.Name == wanted && (entry.Value >>= value))
            return fromUno(value);
    }
    return {};
}

} // namespace plainquill::engine::libreoffice
