#include "engine/libreoffice/note_marks.h"

#include "engine/libreoffice/text_lines.h"
#include "engine/libreoffice/tracked_changes.h"
#include "engine/libreoffice/uno_strings.h"

#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/text/XEndnotesSupplier.hpp>
#include <com/sun/star/text/XFootnote.hpp>
#include <com/sun/star/text/XFootnotesSupplier.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextCursor.hpp>

#include <vector>

namespace plainquill::engine::libreoffice {
namespace {

using css::uno::Reference;
using css::uno::UNO_QUERY;

struct Note {
    Reference<css::text::XFootnote> note;
    std::string label;
    bool custom = false; // a mark of the author's own rather than a number
    std::vector<std::string> lines;
};

// Word's RTF keeps a custom mark in the body as well, right after the note: "here†" with note †
// would read "here[†]†".
void dropRepeatedMark(const Reference<css::lang::XComponent>& model, const Note& note)
{
    const Reference<css::text::XTextRange> anchor = note.note->getAnchor();
    const Reference<css::text::XTextCursor> after = anchor->getText()->createTextCursorByRange(anchor->getEnd());
    const rtl::OUString mark = toUno(note.label);
    if (!after->goRight(static_cast<sal_Int16>(mark.getLength()), true) || after->getString() != mark)
        return;
    stopRecordingChanges(model);
    after->setString(rtl::OUString());
}

std::vector<Note> notesOf(const Reference<css::container::XIndexAccess>& notes)
{
    std::vector<Note> found;
    if (!notes.is())
        return found;
    for (sal_Int32 i = 0; i < notes->getCount(); ++i) {
        Note note;
        note.note.set(notes->getByIndex(i), UNO_QUERY);
        const Reference<css::text::XText> text(note.note, UNO_QUERY);
        if (!note.note.is() || !text.is())
            continue;
        // The anchor reads as the mark the reader sees: the number, or a custom mark.
        note.label = fromUno(note.note->getAnchor()->getString());
        note.custom = !note.note->getLabel().isEmpty();
        if (note.label.empty())
            note.label = fromUno(note.note->getLabel());
        note.lines = textLines(fromUno(text->getString()));
        if (!note.lines.empty()) {
            // Word writes a custom mark into the note's text too, where a numbered note has its
            // number drawn from the note itself: "[†] text" says it once.
            std::string& first = note.lines.front();
            if (note.custom && first.starts_with(note.label))
                first.erase(0, note.label.size());
            // Word begins a note's text with a blank after its mark; "[1] text" has one already.
            first.erase(0, first.find_first_not_of(" \t"));
        }
        found.push_back(std::move(note));
    }
    return found;
}

std::string listed(const std::vector<Note>& notes)
{
    if (notes.empty())
        return {};
    std::string text = "\n";
    for (const Note& note : notes) {
        text += "[" + note.label + "]";
        for (std::size_t i = 0; i < note.lines.size(); ++i)
            text += (i == 0 ? " " : "") + note.lines[i] + '\n';
        if (note.lines.empty())
            text += '\n';
    }
    return text;
}

} // namespace

std::string bracketNotes(const Reference<css::lang::XComponent>& model)
{
    const Reference<css::text::XFootnotesSupplier> footnotes(model, UNO_QUERY);
    const Reference<css::text::XEndnotesSupplier> endnotes(model, UNO_QUERY);
    const std::vector<Note> foot = notesOf(footnotes.is() ? footnotes->getFootnotes() : nullptr);
    const std::vector<Note> end = notesOf(endnotes.is() ? endnotes->getEndnotes() : nullptr);
    // Relabelled only once every label is read: a note given its own mark no longer counts in
    // the numbering, and the notes after it would read one less.
    for (const std::vector<Note>* notes : {&foot, &end})
        for (const Note& note : *notes) {
            if (note.custom)
                dropRepeatedMark(model, note);
            note.note->setLabel(toUno("[" + note.label + "]"));
        }
    return listed(foot) + listed(end);
}

} // namespace plainquill::engine::libreoffice
