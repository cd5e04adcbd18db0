#include "engine/libreoffice/note_marks.h"

#include "engine/libreoffice/text_lines.h"
#include "engine/libreoffice/uno_strings.h"

#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/text/XEndnotesSupplier.hpp>
#include <com/sun/star/text/XFootnote.hpp>
#include <com/sun/star/text/XFootnotesSupplier.hpp>
#include <com/sun/star/text/XText.hpp>

#include <vector>

namespace plainquill::engine::libreoffice {
namespace {

using css::uno::Reference;
using css::uno::UNO_QUERY;

struct Note {
    Reference<css::text::XFootnote> note;
    std::string label;
    std::vector<std::string> lines;
};

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
        if (note.label.empty())
            note.label = fromUno(note.note->getLabel());
        note.lines = textLines(fromUno(text->getString()));
        // Word begins a note's text with a blank after its mark; "[1] text" has one already.
        if (!note.lines.empty())
            note.lines.front().erase(0, note.lines.front().find_first_not_of(" \t"));
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
        for (const Note& note : *notes)
            note.note->setLabel(toUno("[" + note.label + "]"));
    return listed(foot) + listed(end);
}

} // namespace plainquill::engine::libreoffice
