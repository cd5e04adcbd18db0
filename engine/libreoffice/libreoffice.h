#pragma once
// The word processor, for real: a LibreOffice of our own, headless, with a private profile,
// driven over UNO. Made by LibreOfficeLauncher.
#include "engine/libreoffice/document_handover.h"
#include "engine/word_processor.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

namespace plainquill::engine {

namespace libreoffice {
class LayoutCrashes;
class Session;
}

class LibreOffice final : public WordProcessor {
public:
    // `layoutCrashes`: shared with the instances started before and after this one.
    LibreOffice(std::shared_ptr<libreoffice::Session> session, std::shared_ptr<libreoffice::LayoutCrashes> layoutCrashes);
    // Quits: no process of this LibreOffice outlives the object.
    ~LibreOffice() override;
    LibreOffice(const LibreOffice&) = delete;
    LibreOffice& operator=(const LibreOffice&) = delete;

    bool IsObjectValid() override;
    OpenResult Open(const std::filesystem::path& file) override;
    SaveResult SaveAs(Document& document, const std::filesystem::path& target,
                      SaveFormat format) override;
    void Close(std::unique_ptr<Document> document) override;
    void Quit() override;

    // The time limit of a document, over its opening, saving and closing together; it applies
    // to the steps that begin after the change (the launcher's choice until changed).
    void setTimeLimit(std::chrono::milliseconds limit);

    // Kills this LibreOffice when called, from any thread, even while another thread is inside a
    // call to it (which then fails as Stopped); does nothing once the instance is gone. For ending
    // a run at once on a signal, without waiting for the document in hand.
    std::function<void()> interrupter() const;

    // This instance's private folder (profile and temporary files; gone after Quit). Its path is
    // on the command line of every process of this instance.
    std::filesystem::path privateFolder() const;
    // A path in that folder as this instance sees it, confined (a URL given to it names this).
    std::filesystem::path seenInside(const std::filesystem::path& path) const;

    // Where this instance's socket files are (in its /tmp); none is left after Quit.
    std::vector<std::filesystem::path> ipcSocketFiles() const;

private:
    std::shared_ptr<libreoffice::Session> m_session;
    std::shared_ptr<libreoffice::LayoutCrashes> m_layoutCrashes;
    libreoffice::DocumentHandover m_handover;
};

} // namespace plainquill::engine
