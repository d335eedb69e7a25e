// The whole document of a full run, byte for byte: each edition on each
// sample dataset that gives a report, started by the host simulator, "実行(F12)"
// pressed on the sheet and the closing message confirmed. Each document is
// also left in <build>/e2e-output/ for the well-formedness check on the
// Linux side, with the aggregation detail written beside it.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "tests/e2e/scenario.h"

namespace {

using GoldenCase = std::tuple<const wchar_t*, int>;

class Golden : public Scenario, public ::testing::WithParamInterface<GoldenCase> {};

TEST_P(Golden, FullRunWritesTheExpectedDocument) {
    const std::wstring edition = std::get<0>(GetParam());
    const int no = std::get<1>(GetParam());
    const std::wstring name = edition + L"_" + std::to_wstring(no) + L".xml";
    const std::wstring detailName = edition + L"_" + std::to_wstring(no) + L"_集計明細.html";
    const std::wstring kept = ProgramFolder() + L"..\\e2e-output\\";
    CreateDirectoryW(kept.c_str(), nullptr);
    DeleteFileW((kept + name).c_str());
    DeleteFileW((kept + detailName).c_str());

    const std::string state = SampleState(no, folder_);
    ASSERT_FALSE(state.empty()) << "the sample state has changed its layout";
    WriteFileBytes(statePath_, state);
    const std::wstring output = folder_ + L"overview.xml";
    Start(L"--function-id 2 --output \"" + output + L"\"", ProgramFolder() + edition + L".exe");
    ASSERT_NO_FATAL_FAILURE(WaitForSheetAndRun());
    HWND box = gui::WaitForMessageBox();
    ASSERT_NE(box, nullptr) << "no closing message";
    EXPECT_EQ(gui::MessageBoxText(box), WrittenMessage(folder_ + L"overview_集計明細.html"));
    gui::PressKey(box, VK_RETURN);
    ASSERT_TRUE(gui::WaitUntilGone(box));
    const ProcessResult result = Finish();
    EXPECT_EQ(
        result.output,
        "completion function=2 code=0\nhost-window disabled-during-run=yes enabled-after=yes\n");
    EXPECT_EQ(result.exitCode, 0u);

    const std::string document = ReadFileBytes(output);
    ASSERT_FALSE(document.empty()) << "no report written";
    WriteFileBytes(kept + name, document);
    const std::string detail = ReadFileBytes(folder_ + L"overview_集計明細.html");
    EXPECT_FALSE(detail.empty()) << "no detail beside the XML";
    WriteFileBytes(kept + detailName, detail);
    const std::string golden = ReadFileBytes(HostPath(LDG_SOURCE_DIR "/tests/e2e/golden/") + name);
    ASSERT_FALSE(golden.empty()) << "no golden file " << Utf8(name);
    EXPECT_EQ(document, golden) << Utf8(name);  // a diff of the lines when they differ
}

INSTANTIATE_TEST_SUITE_P(SampleDatasets, Golden,
                         ::testing::Combine(::testing::Values(L"LdgSel18ToQb16_G",
                                                              L"LdgAdv18ToQb16_G",
                                                              L"LdgBas18ToQb16_G"),
                                            ::testing::Values(12, 13, 14, 15, 16)),
                         [](const ::testing::TestParamInfo<GoldenCase>& info) {
                             return Utf8(std::get<0>(info.param)).substr(3, 3) + "_" +
                                    std::to_string(std::get<1>(info.param));
                         });

}  // namespace
