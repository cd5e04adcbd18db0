#include "platform/raster/qstyle_theme.h"

#include "platform/raster/region_ops.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

namespace plainquill::raster {

using namespace contracts;

namespace {

bool namesButton(std::string_view classList)
{
    const QString list = QString::fromUtf8(classList.data(), static_cast<qsizetype>(classList.size()));
    for (const QString& name : list.split(u';'))
        if (name.trimmed().compare(u"Button", Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

bool knownPartAndState(int partId, int stateId)
{
    return partId == BP_PUSHBUTTON && stateId >= PBS_NORMAL && stateId <= PBS_DEFAULTED;
}

// The button as the style draws it, on a transparent background (premultiplied ARGB).
QImage renderPushButton(int stateId, Size size)
{
    QImage image(size.width, size.height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QStyleOptionButton option;
    option.rect = QRect(0, 0, size.width, size.height);
    option.palette = QApplication::palette();
    option.state = QStyle::State_Raised;
    if (stateId != PBS_DISABLED)
        option.state |= QStyle::State_Enabled;
    if (stateId == PBS_HOT)
        option.state |= QStyle::State_MouseOver;
    if (stateId == PBS_PRESSED)
        option.state = (option.state & ~QStyle::State_Raised) | QStyle::State_Sunken;
    if (stateId == PBS_DEFAULTED)
        option.features |= QStyleOptionButton::DefaultButton;
    QPainter painter(&image);
    QApplication::style()->drawControl(QStyle::CE_PushButtonBevel, &option, &painter, nullptr);
    return image;
}

// Source-over of a premultiplied pixel onto an opaque colour.
Colour blendOver(QRgb src, Colour dst)
{
    const int a = qAlpha(src);
    auto channel = [a](int s, int d) { return s + (d * (255 - a) + 127) / 255; };
    return rgb(channel(qRed(src), redOf(dst)), channel(qGreen(src), greenOf(dst)), channel(qBlue(src), blueOf(dst)));
}

class QStyleButtonData final : public ThemeData {
public:
    bool drawBackground(Dc& dc, int partId, int stateId, const Rect& rect, const Rect* clip) override
    {
        if (!knownPartAndState(partId, stateId) || rect.isEmpty())
            return false;
        const QImage image = renderPushButton(stateId, rect.size());
        const Rect area = clip ? rect.intersectedWith(*clip) : rect;
        for (int y = area.top; y < area.bottom; ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y - rect.top));
            for (int x = area.left; x < area.right; ++x) {
                const QRgb src = row[x - rect.left];
                if (qAlpha(src) == 0)
                    continue;
                const Colour below = dc.getPixel({x, y});
                if (below != CLR_INVALID)
                    dc.setPixelV({x, y}, blendOver(src, below));
            }
        }
        return true;
    }

    // The pixels the style covers at least half.
    std::optional<Region> backgroundRegion(int partId, int stateId, const Rect& rect) override
    {
        if (!knownPartAndState(partId, stateId) || rect.isEmpty())
            return std::nullopt;
        const QImage image = renderPushButton(stateId, rect.size());
        std::vector<RowSpans> rows;
        for (int y = 0; y < image.height(); ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            RowSpans spans{rect.top + y, {}};
            for (int x = 0; x < image.width(); ++x) {
                if (qAlpha(row[x]) < 128)
                    continue;
                if (!spans.spans.empty() && spans.spans.back().right == rect.left + x)
                    ++spans.spans.back().right;
                else
                    spans.spans.push_back({rect.left + x, rect.left + x + 1});
            }
            if (!spans.spans.empty())
                rows.push_back(std::move(spans));
        }
        return regionFromRows(rows);
    }
};

} // namespace

std::unique_ptr<ThemeData> QStyleTheme::open(std::string_view classList)
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()) || !namesButton(classList))
        return nullptr;
    return std::make_unique<QStyleButtonData>();
}

} // namespace plainquill::raster
