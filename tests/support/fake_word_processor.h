#pragma once
// A scripted word processor for the run's control flow. It "converts" by writing the document's
// own bytes to the target, so tests can see which file went where.
#include "engine/worker_pool.h"
#include "tests/support/failure_printer.h"

#include <QFile>
#include <QString>

#include <atomic>
#include <chrono>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace plainquill::testing {

struct FakeWordProcessorLog {
    int started = 0;
    int quits = 0;
    int closes = 0;
    std::vector<std::string> opened;  // documents, in order
    std::vector<std::string> saved;   // targets, in order
};

// Files refused before the word processor sees them, as the real adapter refuses them: missing or
// empty ones.
inline std::optional<engine::OpenResult> refusedUnseen(const std::filesystem::path& file)
{
    std::error_code error;
    if (std::filesystem::exists(file, error) && !std::filesystem::is_empty(file, error))
        return std::nullopt;
    engine::OpenResult refused(nullptr, engine::Failure::CouldNotOpen, "no such file or an empty one");
    refused.reachedWordProcessor = false;
    return refused;
}

struct FakeWordProcessorScript {
    bool startable = true;
    // When not startable: why, as the launcher tells it (not installed by default).
    engine::StartFailure startFailure;
    // Failures by document file name, for Open or SaveAs.
    std::map<std::string, engine::Failure> openFailures;
    std::map<std::string, engine::Failure> saveFailures;
    // The word processor's own words given with every scripted failure.
    std::string rawDetail;
    // Runs inside Open, as though events happened while the word processor worked.
    std::function<void(const std::string& document)> duringOpen;
    // Asked after duringOpen: true when the document was ended from outside meanwhile, which
    // stops it as the real adapter's interruption does.
    std::function<bool()> interrupted;
};

class FakeWordProcessor : public engine::WordProcessor {
public:
    FakeWordProcessor(FakeWordProcessorLog& log, const FakeWordProcessorScript& script) : m_log(log), m_script(script) {}

    bool IsObjectValid() override { return m_alive; }

    engine::OpenResult Open(const std::filesystem::path& file) override
    {
        m_log.opened.push_back(file.string());
        if (m_script.duringOpen)
            m_script.duringOpen(file.string());
        if (m_script.interrupted && m_script.interrupted()) {
            m_alive = false;
            return {nullptr, engine::Failure::Stopped, "interrupted"};
        }
        if (const auto failure = m_script.openFailures.find(file.filename().string());
            failure != m_script.openFailures.end()) {
            if (failure->second == engine::Failure::TimedOut || failure->second == engine::Failure::Stopped)
                m_alive = false; // killed, as the real adapter does
            return {nullptr, failure->second, "scripted", m_script.rawDetail};
        }
        if (auto refused = refusedUnseen(file))
            return std::move(*refused);
        return {std::make_unique<Doc>(file), engine::Failure::None, {}};
    }

    engine::SaveResult SaveAs(engine::Document& document, const std::filesystem::path& target,
                                engine::SaveFormat) override
    {
        const auto& source = static_cast<Doc&>(document).path;
        if (const auto failure = m_script.saveFailures.find(source.filename().string());
            failure != m_script.saveFailures.end())
            return {failure->second, "scripted", m_script.rawDetail};
        std::error_code error;
        std::filesystem::copy_file(source, target, std::filesystem::copy_options::overwrite_existing, error);
        if (error)
            return {engine::Failure::CouldNotSave, error.message()};
        m_log.saved.push_back(target.string());
        // The document's bytes are its text: blank ones are a document without text.
        engine::SaveResult saved;
        std::ifstream in(source, std::ios::binary);
        saved.noText = engine::isBlankText(std::string(std::istreambuf_iterator<char>(in), {}));
        return saved;
    }

    void Close(std::unique_ptr<engine::Document>) override { ++m_log.closes; }
    void Quit() override
    {
        if (m_alive)
            ++m_log.quits;
        m_alive = false;
    }

private:
    struct Doc : engine::Document {
        explicit Doc(std::filesystem::path p) : path(std::move(p)) {}
        std::filesystem::path path;
    };
    FakeWordProcessorLog& m_log;
    const FakeWordProcessorScript& m_script;
    bool m_alive = true;
};

class FakeLauncher : public engine::WordProcessorLauncher {
public:
    std::unique_ptr<engine::WordProcessor> Start() override
    {
        if (!script.startable)
            return nullptr;
        ++log.started;
        return std::make_unique<FakeWordProcessor>(log, script);
    }
    engine::StartFailure lastStartFailure() const override { return script.startFailure; }
    unsigned stopsAsked() const override { return stops; }
    std::optional<engine::OpenResult> refusalBeforeStart(const std::filesystem::path& file) const override
    {
        return refusedUnseen(file);
    }

    // The launchers of a run's pool, one per worker, all starting this one's word processors;
    // each run's first call clears `interrupted`.
    engine::LauncherFactory factory();

    FakeWordProcessorScript script;
    FakeWordProcessorLog log;
    std::atomic<unsigned> stops = 0;          // stops asked, from any thread
    std::atomic<bool> interrupted = false;    // the run's launchers were interrupted
};

// One worker's launcher: interrupting it ends what the fake's script lets be interrupted and
// refuses further starts, as InterruptibleLibreOffice does.
class FakeWorkerLauncher final : public engine::InterruptibleLauncher {
public:
    explicit FakeWorkerLauncher(FakeLauncher& fake) : m_fake(fake) {}
    std::unique_ptr<engine::WordProcessor> Start() override
    {
        return m_fake.interrupted ? nullptr : m_fake.Start();
    }
    engine::StartFailure lastStartFailure() const override { return m_fake.lastStartFailure(); }
    unsigned stopsAsked() const override { return m_fake.stopsAsked(); }
    std::optional<engine::OpenResult> refusalBeforeStart(const std::filesystem::path& file) const override
    {
        return m_fake.refusalBeforeStart(file);
    }
    void interrupt() override
    {
        ++m_fake.stops; // before the document in hand is let go
        m_fake.interrupted = true;
    }

private:
    FakeLauncher& m_fake;
};

// A document that stays with the fake word processor until released or interrupted, so the
// window can act while it is in hand.
struct DocumentInHand {
    explicit DocumentInHand(FakeWordProcessorScript& script, const std::atomic<bool>& interrupted,
                            std::string name)
    {
        script.duringOpen = [this, &interrupted, name](const std::string& document) {
            if (!document.ends_with("/" + name))
                return;
            inHand = true;
            const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            while (!released && !interrupted && std::chrono::steady_clock::now() < giveUp)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            back = true;
        };
        script.interrupted = [&interrupted] { return bool(interrupted); };
    }
    std::atomic<bool> inHand = false;
    std::atomic<bool> released = false;
    std::atomic<bool> back = false;
};

inline engine::LauncherFactory FakeLauncher::factory()
{
    return [this] {
        interrupted = false;
        return std::make_unique<FakeWorkerLauncher>(*this);
    };
}

} // namespace plainquill::testing
