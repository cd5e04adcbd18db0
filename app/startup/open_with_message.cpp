#include "app/startup/open_with_message.h"

#include <QtEndian>

#include <cstdint>
#include <optional>

namespace plainquill {

namespace {

constexpr char kHeader[] = "PLAINQUILL-OPEN/1\n";
constexpr qsizetype kHeaderSize = sizeof kHeader - 1;
// Beyond these no Open With request goes: a longer message is noise or an attack, not documents.
constexpr std::uint32_t kMostPaths = 100000;
constexpr std::uint32_t kLongestPath = 65536;

void appendNumber(QByteArray& out, std::uint32_t number)
{
    char bytes[4];
    qToBigEndian(number, bytes);
    out.append(bytes, 4);
}

// The number at `at`, or nothing when the bytes have not all arrived.
std::optional<std::uint32_t> numberAt(const QByteArray& data, qsizetype at)
{
    if (data.size() - at < 4)
        return std::nullopt;
    return qFromBigEndian<std::uint32_t>(data.constData() + at);
}

bool acceptablePath(const QByteArray& bytes)
{
    return !bytes.isEmpty() && bytes.front() == '/' && !bytes.contains('\0');
}

} // namespace

QByteArray encodeOpenWithMessage(const std::vector<std::filesystem::path>& paths)
{
    QByteArray out(kHeader, kHeaderSize);
    appendNumber(out, static_cast<std::uint32_t>(paths.size()));
    for (const std::filesystem::path& path : paths) {
        const std::string& bytes = path.native();
        appendNumber(out, static_cast<std::uint32_t>(bytes.size()));
        out.append(bytes.data(), static_cast<qsizetype>(bytes.size()));
    }
    return out;
}

ParsedOpenWith parseOpenWithMessage(const QByteArray& received)
{
    const QByteArray header(kHeader, kHeaderSize);
    const qsizetype common = std::min(received.size(), kHeaderSize);
    if (received.left(common) != header.left(common))
        return {MessageState::Malformed, {}};
    const std::optional<std::uint32_t> count = numberAt(received, kHeaderSize);
    if (!count)
        return {};
    if (*count == 0 || *count > kMostPaths)
        return {MessageState::Malformed, {}};
    ParsedOpenWith parsed{MessageState::Complete, {}};
    qsizetype at = kHeaderSize + 4;
    for (std::uint32_t i = 0; i < *count; ++i) {
        const std::optional<std::uint32_t> length = numberAt(received, at);
        if (length && (*length == 0 || *length > kLongestPath))
            return {MessageState::Malformed, {}};
        if (!length || received.size() - at - 4 < qsizetype(*length))
            return {};
        const QByteArray bytes = received.mid(at + 4, *length);
        if (!acceptablePath(bytes))
            return {MessageState::Malformed, {}};
        parsed.paths.emplace_back(bytes.toStdString());
        at += 4 + *length;
    }
    if (at != received.size())
        return {MessageState::Malformed, {}};
    return parsed;
}

QString openWithSocketPath(const QString& runtimeFolder, unsigned userId, const QString& display)
{
    QString safeDisplay = display;
    for (QChar& c : safeDisplay)
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != u'.' && c != u'-')
            c = u'_';
    return runtimeFolder + QStringLiteral("/plainquill-%1-%2.socket").arg(userId).arg(safeDisplay);
}

} // namespace plainquill
