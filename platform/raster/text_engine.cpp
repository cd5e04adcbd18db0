#include "platform/raster/text_engine.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QTextLayout>

#include <cmath>
#include <unordered_map>

namespace plainquill::raster {

using contracts::FontDescription;
using contracts::TextMetrics;

namespace {

// The face asked for, else DejaVu Sans: the controls' stored faces ("MS Sans Serif", "Tahoma")
// are not installed here, and a fixed fallback keeps layout the same on every machine.
QFont qtFontFor(const FontDescription& desc, int scale)
{
    QFont font;
    font.setFamilies({QString::fromStdString(desc.face), QStringLiteral("DejaVu Sans")});
    font.setPixelSize(std::max(1, desc.pixelHeight()) * scale);
    font.setBold(desc.bold);
    font.setItalic(desc.italic);
    font.setUnderline(desc.underline);
    font.setStrikeOut(desc.strikethrough);
    font.setKerning(false); // a letter is as wide wherever it stands, so a prefix measures alike
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

constexpr std::size_t kMaxCachedLines = 512;
constexpr std::size_t kMaxCachedAdvances = 4096;

// Lays `layout` out as one unwrapped line of `width` pixels at the origin, in the given direction.
QTextLine layOutOneLine(QTextLayout& layout, bool rtl, int width)
{
    QTextOption option(Qt::AlignLeft | Qt::AlignAbsolute);
    option.setTextDirection(rtl ? Qt::RightToLeft : Qt::LeftToRight);
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(width);
    line.setPosition(QPointF(0, 0));
    layout.endLayout();
    return line;
}

// Draws the laid-out line at `origin` into the line's mask, without anti-aliasing: a pixel is ink
// or not, so the text looks the same at every size and on every machine.
void drawInk(RenderedLine& out, const QTextLayout& layout, QPointF origin)
{
    QImage image(out.maskWidth, std::max(1, out.height), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(Qt::white);
        layout.draw(&painter, origin);
    }
    out.ink.resize(static_cast<std::size_t>(out.maskWidth) * out.height);
    for (int y = 0; y < out.height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < out.maskWidth; ++x)
            out.ink[static_cast<std::size_t>(y) * out.maskWidth + x] = qAlpha(row[x]) >= 128 ? 1 : 0;
    }
}

} // namespace

struct TextEngine::Impl {
    struct FontEntry {
        FontDescription desc;
        int scale;
        QFont font;
        QFontMetrics fm;
        TextMetrics metrics;
    };

    std::vector<std::unique_ptr<FontEntry>> fonts;
    std::unordered_map<std::u16string, RenderedLine> lines;
    std::unordered_map<std::u16string, int> advances; // word wrapping measures the same prefixes every paint

    std::size_t fontIndex(const FontDescription& desc, int scale = 1)
    {
        for (std::size_t i = 0; i < fonts.size(); ++i)
            if (fonts[i]->desc == desc && fonts[i]->scale == scale)
                return i;
        QFont font = qtFontFor(desc, scale);
        QFontMetrics fm(font);
        TextMetrics m{fm.ascent() + fm.descent(), fm.ascent(), fm.descent(), fm.averageCharWidth()};
        fonts.push_back(std::make_unique<FontEntry>(FontEntry{desc, scale, font, fm, m}));
        return fonts.size() - 1;
    }

    RenderedLine renderLine(const FontEntry& entry, const std::u16string& text, int underlineIndex, bool rtl);
};

RenderedLine TextEngine::Impl::renderLine(const FontEntry& entry, const std::u16string& text, int underlineIndex,
                                          bool rtl)
{
    const QString qs = QString::fromStdU16String(text);
    RenderedLine out;
    out.advance = entry.fm.horizontalAdvance(qs);
    out.height = entry.metrics.height;
    out.ascent = entry.metrics.ascent;
    const int pad = entry.metrics.height; // room for glyphs overhanging their advance (italics)
    out.maskLeft = -pad;
    out.maskWidth = out.advance + 2 * pad;

    QTextLayout layout(qs, entry.font);
    const QTextLine line = layOutOneLine(layout, rtl, out.advance + pad);
    drawInk(out, layout, QPointF(pad, out.ascent - line.ascent()));
    if (underlineIndex >= 0 && underlineIndex < static_cast<int>(text.size())) {
        const double a = line.cursorToX(underlineIndex), b = line.cursorToX(underlineIndex + 1);
        out.hasUnderline = true;
        out.underlineFrom = static_cast<int>(std::lround(std::min(a, b)));
        out.underlineTo = static_cast<int>(std::lround(std::max(a, b)));
    }
    return out;
}

TextEngine::TextEngine() : m_impl(std::make_unique<Impl>()) {}
TextEngine::~TextEngine() = default;

bool TextEngine::available() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }

std::u16string TextEngine::toUtf16(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).toStdU16String();
}

TextMetrics TextEngine::metrics(const FontDescription& font, int scale)
{
    if (!available())
        return {};
    return m_impl->fonts[m_impl->fontIndex(font, std::max(1, scale))]->metrics;
}

int TextEngine::advance(const FontDescription& font, std::u16string_view text)
{
    if (!available() || text.empty())
        return 0;
    const std::size_t index = m_impl->fontIndex(font);
    std::u16string key(1, static_cast<char16_t>(index));
    key += text;
    if (auto it = m_impl->advances.find(key); it != m_impl->advances.end())
        return it->second;
    if (m_impl->advances.size() >= kMaxCachedAdvances)
        m_impl->advances.clear();
    const int width = m_impl->fonts[index]->fm.horizontalAdvance(
        QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())));
    m_impl->advances.emplace(std::move(key), width);
    return width;
}

const RenderedLine& TextEngine::render(const FontDescription& font, const std::u16string& text, int underlineIndex,
                                       bool rightToLeft, int scale)
{
    static const RenderedLine kNothing;
    if (!available())
        return kNothing;
    const std::size_t index = m_impl->fontIndex(font, std::max(1, scale));
    std::u16string key;
    key.reserve(text.size() + 3);
    key.push_back(static_cast<char16_t>(index));
    key.push_back(static_cast<char16_t>(underlineIndex + 1));
    key.push_back(rightToLeft ? u'R' : u'L');
    key += text;
    auto it = m_impl->lines.find(key);
    if (it != m_impl->lines.end())
        return it->second;
    if (m_impl->lines.size() >= kMaxCachedLines)
        m_impl->lines.clear();
    RenderedLine line = m_impl->renderLine(*m_impl->fonts[index], text, underlineIndex, rightToLeft);
    return m_impl->lines.emplace(std::move(key), std::move(line)).first->second;
}

} // namespace plainquill::raster
