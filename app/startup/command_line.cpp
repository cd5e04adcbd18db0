#include "app/startup/command_line.h"

#include "engine/native_path.h"
#include "engine/queue_rules.h"

#include <system_error>

#ifndef PLAINQUILL_VERSION
#error "PLAINQUILL_VERSION must name the program's version"
#endif

namespace plainquill {

StartRequest parseStartArguments(const std::vector<std::string>& arguments,
                                 const std::filesystem::path& workingFolder)
{
    StartRequest request;
    bool pathsOnly = false;
    for (const std::string& argument : arguments) {
        if (!pathsOnly && argument == "--") {
            pathsOnly = true;
        } else if (!pathsOnly && (argument == "--help" || argument == "-h")) {
            return {StartAction::ShowHelp, {}, {}};
        } else if (!pathsOnly && argument == "--version") {
            return {StartAction::ShowVersion, {}, {}};
        } else if (!pathsOnly && argument.size() > 1 && argument.front() == '-') {
            // Keep looking: a later --help still answers.
            if (request.error.empty())
                request.error = "unknown option '" + argument + "'";
        } else if (!argument.empty()) {
            request.paths.push_back((workingFolder / argument).lexically_normal());
        }
    }
    if (!request.error.empty())
        return {StartAction::UsageError, {}, request.error};
    return request;
}

std::vector<std::string> skippedPathNotes(const std::vector<std::filesystem::path>& paths)
{
    std::vector<std::string> notes;
    for (const std::filesystem::path& path : paths) {
        std::error_code error;
        const std::filesystem::file_status status = std::filesystem::status(path, error);
        if (!std::filesystem::exists(status))
            notes.push_back("cannot find " + path.native() + "; left out");
        else if (!std::filesystem::is_directory(status) && !DocFileCheck(displayText(path)))
            notes.push_back(path.native() + " is not a .doc, .docx, .rtf, .htm or .html file; left out");
    }
    return notes;
}

std::string startHelpText(const std::string& helpPage)
{
    std::string text = R"(Usage: plainquill [FILE-OR-FOLDER]...
Converts word-processor documents (.doc, .docx, .rtf, .htm, .html) to plain text with LibreOffice.
Opens the window with the named documents and folders queued, as if they had been dropped onto
it: a folder adds its documents, with its sub-folders when "Include Sub-Folders" is ticked.
Choose an output folder and press Start.

Options:
  -h, --help     this text
      --version  the version
  --             every argument after it is a file or folder, even one starting with '-'
)";
    if (!helpPage.empty())
        text += "\nThe full help: " + helpPage + "\n";
    return text;
}

std::string startVersionText()
{
    return std::string("plainquill ") + PLAINQUILL_VERSION + "\n";
}

} // namespace plainquill
