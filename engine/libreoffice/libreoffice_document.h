#pragma once
// A document loaded into one LibreOffice. It keeps that LibreOffice's session alive, so closing it
// stays safe after the word processor object has gone or LibreOffice has died.
#include "engine/libreoffice/document_handover.h"
#include "engine/libreoffice/document_parts.h"
#include "engine/libreoffice/outcome.h"
#include "engine/libreoffice/layout_crashes.h"
#include "engine/word_processor.h"

#include <com/sun/star/lang/XComponent.hpp>

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>

namespace plainquill::engine::libreoffice {

class Session;

class LibreOfficeDocument final : public Document {
public:
    // `openedAt`: when its opening began, from which its one time limit counts. `file`: what
    // LibreOffice opened, removed once it is closed; `source`, the document it was handed from.
    LibreOfficeDocument(std::shared_ptr<Session> session,
                        css::uno::Reference<css::lang::XComponent> model, bool web,
                        std::chrono::steady_clock::time_point openedAt, HandedOverDocument file,
                        std::filesystem::path source, std::shared_ptr<LayoutCrashes> layoutCrashes);
    ~LibreOfficeDocument() override;
    LibreOfficeDocument(const LibreOfficeDocument&) = delete;
    LibreOfficeDocument& operator=(const LibreOfficeDocument&) = delete;

    // Writes the document's text to `target`, replacing it only once the text is complete.
    Outcome saveText(const std::filesystem::path& target);

    // Closes the document in LibreOffice; errors are of no use to anyone here and are dropped.
    void close() noexcept;

    Session& session() const { return *m_session; }
    const css::uno::Reference<css::lang::XComponent>& model() const { return m_model; }

private:
    std::shared_ptr<Session> m_session;
    css::uno::Reference<css::lang::XComponent> m_model;
    bool m_web;
    std::chrono::steady_clock::time_point m_openedAt;
    HandedOverDocument m_file;
    std::filesystem::path m_source;
    std::shared_ptr<LayoutCrashes> m_layoutCrashes;
    // Found once: readying the model rewrites its note marks, which a second save must not redo.
    std::optional<SurroundingText> m_surrounding;
};

} // namespace plainquill::engine::libreoffice
