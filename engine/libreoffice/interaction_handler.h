#pragma once
// Answers every question LibreOffice would ask a user while loading (password, repair, filter
// options...) with "abort", and remembers what was asked, so a load fails at once with a reason
// instead of waiting for a user who is not there.
#include <com/sun/star/task/XInteractionHandler.hpp>
#include <cppuhelper/implbase1.hxx>

#include <mutex>
#include <string>

namespace plainquill::engine::libreoffice {

class AbortingInteractionHandler final
    : public cppu::WeakImplHelper1<css::task::XInteractionHandler> {
public:
    // Called by LibreOffice over the bridge, on the bridge's thread.
    void SAL_CALL handle(const css::uno::Reference<css::task::XInteractionRequest>& request) override;

    // What the first aborted question was about, in plain words for the user; empty when
    // nothing was asked.
    std::string reason() const;
    // The same question in LibreOffice's terms (its type, error code and message), for a log.
    std::string rawReason() const;

private:
    mutable std::mutex m_mutex;
    std::string m_reason;
    std::string m_rawReason;
};

// LibreOffice's terms for a request it raised: "the document is password-protected",
// "LibreOffice could not read it (error 0x...)" and the like.
std::string describeRequest(const css::uno::Any& request);

} // namespace plainquill::engine::libreoffice
