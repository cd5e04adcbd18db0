#pragma once
// Names the text files of one run. Two documents of a run that share a base name ("a.doc" and
// "a.docx", or "one/x.doc" and "two/x.doc") would otherwise write the same file, the later
// silently replacing the earlier. In run order the first keeps "<base name>.txt"; a later one
// whose name this run has already written gets "<base name> (2).txt", "(3)", ..., the first name
// the run has not written. A file that was in the folder before the run is replaced as ever, so
// converting a batch again refreshes its outputs under the same names.
#include <QString>

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace plainquill {

struct RenamedOutput {
    QString document; // relative enough to tell it from the other documents of its name
    QString savedAs;  // the file name it was saved under
    QString documentPath; // both in full, for a list with room for them
    QString savedAsPath;
};

class OutputNames {
public:
    explicit OutputNames(std::filesystem::path folder) : m_folder(std::move(folder)) {}

    // Where `document` is to be saved.
    std::filesystem::path targetFor(const std::filesystem::path& document) const;

    // Records that `document` was saved at `target`, as targetFor named it.
    void written(const std::filesystem::path& document, const std::filesystem::path& target);

    // Names `document` before it is converted, as though it will be written: a run that settles
    // every name at its start gives each document its name by queue position, whatever fails.
    std::filesystem::path claim(const std::filesystem::path& document);

    // The documents saved under another name than their own, in run order.
    std::vector<RenamedOutput> renamed() const;

private:
    struct Saved {
        std::filesystem::path document;
        std::string ownName;
        std::string savedAs;
    };

    std::filesystem::path m_folder;
    std::set<std::string> m_written; // file names, compared byte for byte as the file system does
    std::vector<Saved> m_saved;
};

// The document's file name without its folder and its last extension, then ".txt".
std::string textFileName(const std::filesystem::path& document);

} // namespace plainquill
