#pragma once
// The message a second start of the program sends to the running window: the documents and
// folders it was opened with. Paths travel as their bytes, each with its length, so a name with
// a newline or one that is not UTF-8 arrives as the same name.
#include <QByteArray>
#include <QString>

#include <filesystem>
#include <vector>

namespace plainquill {

// Absolute paths only; the sender resolves relative ones in its own working folder.
QByteArray encodeOpenWithMessage(const std::vector<std::filesystem::path>& paths);

enum class MessageState { Incomplete, Complete, Malformed };

struct ParsedOpenWith {
    MessageState state = MessageState::Incomplete;
    std::vector<std::filesystem::path> paths; // filled only when Complete
};

// `received` is everything read so far. Malformed when the bytes can never become a message:
// a wrong header, an empty or relative path, a path with a NUL byte, bytes after the end, or a
// size beyond any real request.
ParsedOpenWith parseOpenWithMessage(const QByteArray& received);

// Where the running window listens: one socket per user and display, in the user's own runtime
// folder. `display` is the display's name (":0", "wayland-0"); characters a file name should not
// carry become '_'.
QString openWithSocketPath(const QString& runtimeFolder, unsigned userId, const QString& display);

} // namespace plainquill
