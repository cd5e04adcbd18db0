#pragma once
// What the program is asked to do when it starts: show its usage or version and end, or open the
// window with documents and folders queued as if they had been dropped onto it (a desktop's file
// manager starts it that way).
#include <filesystem>
#include <string>
#include <vector>

namespace plainquill {

enum class StartAction { OpenWindow, ShowHelp, ShowVersion, UsageError };

struct StartRequest {
    StartAction action = StartAction::OpenWindow;
    std::vector<std::filesystem::path> paths; // absolute, in the order given
    std::string error;                        // for UsageError
};

// `arguments` without the program's name. --help and --version win wherever they stand before
// "--", so they answer even next to options only the toolkit reads. After "--" every argument
// is a path. Relative paths are taken from `workingFolder`.
StartRequest parseStartArguments(const std::vector<std::string>& arguments,
                                 const std::filesystem::path& workingFolder);

// A line for each path the window will leave out, saying why: it does not exist, or it is a file
// that is not a document the program converts. The window itself skips them without a word.
std::vector<std::string> skippedPathNotes(const std::vector<std::filesystem::path>& paths);

// `helpPage` empty when the program cannot find its help page.
std::string startHelpText(const std::string& helpPage);
std::string startVersionText();

} // namespace plainquill
