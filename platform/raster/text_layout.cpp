#include "platform/raster/text_layout.h"

namespace plainquill::raster {

using contracts::DrawTextFormat;

PrefixedText removePrefixes(std::u16string_view text)
{
    PrefixedText out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'&') {
            out.text.push_back(text[i]);
            continue;
        }
        if (i + 1 >= text.size())
            break; // a trailing lone prefix
        if (text[i + 1] != u'&')
            out.underlineIndex = static_cast<int>(out.text.size());
        out.text.push_back(text[++i]);
    }
    return out;
}

namespace {

struct Paragraph {
    std::size_t start; // offset in the whole text
    std::u16string_view text;
};

std::vector<Paragraph> splitParagraphs(std::u16string_view text)
{
    std::vector<Paragraph> out;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'\n' && text[i] != u'\r')
            continue;
        out.push_back({start, text.substr(start, i - start)});
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size() || out.empty())
        out.push_back({start, text.substr(start)});
    return out;
}

std::size_t skipSpaces(std::u16string_view s, std::size_t i)
{
    while (i < s.size() && s[i] == u' ')
        ++i;
    return i;
}

std::size_t wordEnd(std::u16string_view s, std::size_t i)
{
    while (i < s.size() && s[i] != u' ')
        ++i;
    return i;
}

// Greedy breaking of one paragraph into [begin, end) ranges.
std::vector<std::pair<std::size_t, std::size_t>> wrap(std::u16string_view para, int maxWidth, const MeasureFn& measure)
{
    std::vector<std::pair<std::size_t, std::size_t>> lines;
    std::size_t begin = 0;
    while (true) {
        std::size_t end = begin, next = begin;
        while (true) {
            const std::size_t wordStart = skipSpaces(para, next);
            if (wordStart >= para.size()) {
                next = para.size();
                break;
            }
            const std::size_t stop = wordEnd(para, wordStart);
            if (end != begin && measure(para.substr(begin, stop - begin)) > maxWidth)
                break;
            end = next = stop;
        }
        lines.emplace_back(begin, end);
        begin = skipSpaces(para, end);
        if (begin >= para.size())
            return lines;
    }
}

} // namespace

std::vector<TextLine> breakIntoLines(const PrefixedText& text, DrawTextFormat format, int maxWidth,
                                     const MeasureFn& measure)
{
    std::vector<TextLine> lines;
    auto emit = [&](std::size_t offset, std::u16string_view part) {
        TextLine line{std::u16string(part), -1, 0};
        const long rel = static_cast<long>(text.underlineIndex) - static_cast<long>(offset);
        if (text.underlineIndex >= 0 && rel >= 0 && rel < static_cast<long>(part.size()))
            line.underlineIndex = static_cast<int>(rel);
        line.width = measure(line.text);
        lines.push_back(std::move(line));
    };
    if (format & contracts::DT_SINGLELINE) {
        PrefixedText flat;
        for (std::size_t i = 0; i < text.text.size(); ++i) {
            if (text.text[i] == u'\n' || text.text[i] == u'\r')
                continue;
            if (static_cast<int>(i) == text.underlineIndex)
                flat.underlineIndex = static_cast<int>(flat.text.size());
            flat.text.push_back(text.text[i]);
        }
        TextLine line{flat.text, flat.underlineIndex, measure(flat.text)};
        return {line};
    }
    for (const Paragraph& p : splitParagraphs(text.text)) {
        if (!(format & contracts::DT_WORDBREAK)) {
            emit(p.start, p.text);
            continue;
        }
        for (const auto& [b, e] : wrap(p.text, maxWidth, measure))
            emit(p.start + b, p.text.substr(b, e - b));
    }
    return lines;
}

} // namespace plainquill::raster
