#include "engine/libreoffice/document_loader.h"

#include "engine/libreoffice/failure_words.h"
#include "engine/libreoffice/interaction_handler.h"
#include "engine/libreoffice/load_plan.h"
#include "engine/libreoffice/tracked_changes.h"
#include "engine/libreoffice/uno_properties.h"
#include "engine/libreoffice/uno_strings.h"

#include <com/sun/star/document/MacroExecMode.hpp>
#include <com/sun/star/document/UpdateDocMode.hpp>
#include <com/sun/star/frame/XLoadable.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <rtl/ref.hxx>

#include <fstream>

namespace plainquill::engine::libreoffice {
namespace {

using css::uno::Any;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

constexpr std::size_t kHeadSize = 4096;

std::string readHead(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::string head(kHeadSize, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(in.gcount()));
    return head;
}

Detection detect(const UnoConnection& uno, const rtl::OUString& url,
                 const Reference<css::task::XInteractionHandler>& handler)
{
    PropertyList descriptor = properties({
        {"URL", Any(url)},
        {"ReadOnly", Any(true)},
        {"InteractionHandler", Any(handler)},
    });
    Detection detection;
    detection.type = fromUno(uno.typeDetection->queryTypeByDescriptor(descriptor, true));
    if (detection.type.empty())
        return detection;

    detection.filter = stringProperty(descriptor, "FilterName");
    if (detection.filter.empty()) {
        const Reference<css::container::XNameAccess> types(uno.typeDetection, UNO_QUERY_THROW);
        PropertyList typeProperties;
        types->getByName(toUno(detection.type)) >>= typeProperties;
        detection.filter = stringProperty(typeProperties, "PreferredFilter");
    }
    if (!detection.filter.empty() && uno.filters->hasByName(toUno(detection.filter))) {
        PropertyList filterProperties;
        uno.filters->getByName(toUno(detection.filter)) >>= filterProperties;
        detection.documentService = stringProperty(filterProperties, "DocumentService");
    }
    return detection;
}

void closeQuietly(const Reference<css::uno::XInterface>& model) noexcept
{
    try {
        const Reference<css::util::XCloseable> closeable(model, UNO_QUERY);
        if (closeable.is())
            closeable->close(true);
    } catch (...) {
        // A model that failed to load may refuse to close; LibreOffice frees it at exit.
    }
}

// The outcome for a file the plan does not load.
Outcome refusal(const LoadPlan& plan, const Detection& detection, const AbortingInteractionHandler& handler)
{
    if (plan.route == LoadRoute::NotADocument)
        return {Failure::NotADocument, plan.detail, detection.type};
    const std::string raw = handler.rawReason();
    return {Failure::CouldNotOpen, plan.detail, raw.empty() ? detection.type : raw};
}

// A model of the planned kind with the file loaded into it and its tracked deletions accepted;
// null when LibreOffice cannot make a model of that kind.
Reference<css::uno::XInterface> loadModel(const UnoConnection& uno, const rtl::OUString& url,
                                          const LoadPlan& plan,
                                          const Reference<css::task::XInteractionHandler>& handler)
{
    const Reference<css::uno::XInterface> model = uno.factory->createInstanceWithContext(
        toUno(plan.documentService), uno.context);
    const Reference<css::frame::XLoadable> loadable(model, UNO_QUERY);
    if (!loadable.is())
        return {};
    try {
        loadable->load(properties({
            {"URL", Any(url)},
            {"FilterName", Any(toUno(plan.filter))},
            {"ReadOnly", Any(true)},
            {"Hidden", Any(true)},
            {"MacroExecutionMode", Any(css::document::MacroExecMode::NEVER_EXECUTE)},
            {"UpdateDocMode", Any(css::document::UpdateDocMode::NO_UPDATE)},
            {"InteractionHandler", Any(handler)},
        }));
        acceptTrackedDeletions(Reference<css::lang::XComponent>(model, UNO_QUERY));
    } catch (...) {
        closeQuietly(model);
        throw;
    }
    return model;
}

} // namespace

LoadedDocument loadDocument(const UnoConnection& uno, const std::filesystem::path& file,
                            const std::filesystem::path& seenAs)
{
    const rtl::Reference<AbortingInteractionHandler> handler(new AbortingInteractionHandler);
    const Reference<css::task::XInteractionHandler> handlerInterface(handler.get());
    const rtl::OUString url = toUno(fileUrl(seenAs));
    LoadedDocument loaded;
    try {
        Detection detection = detect(uno, url, handlerInterface);
        detection.question = handler->reason();
        const LoadPlan plan = planLoad(detection, file, readHead(file));
        if (plan.route != LoadRoute::Load) {
            loaded.outcome = refusal(plan, detection, *handler);
            return loaded;
        }
        const Reference<css::uno::XInterface> model = loadModel(uno, url, plan, handlerInterface);
        if (!model.is()) {
            loaded.outcome = {Failure::CouldNotOpen, wordsForException(Step::Reading),
                              "LibreOffice cannot make a " + plan.documentService};
            return loaded;
        }
        loaded.model.set(model, UNO_QUERY_THROW);
        const Reference<css::lang::XServiceInfo> info(model, UNO_QUERY_THROW);
        loaded.web = info->supportsService(toUno(kWebDocumentService));
        return loaded;
    } catch (const css::uno::Exception&) {
        // A question we aborted explains the failure better than the exception it led to.
        const std::string reason = handler->reason();
        if (reason.empty())
            throw;
        loaded.outcome = {Failure::CouldNotOpen, reason, handler->rawReason()};
        return loaded;
    }
}

} // namespace plainquill::engine::libreoffice
