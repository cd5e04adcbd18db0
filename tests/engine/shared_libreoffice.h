#pragma once
// Starting LibreOffice costs about a second, so the tests of a suite share one, started by the
// suite's set-up and quit by its tear-down, which also checks that no process of it survives.
#include "engine/libreoffice/libreoffice_launcher.h"
#include "tests/engine/support/test_files.h"

#include <gtest/gtest.h>

#include <memory>

namespace plainquill::engine::testing {

// Options that keep every private folder (and so every process's command line) under `parent`.
LibreOfficeOptions options_under(const std::filesystem::path& parent,
                                 std::chrono::milliseconds time_limit = std::chrono::seconds(60));

// Processes whose command line names something under `parent`, zombies not counted.
std::vector<pid_t> survivors_under(const std::filesystem::path& parent);

class WithSharedLibreOffice : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;

    static LibreOffice& libreoffice() { return *shared_->libreoffice; }
    // Fresh for every test.
    const std::filesystem::path& input_folder() const { return input_->path(); }
    const std::filesystem::path& output_folder() const { return output_->path(); }

    // Converts `input` to `output` and says how it went; an open document is always closed.
    SaveResult convert(const std::filesystem::path& input, const std::filesystem::path& output);

private:
    struct Shared {
        TemporaryFolder scratch_parent;
        LibreOfficeLauncher launcher;
        std::unique_ptr<LibreOffice> libreoffice;
        Shared();
    };
    static inline std::unique_ptr<Shared> shared_;
    std::unique_ptr<TemporaryFolder> input_ = std::make_unique<TemporaryFolder>();
    std::unique_ptr<TemporaryFolder> output_ = std::make_unique<TemporaryFolder>();
};

} // namespace plainquill::engine::testing
