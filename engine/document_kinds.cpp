#include "engine/document_kinds.h"

#include <algorithm>
#include <array>
#include <functional>

namespace plainquill {
namespace {

constexpr auto kKinds = std::to_array<DocumentKind>({
    {"doc", "Word 97-2003 document", EndingGroup::Word},
    {"docx", "Word document", EndingGroup::Word},
    {"rtf", "Rich Text Format document", EndingGroup::Word},
    {"htm", "web page", EndingGroup::Word},
    {"html", "web page", EndingGroup::Word},
    {"dot", "Word 97-2003 template", EndingGroup::Other},
    {"dotx", "Word template", EndingGroup::Other},
    {"docm", "Word macro-enabled document", EndingGroup::Other},
    {"dotm", "Word macro-enabled template", EndingGroup::Other},
    {"xml", "Word 2003 XML document", EndingGroup::Other},
    {"odt", "OpenDocument text", EndingGroup::Other},
    {"ott", "OpenDocument text template", EndingGroup::Other},
    {"fodt", "OpenDocument flat XML text", EndingGroup::Other},
    {"sxw", "StarOffice Writer document", EndingGroup::Other},
    {"wpd", "WordPerfect document", EndingGroup::Other},
    {"wps", "Microsoft Works document", EndingGroup::Other},
    {"lwp", "Lotus Word Pro document", EndingGroup::Other},
    {"abw", "AbiWord document", EndingGroup::Other},
    {"hwp", "Hangul word processor document", EndingGroup::Other},
    {"pages", "Apple Pages document", EndingGroup::Other},
});

// The position of `ending` (any case, no dot) in kKinds, or npos.
std::size_t indexOf(QStringView ending)
{
    for (std::size_t i = 0; i < kKinds.size(); ++i) {
        const std::string_view known = kKinds[i].ending;
        if (ending.compare(QLatin1String(known.data(), qsizetype(known.size())), Qt::CaseInsensitive) == 0)
            return i;
    }
    return std::string_view::npos;
}

std::vector<bool> groupChoice(bool everything)
{
    std::vector<bool> chosen(kKinds.size());
    for (std::size_t i = 0; i < kKinds.size(); ++i)
        chosen[i] = everything || kKinds[i].group == EndingGroup::Word;
    return chosen;
}

std::string knownWords()
{
    std::string words;
    for (const DocumentKind& kind : kKinds)
        words += std::string(kind.ending) + ", ";
    return words + "word or all";
}

} // namespace

std::span<const DocumentKind> documentKinds()
{
    return kKinds;
}

QStringView endingOf(const QString& fileName)
{
    const qsizetype nameStart = fileName.lastIndexOf(QLatin1Char('/')) + 1;
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot <= nameStart)
        return {};
    return QStringView(fileName).mid(dot + 1);
}

DocumentEndings DocumentEndings::word()
{
    return DocumentEndings(groupChoice(false));
}

DocumentEndings DocumentEndings::all()
{
    return DocumentEndings(groupChoice(true));
}

bool DocumentEndings::accepts(const QString& fileName) const
{
    const QStringView ending = endingOf(fileName);
    if (ending.isEmpty())
        return false;
    const std::size_t index = indexOf(ending);
    return index != std::string_view::npos && m_chosen[index];
}

std::vector<std::string_view> DocumentEndings::endings() const
{
    std::vector<std::string_view> chosen;
    for (std::size_t i = 0; i < kKinds.size(); ++i)
        if (m_chosen[i])
            chosen.push_back(kKinds[i].ending);
    return chosen;
}

std::optional<DocumentEndings> parseDocumentEndings(std::string_view text, std::string& error)
{
    std::vector<bool> chosen(kKinds.size());
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        std::string_view item = text.substr(start, comma - start);
        start = comma + 1;
        if (item.starts_with('.'))
            item.remove_prefix(1);
        const QString name = QString::fromUtf8(item.data(), qsizetype(item.size())).toLower();
        if (name == QLatin1String("word") || name == QLatin1String("all")) {
            const std::vector<bool> group = groupChoice(name == QLatin1String("all"));
            std::transform(chosen.begin(), chosen.end(), group.begin(), chosen.begin(), std::logical_or<>());
            continue;
        }
        const std::size_t index = name.isEmpty() ? std::string_view::npos : indexOf(name);
        if (index == std::string_view::npos) {
            error = (item.empty() ? std::string("an empty ending") : "the unknown ending '" + std::string(item) + "'")
                  + "; known are " + knownWords();
            return std::nullopt;
        }
        chosen[index] = true;
    }
    return DocumentEndings(std::move(chosen));
}

std::string documentKindsListing()
{
    std::string listing;
    for (const DocumentKind& kind : kKinds) {
        std::string line = "." + std::string(kind.ending);
        line.resize(8, ' ');
        line += kind.kind;
        line.resize(40, ' ');
        listing += line + (kind.group == EndingGroup::Word ? "word (the default)" : "all") + "\n";
    }
    return listing;
}

QStringList dialogPatterns(EndingGroup group)
{
    QStringList lower;
    QStringList upper;
    for (const DocumentKind& kind : kKinds) {
        if (kind.group != group)
            continue;
        const QString pattern = QStringLiteral("*.") + QLatin1String(kind.ending.data(), qsizetype(kind.ending.size()));
        lower << pattern;
        upper << pattern.toUpper();
    }
    return lower + upper;
}

} // namespace plainquill
