#pragma once
// Plays the controls' wave files through the desktop's event-sound service, asynchronously and
// silently: a missing file, a missing sound device or a busy service plays nothing and tells no
// one, because a click sound is never worth an error.
#include <QString>

#include <string_view>

struct ca_context;

namespace plainquill::host {

// The file a control names: backslashes become slashes, and a relative path ("." or not) is
// taken from `programFolder`, so the stored ".\resources\click.wav" finds the file shipped
// beside the program whatever the working folder is.
QString programRelativePath(std::string_view path, const QString& programFolder);

class WavePlayer {
public:
    // `resourceFolder`: where relative paths are taken from; empty for the program's folder.
    explicit WavePlayer(QString resourceFolder = {}) : m_resourceFolder(std::move(resourceFolder)) {}
    WavePlayer(const WavePlayer&) = delete;
    WavePlayer& operator=(const WavePlayer&) = delete;
    ~WavePlayer();

    // Starts the file and returns at once.
    void play(std::string_view path);

private:
    QString m_resourceFolder;
    // Made at the first sound, so windows that never play one never reach the sound service.
    ca_context* m_context = nullptr;
    bool m_unavailable = false;
};

} // namespace plainquill::host
