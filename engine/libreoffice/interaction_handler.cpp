#include "engine/libreoffice/interaction_handler.h"

#include "engine/libreoffice/failure_words.h"
#include "engine/libreoffice/uno_strings.h"

#include <com/sun/star/document/BrokenPackageRequest.hpp>
#include <com/sun/star/task/ErrorCodeRequest.hpp>
#include <com/sun/star/task/PasswordRequest.hpp>
#include <com/sun/star/task/XInteractionAbort.hpp>
#include <com/sun/star/uno/Exception.hpp>

#include <cstdio>
#include <utility>

namespace plainquill::engine::libreoffice {

std::string describeRequest(const css::uno::Any& request)
{
    // Every password question (ODF, Microsoft formats, with or without modify passwords) is a
    // PasswordRequest or derives from one.
    if (request.isExtractableTo(cppu::UnoType<css::task::PasswordRequest>::get()))
        return "the document is password-protected";
    if (request.isExtractableTo(cppu::UnoType<css::document::BrokenPackageRequest>::get()))
        return "the document is damaged";
    css::task::ErrorCodeRequest errorCode;
    if (request >>= errorCode) {
        char code[16];
        std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(errorCode.ErrCode));
        return std::string("LibreOffice could not read it (error ") + code + ")";
    }
    std::string words = "LibreOffice asked " + fromUno(request.getValueTypeName());
    css::uno::Exception exception;
    if ((request >>= exception) && !exception.Message.isEmpty())
        words += ": " + fromUno(exception.Message);
    return words;
}

void AbortingInteractionHandler::handle(
    const css::uno::Reference<css::task::XInteractionRequest>& request)
{
    if (!request.is())
        return;
    std::string reason;
    std::string rawReason;
    try {
        const css::uno::Any asked = request->getRequest();
        reason = wordsForRequest(asked);
        rawReason = describeRequest(asked);
    } catch (...) {
        // Nothing but a UNO exception may cross the bridge; an unknown question is still aborted.
        reason = wordsForException(Step::Reading);
        rawReason = "LibreOffice asked a question";
    }
    {
        const std::lock_guard lock(m_mutex);
        // The first question is the cause; later ones are LibreOffice reporting that we aborted.
        if (m_reason.empty()) {
            m_reason = std::move(reason);
            m_rawReason = std::move(rawReason);
        }
    }
    for (const auto& continuation : request->getContinuations()) {
        const css::uno::Reference<css::task::XInteractionAbort> abort(continuation, css::uno::UNO_QUERY);
        if (abort.is()) {
            abort->select();
            return;
        }
    }
}

std::string AbortingInteractionHandler::reason() const
{
    const std::lock_guard lock(m_mutex);
    return m_reason;
}

std::string AbortingInteractionHandler::rawReason() const
{
    const std::lock_guard lock(m_mutex);
    return m_rawReason;
}

} // namespace plainquill::engine::libreoffice
