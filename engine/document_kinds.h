#pragma once
// The file endings this program knows as word-processor documents, with the kind of document each
// names, and choices among them. The folder rule, the batch command's --formats and --help, and the
// window's open-file dialog all read this one table.
#include <QString>
#include <QStringList>

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace plainquill {

enum class EndingGroup {
    Word,  // the five a folder gives by default, in the window and the batch command alike
    Other, // read by LibreOffice Writer as well; a folder gives them only when asked
};

struct DocumentKind {
    std::string_view ending; // lower case, without the dot
    std::string_view kind;   // what a person calls such a file
    EndingGroup group;
};

// Every known ending, the Word group first.
std::span<const DocumentKind> documentKinds();

// The ending of a file name or path, after the name's last dot, as written; empty when the name has
// no dot or only a leading one (".doc" is a hidden name, not an ending).
QStringView endingOf(const QString& fileName);

// Which endings a folder gives. Endings compare without regard to case.
class DocumentEndings {
public:
    static DocumentEndings word();
    static DocumentEndings all();

    bool accepts(const QString& fileName) const;
    // The endings chosen, in table order, lower case.
    std::vector<std::string_view> endings() const;
    bool operator==(const DocumentEndings&) const = default;

private:
    explicit DocumentEndings(std::vector<bool> chosen) : m_chosen(std::move(chosen)) {}
    friend std::optional<DocumentEndings> parseDocumentEndings(std::string_view, std::string&);

    std::vector<bool> m_chosen; // one per entry of documentKinds()
};

// "word", "all", or a comma list of endings and of those two words, each with or without a leading
// dot, in any case: "odt,.WPD", "word,pages". Empty with `error` set when an item is unknown or empty.
std::optional<DocumentEndings> parseDocumentEndings(std::string_view text, std::string& error);

// One line per known ending: the ending, its kind and its group, in columns.
std::string documentKindsListing();

// The endings of `group` as open-file dialog patterns, lower and upper case ("*.odt *.ODT ...").
QStringList dialogPatterns(EndingGroup group);

} // namespace plainquill
