#include "core/log/unattachable_log.h"

#include <gtest/gtest.h>

#include "core/text/cp932.h"
#include "support/temp_folder.h"

namespace ruv::testing {
namespace {

TEST(UnattachableLog, TheErrorLogNamesTheFileAndWhyItCouldNotBeAttached) {
    TempFolder folder;
    writeBytes(folder / "there.html", "x");
    struct Case {
        std::optional<std::filesystem::path> native;
        const char* why;
    };
    const Case cases[] = {
        {folder / "typo.html", ": ファイルがありません。"},
        {folder.path(), ": ファイルではなくフォルダーです。"},
        {folder / "there.html", ": ファイルを開けません。"},
        {std::nullopt, ": ファイルを開けません。"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cp932::toUtf8(unattachableLogText("C:\\logs\\x.html", whyUnattachable(c.native))),
                  std::string("ファイルサイズの取得に失敗しました。 C:\\logs\\x.html") + c.why);
    }
}

}  // namespace
}  // namespace ruv::testing
