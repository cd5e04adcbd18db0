#pragma once
// Starting LibreOffice costs about a second, so the tests of a suite share one, started by the
// suite's set-up and quit by its tear-down, which also checks that no process of it survives.
#include "engine/libreoffice/libreoffice_launcher.h"
#include "tests/engine/support/test_files.h"

#include <gtest/gtest.h>

#include <memory>

namespace plainquill::engine::testing {

// Options that keep every private folder (and so every process's command line) under `parent`.
LibreOfficeOptions optionsUnder(const std::filesystem::path& parent,
                                std::chrono::milliseconds timeLimit = std::chrono::seconds(60));

// Processes whose command line names something under `parent`, zombies not counted.
std::vector<pid_t> survivorsUnder(const std::filesystem::path& parent);

class WithSharedLibreOffice : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;

    static LibreOffice& libreoffice() { return *s_shared->libreoffice; }
    // Fresh for every test.
    const std::filesystem::path& inputFolder() const { return m_input->path(); }
    const std::filesystem::path& outputFolder() const { return m_output->path(); }

    // Converts `input` to `output` and says how it went; an open document is always closed.
    SaveResult convert(const std::filesystem::path& input, const std::filesystem::path& output);

private:
    struct Shared {
        TemporaryFolder scratchParent;
        LibreOfficeLauncher launcher;
        std::unique_ptr<LibreOffice> libreoffice;
        Shared();
    };
    static inline std::unique_ptr<Shared> s_shared;
    std::unique_ptr<TemporaryFolder> m_input = std::make_unique<TemporaryFolder>();
    std::unique_ptr<TemporaryFolder> m_output = std::make_unique<TemporaryFolder>();
};

} // namespace plainquill::engine::testing
