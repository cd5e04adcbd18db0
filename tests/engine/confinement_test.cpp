// A confined LibreOffice opens no local file and no web address a document names: not a file
// beside the document, not one elsewhere, not a FIFO (which would hold it for the time limit).
#include "engine/libreoffice/landlock.h"
#include "tests/engine/shared_libreoffice.h"
#include "tests/engine/support/http_recorder.h"
#include "tests/engine/support/test_files.h"

#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace plainquill::engine::testing {
namespace {

using namespace std::chrono_literals;

struct Targets {
    std::filesystem::path beside;    // next to the document
    std::filesystem::path elsewhere; // in another folder
    std::filesystem::path fifo;
    std::string webAddress;
};

std::string rtfNaming(const Targets& to)
{
    std::string rtf = "{\\rtf1\\ansi Visible words.\\par ";
    for (const std::string& target : {to.beside.string(), to.elsewhere.string(),
                                      to.fifo.string(), to.webAddress})
        rtf += "{\\field{\\*\\fldinst INCLUDEPICTURE \"" + target + "\" \\\\d}{\\fldrslt }}\\par ";
    rtf += "{\\field{\\*\\fldinst INCLUDEPICTURE \"" + to.beside.filename().string() + "\" \\\\d}{\\fldrslt }}\\par ";
    return rtf + "More words.\\par}";
}

std::string htmlNaming(const Targets& to)
{
    std::string html = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">\n";
    for (const std::string& target : {std::string("/etc/passwd"), to.beside.string(), to.elsewhere.string(),
                                      to.fifo.string(), to.beside.filename().string()})
        html += "<link rel=\"stylesheet\" href=\"" + target + "\">\n";
    html += "<link rel=\"stylesheet\" href=\"" + to.webAddress + "\">\n</head><body>\n<p>Visible words.</p>\n<p>";
    for (const std::string& target : {std::string("file:///etc/passwd"), "file://" + to.fifo.string(), to.elsewhere.string(),
                                      to.beside.filename().string(), to.webAddress})
        html += "<img src=\"" + target + "\"> ";
    return html + "</p>\n<p>More words.</p>\n</body></html>\n";
}

// Records every opening of the files it watches, by any process.
class OpenWatch {
public:
    OpenWatch() : m_fd(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {}
    ~OpenWatch() { ::close(m_fd); }
    OpenWatch(const OpenWatch&) = delete;
    OpenWatch& operator=(const OpenWatch&) = delete;
    void watch(const std::filesystem::path& file) { ::inotify_add_watch(m_fd, file.c_str(), IN_OPEN | IN_ACCESS); }
    bool opened() const
    {
        alignas(inotify_event) char events[4096];
        return ::read(m_fd, events, sizeof events) > 0;
    }

private:
    int m_fd;
};

// Opens the FIFO's writing end whenever someone holds its reading end, and so sets it free.
class FifoWatch {
public:
    explicit FifoWatch(std::filesystem::path fifo) : m_fifo(std::move(fifo)), m_thread([this] { run(); }) {}
    ~FifoWatch()
    {
        m_stop = true;
        m_thread.join();
    }
    bool opened() const { return m_opened; }

private:
    void run()
    {
        while (!m_stop) {
            const int writer = ::open(m_fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (writer >= 0) {
                m_opened = true;
                ::close(writer);
            }
            std::this_thread::sleep_for(2ms);
        }
    }

    std::filesystem::path m_fifo;
    std::atomic<bool> m_stop = false;
    std::atomic<bool> m_opened = false;
    std::thread m_thread;
};

struct NamingDocument {
    const char* name;
    const char* fileName;
    std::string (*write)(const Targets&);
};

void PrintTo(const NamingDocument& document, std::ostream* out) { *out << document.fileName; }

class LibreOfficeConfinement : public WithSharedLibreOffice,
                               public ::testing::WithParamInterface<NamingDocument> {};

TEST_P(LibreOfficeConfinement, OpensNoFileAndNoWebAddressTheDocumentNames)
{
    if (libreoffice::landlockAbi() == 0)
        GTEST_SKIP() << "this kernel has no Landlock";
    const HttpRecorder server;
    const TemporaryFolder elsewhere;
    const Targets targets{inputFolder() / "beside.png", elsewhere / "secret.png", elsewhere / "fifo",
                          server.baseUrl() + "/picture.png"};
    writeBytes(targets.beside, "beside");
    writeBytes(targets.elsewhere, "secret");
    ASSERT_EQ(::mkfifo(targets.fifo.c_str(), 0600), 0);
    const auto input = inputFolder() / GetParam().fileName;
    writeBytes(input, GetParam().write(targets));
    OpenWatch files;
    files.watch(targets.beside);
    files.watch(targets.elsewhere);
    const FifoWatch fifo(targets.fifo);

    const SaveResult saved = convert(input, outputFolder() / "out.txt");

    ASSERT_TRUE(saved.ok()) << describe(saved.failure) << ": " << saved.detail;
    EXPECT_NE(readBytes(outputFolder() / "out.txt").find("More words."), std::string::npos);
    EXPECT_FALSE(files.opened()) << "LibreOffice opened a file the document names";
    EXPECT_FALSE(fifo.opened()) << "LibreOffice opened the FIFO the document names";
    EXPECT_EQ(server.requests(), std::vector<std::string>{}) << "LibreOffice reached out to the network";
}

INSTANTIATE_TEST_SUITE_P(Documents, LibreOfficeConfinement,
                         ::testing::Values(NamingDocument{"rtf", "pictures.rtf", rtfNaming},
                                           NamingDocument{"html", "page.html", htmlNaming}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace plainquill::engine::testing
