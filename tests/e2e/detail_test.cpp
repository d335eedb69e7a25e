// The aggregation detail when it cannot be saved: the XML is written all
// the same, the host hears success, and the closing message says so.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/scenario.h"

namespace {

class DetailDocument : public Scenario {};

TEST_F(DetailDocument, APathTooLongLeavesTheXmlAndTheSuccess) {
    WriteState();
    // The XML's path fits in 260 bytes; the detail's, 10 bytes longer, does not.
    const std::wstring output =
        folder_ + std::wstring(255 - Utf8(folder_).size() - 4, L'a') + L".xml";
    Start(L"--function-id 2 --output \"" + output + L"\"",
          ProgramFolder() + L"LdgSel18ToQb16_G.exe");
    ASSERT_NO_FATAL_FAILURE(WaitForSheetAndRun());
    ExpectMessageAndConfirm(
        L"事業概況情報の出力が終了しました。\n集計明細を保存できませんでした。\n\n"
        L"アプリケーションを終了します。");
    const ProcessResult result = Finish();
    EXPECT_EQ(result.exitCode, 0u);
    EXPECT_EQ(result.output.rfind("completion function=2 code=0\n", 0), 0u);

    const std::string xml = ReadFileBytes(output);
    EXPECT_EQ(xml.rfind("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n", 0), 0u);
    EXPECT_EQ(xml.size() - xml.rfind("</REPORT>\r\n"), 11u) << "the XML is whole";
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder_ + L"*.html").c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE) << "no detail, whole or partial";
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
}

}  // namespace
