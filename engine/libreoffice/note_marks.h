#pragma once
// Footnotes and endnotes. LibreOffice's text export writes a note's mark as its bare label, glued
// to the word before it ("Paragraph 1" with note 1 reads "Paragraph 11"), and leaves the notes'
// own text out.
#include <com/sun/star/lang/XComponent.hpp>

#include <string>

namespace plainquill::engine::libreoffice {

// Writes every note mark of `model` as its label in square brackets, so the export shows
// "Paragraph 1[1]", and returns the notes for after the body: a blank line and "[label] text" for
// each footnote in document order, then likewise the endnotes. Empty for a document without notes.
std::string bracketNotes(const css::uno::Reference<css::lang::XComponent>& model);

} // namespace plainquill::engine::libreoffice
