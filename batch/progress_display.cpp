#include "batch/progress_display.h"

#include "engine/native_path.h"

#include <cerrno>
#include <cmath>

namespace plainquill::batch {

namespace {

constexpr int kBarWidth = 20;

std::string shown(const std::filesystem::path& path)
{
    return displayText(path).toStdString();
}

// The last `width` characters of `text` (not bytes: never inside a UTF-8 character), marked as cut.
std::string tail(const std::string& text, int width)
{
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < text.size(); ++i)
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
            starts.push_back(i);
    if (width <= 1 || int(starts.size()) <= width)
        return int(starts.size()) <= width ? text : std::string();
    return "…" + text.substr(starts[starts.size() - std::size_t(width - 1)]);
}

} // namespace

std::string clockText(double seconds)
{
    const long whole = std::lround(std::max(0.0, seconds));
    char text[32];
    if (whole >= 3600)
        std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", whole / 3600, whole / 60 % 60, whole % 60);
    else
        std::snprintf(text, sizeof text, "%ld:%02ld", whole / 60, whole % 60);
    return text;
}

ProgressDisplay::ProgressDisplay(ProgressMode mode, std::FILE* out, std::size_t total, int columns)
    : m_mode(mode), m_out(out), m_total(total), m_columns(columns > 20 ? columns : 80)
{
}

void ProgressDisplay::documentFinished(const BatchItem& item, const ItemResult& result)
{
    ++m_done;
    if (m_mode != ProgressMode::Lines)
        return;
    const std::string count = "[" + std::to_string(m_done) + "/" + std::to_string(m_total) + "] ";
    if (result.status == Status::Converted) {
        char seconds[32];
        std::snprintf(seconds, sizeof seconds, " (%.2f s)\n", result.seconds);
        put(count + "converted " + shown(item.source) + " -> " + shown(item.target) + seconds);
    } else {
        put(count + (result.status == Status::NotDone ? "not done " : "failed ") + shown(item.source) + ": "
            + result.reason + "\n");
    }
}

void ProgressDisplay::put(const std::string& text)
{
    if (m_pipeBroken)
        return;
    errno = 0;
    const bool failed = std::fputs(text.c_str(), m_out) < 0 || std::fflush(m_out) != 0;
    if (failed && errno == EPIPE)
        m_pipeBroken = true;
}

std::string ProgressDisplay::barLine(const std::vector<std::filesystem::path>& inHand) const
{
    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - m_started).count();
    const int filled = m_total == 0 ? kBarWidth : int(m_done * kBarWidth / m_total);
    std::string line = "[" + std::string(std::size_t(filled), '#') + std::string(std::size_t(kBarWidth - filled), '.')
                     + "] " + std::to_string(m_done) + "/" + std::to_string(m_total);
    if (m_done > 0 && elapsed > 0) {
        const double rate = m_done / elapsed;
        char figures[64];
        std::snprintf(figures, sizeof figures, "  %.1f/s  ETA %s", rate,
                      clockText(double(m_total - m_done) / rate).c_str());
        line += figures;
    }
    if (!inHand.empty()) {
        const int room = m_columns - 1 - int(line.size()) - 2;
        const std::string name = tail(shown(inHand.front().filename()), room);
        if (!name.empty())
            line += "  " + name;
    }
    return line;
}

void ProgressDisplay::refresh(const std::vector<std::filesystem::path>& inHand)
{
    if (m_mode != ProgressMode::Bar)
        return;
    // Back to the line's start and erase it: the new line may be shorter than the old.
    put("\r\033[K" + barLine(inHand));
    m_barShown = true;
}

void ProgressDisplay::clear()
{
    if (!m_barShown)
        return;
    put("\r\033[K");
    m_barShown = false;
}

} // namespace plainquill::batch
