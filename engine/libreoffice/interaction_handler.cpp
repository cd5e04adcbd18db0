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

std::string describe_request(const css::uno::Any& request)
{
    // Every password question (ODF, Microsoft formats, with or without modify passwords) is a
    // PasswordRequest or derives from one.
    if (request.isExtractableTo(cppu::UnoType<css::task::PasswordRequest>::get()))
        return "the document is password-protected";
    if (request.isExtractableTo(cppu::UnoType<css::document::BrokenPackageRequest>::get()))
        return "the document is damaged";
    css::task::ErrorCodeRequest error_code;
    if (request >>= error_code) {
        char code[16];
        std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(error_code.ErrCode));
        return std::string("LibreOffice could not read it (error ") + code + ")";
    }
    std::string words = "LibreOffice asked " + from_uno(request.getValueTypeName());
    css::uno::Exception exception;
    if ((request >>= exception) && !exception.Message.isEmpty())
        words += ": " + from_uno(exception.Message);
    return words;
}

void AbortingInteractionHandler::handle(
    const css::uno::Reference<css::task::XInteractionRequest>& request)
{
    if (!request.is())
        return;
    std::string reason;
    std::string raw_reason;
    try {
        const css::uno::Any asked = request->getRequest();
        reason = words_for_request(asked);
        raw_reason = describe_request(asked);
    } catch (...) {
        // Nothing but a UNO exception may cross the bridge; an unknown question is still aborted.
        reason = words_for_exception(Step::Reading);
        raw_reason = "LibreOffice asked a question";
    }
    {
        const std::lock_guard lock(mutex_);
        // The first question is the cause; later ones are LibreOffice reporting that we aborted.
        if (reason_.empty()) {
            reason_ = std::move(reason);
            raw_reason_ = std::move(raw_reason);
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
    const std::lock_guard lock(mutex_);
    return reason_;
}

std::string AbortingInteractionHandler::raw_reason() const
{
    const std::lock_guard lock(mutex_);
    return raw_reason_;
}

} // namespace plainquill::engine::libreoffice
