#include "tests/engine/shared_libreoffice.h"

#include "tests/engine/support/processes.h"

namespace plainquill::engine::testing {

LibreOfficeOptions options_under(const std::filesystem::path& parent,
                                 std::chrono::milliseconds time_limit)
{
    LibreOfficeOptions options;
    options.scratch_parent = parent;
    options.time_limit = time_limit;
    return options;
}

std::vector<pid_t> survivors_under(const std::filesystem::path& parent)
{
    return living_processes_mentioning(parent.string());
}

WithSharedLibreOffice::Shared::Shared()
    : launcher(options_under(scratch_parent.path())), libreoffice(launcher.StartLibreOffice())
{
}

void WithSharedLibreOffice::SetUpTestSuite()
{
    shared_ = std::make_unique<Shared>();
}

void WithSharedLibreOffice::TearDownTestSuite()
{
    const std::filesystem::path parent = shared_->scratch_parent.path();
    shared_->libreoffice.reset();
    EXPECT_EQ(survivors_under(parent), std::vector<pid_t>{}) << "LibreOffice processes outlived the suite";
    EXPECT_EQ(file_names(parent), std::vector<std::string>{}) << "private folders outlived the suite";
    shared_.reset();
}

void WithSharedLibreOffice::SetUp()
{
    ASSERT_NE(shared_->libreoffice, nullptr) << shared_->launcher.last_failure();
    ASSERT_TRUE(shared_->libreoffice->IsObjectValid()) << "an earlier test broke the shared LibreOffice";
}

SaveResult WithSharedLibreOffice::convert(const std::filesystem::path& input,
                                          const std::filesystem::path& output)
{
    OpenResult opened = libreoffice().Open(input);
    if (!opened.document)
        return {opened.failure, opened.detail};
    SaveResult saved = libreoffice().SaveAs(*opened.document, output, SaveFormat::Text);
    libreoffice().Close(std::move(opened.document));
    return saved;
}

} // namespace plainquill::engine::testing
