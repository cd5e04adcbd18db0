#include "app/standins/stand_in_button.h"
#include "app/window/drawn_controls.h"

#include <stdexcept>

namespace plainquill {

namespace {

struct ButtonKeys {
    const char* className;
    const char* caption;
    const char* enabled;
};

// Where each button class keeps its caption and enabled state in its property stream.
constexpr ButtonKeys kButtonKeys[] = {
};

QVariant property(const QVariantMap& properties, const char* key, const QVariant& fallback)
{
    return properties.value(QString::fromLatin1(key).toLower(), fallback);
}

} // namespace

DrawnControl StandInControlFactory::create(const QString& className, const QVariantMap& properties,
                                           QWidget* parent)
{
    for (const ButtonKeys& keys : kButtonKeys) {
        if (className != QLatin1String(keys.className))
            continue;
        auto* button = new StandInButton(parent);
        button->SetCaption(property(properties, keys.caption, QString()).toString().toStdString());
        button->SetEnabled(property(properties, keys.enabled, true).toBool());
        return {button, button, nullptr};
    }
    throw std::invalid_argument("unknown control class: " + className.toStdString());
}

} // namespace plainquill
