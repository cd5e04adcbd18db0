#include "gallery/presentation.h"

#include <QColor>
#include <QGuiApplication>
#include <QPalette>
#include <QString>

namespace plainquill::gallery {

using namespace contracts;

namespace {

Colour fromQColor(const QColor& colour) { return rgb(colour.red(), colour.green(), colour.blue()); }

} // namespace

// The window takes its background from the palette's Window role, as every plain widget does.
Colour windowBackground() { return fromQColor(QGuiApplication::palette().color(QPalette::Window)); }

std::variant<Colour, std::string> parseColour(const std::string& text)
{
    const QColor colour(QString::fromStdString(text));
    if (!colour.isValid())
        return "bad colour \"" + text + "\": give #RRGGBB or a colour name such as white or darkgray";
    if (colour.alpha() != 255)
        return "bad colour \"" + text + "\": a backdrop cannot be see-through";
    return fromQColor(colour);
}

Bitmap composeThroughShape(const Bitmap& device, int scale, const std::optional<Region>& shape, Colour backdrop)
{
    Bitmap shown = device.copy();
    if (!shape || shown.isNull())
        return shown;
    for (int y = 0; y < shown.height(); ++y) {
        std::uint32_t* row = shown.row(y);
        for (int x = 0; x < shown.width(); ++x)
            if (!shape->contains({x / scale, y / scale}))
                row[x] = backdrop;
    }
    return shown;
}

} // namespace plainquill::gallery
