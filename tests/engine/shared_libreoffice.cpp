#include "tests/engine/shared_libreoffice.h"

#include "tests/engine/support/processes.h"

namespace plainquill::engine::testing {

LibreOfficeOptions optionsUnder(const std::filesystem::path& parent,
                                std::chrono::milliseconds timeLimit)
{
    LibreOfficeOptions options;
    options.scratchParent = parent;
    options.timeLimit = timeLimit;
    return options;
}

std::vector<pid_t> survivorsUnder(const std::filesystem::path& parent)
{
    return livingProcessesMentioning(parent.string());
}

WithSharedLibreOffice::Shared::Shared()
    : launcher(optionsUnder(scratchParent.path())), libreoffice(launcher.StartLibreOffice())
{
}

void WithSharedLibreOffice::SetUpTestSuite()
{
    s_shared = std::make_unique<Shared>();
}

void WithSharedLibreOffice::TearDownTestSuite()
{
    const std::filesystem::path parent = s_shared->scratchParent.path();
    s_shared->libreoffice.reset();
    EXPECT_EQ(survivorsUnder(parent), std::vector<pid_t>{}) << "LibreOffice processes outlived the suite";
    EXPECT_EQ(fileNames(parent), std::vector<std::string>{}) << "private folders outlived the suite";
    s_shared.reset();
}

void WithSharedLibreOffice::SetUp()
{
    ASSERT_NE(s_shared->libreoffice, nullptr) << s_shared->launcher.lastFailure();
    ASSERT_TRUE(s_shared->libreoffice->IsObjectValid()) << "an earlier test broke the shared LibreOffice";
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
