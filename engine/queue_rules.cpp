#include "engine/queue_rules.h"

#include "engine/document_kinds.h"

#include <array>
#include <cmath>

namespace plainquill {

bool DocFileCheck(const QString& strFileName)
{
    return DocumentEndings::word().accepts(strFileName);
}

namespace {

enum class Decimals { Whole = 0, One = 1, Two = 2 };

struct SizeBand {
    std::uint64_t below; // exclusive upper bound; 0 = no bound
    double divisor;
    Decimals decimals;
    const char* unit;
};

constexpr std::uint64_t KB = 1024;
constexpr std::uint64_t MB = KB * 1024;
constexpr std::uint64_t GB = MB * 1024;
constexpr std::uint64_t TB = GB * 1024;

// Bands are tried top to bottom; each bound is "less than". A unit takes over at 1000 of the
// unit below it, not at 1024, so 1000 KB already reads 0.98 MB.
constexpr std::array<SizeBand, 11> kBands{{
    {1024, 1, Decimals::Whole, " bytes"},
    {10 * KB, KB, Decimals::Two, " KB"},
    {100 * KB, KB, Decimals::One, " KB"},
    {1000 * KB, KB, Decimals::Whole, " KB"},
    {10 * MB, MB, Decimals::Two, " MB"},
    {100 * MB, MB, Decimals::One, " MB"},
    {1000 * MB, MB, Decimals::Whole, " MB"},
    {10 * GB, GB, Decimals::Two, " GB"},
    {100 * GB, GB, Decimals::One, " GB"},
    {1000 * GB, GB, Decimals::Whole, " GB"},
    {0, double(TB), Decimals::Two, " TB"},
}};

QString formatNumber(double value, Decimals decimals, QChar decimalSeparator)
{
    if (decimals == Decimals::Whole)
        return QString::number(static_cast<std::uint64_t>(std::floor(value)));
    QString text = QString::number(value, 'f', static_cast<int>(decimals));
    text.replace(QLatin1Char('.'), decimalSeparator);
    return text;
}

} // namespace

QString FormatSize(std::uint64_t Size, QChar decimalSeparator)
{
    for (const SizeBand& band : kBands) {
        if (band.below == 0 || Size < band.below) {
            const double scaled = static_cast<double>(Size) / band.divisor;
            return formatNumber(scaled, band.decimals, decimalSeparator) + QLatin1String(band.unit);
        }
    }
    return {}; // unreachable: the last band has no bound
}

QString TrailingSlash(const QString& strFolder)
{
    if (strFolder.isEmpty() || strFolder.endsWith(QLatin1Char('/')))
        return strFolder;
    return strFolder + QLatin1Char('/');
}

std::filesystem::path TrailingSlash(const std::filesystem::path& strFolder)
{
    const std::string& bytes = strFolder.native();
    if (bytes.empty() || bytes.ends_with('/'))
        return strFolder;
    return bytes + '/';
}

QString CountText(qsizetype queueLength)
{
    return QString::number(queueLength) + QLatin1String("  Files");
}

} // namespace plainquill
