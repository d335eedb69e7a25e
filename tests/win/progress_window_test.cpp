// The real progress window from template 133, driven through a whole run.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "app/progress_window.h"
#include "res/progress_window_res.h"

namespace {

std::wstring TextOf(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

LONG_PTR StyleOf(HWND window) {
    return GetWindowLongPtrW(window, GWL_STYLE);
}

TEST(ProgressWindowDialog, CreatedHiddenFromItsTemplateThenRunsToOneHundredPercent) {
    const HWND host = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                      400, 300, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(host, nullptr);
    HWND dialog = nullptr;
    {
        ClProgressWindow window(CreateProgressDialogView());
        ASSERT_EQ(window.Create(), 1);
        dialog = static_cast<HWND>(window.Window());
        ASSERT_TRUE(IsWindow(dialog));
        EXPECT_FALSE(IsWindowVisible(dialog));
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), nullptr);

        EXPECT_EQ(TextOf(dialog), L"集計中");
        EXPECT_EQ(StyleOf(dialog) & WS_CAPTION, WS_CAPTION);
        EXPECT_FALSE(StyleOf(dialog) & WS_SYSMENU) << "no system menu and no close box";
        EXPECT_TRUE(GetWindowLongPtrW(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST);
        RECT client, expected = {0, 0, 221, 45};
        GetClientRect(dialog, &client);
        MapDialogRect(dialog, &expected);
        EXPECT_EQ(client.right, expected.right);
        EXPECT_EQ(client.bottom, expected.bottom);
        const HWND mainBar = GetDlgItem(dialog, IDP_PROGRESS_MAIN);
        const HWND activityBar = GetDlgItem(dialog, IDP_PROGRESS_ACTIVITY);
        ASSERT_NE(mainBar, nullptr);
        ASSERT_NE(activityBar, nullptr);
        EXPECT_TRUE(StyleOf(mainBar) & PBS_SMOOTH);
        EXPECT_FALSE(StyleOf(activityBar) & PBS_SMOOTH);

        window.SetParent(host);
        window.Show();
        // Owned, not a child: a child would be clipped to the host's area.
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), host);
        EXPECT_EQ(GetAncestor(dialog, GA_PARENT), GetDesktopWindow());
        EXPECT_TRUE(IsWindowVisible(dialog));

        window.BeginProgress();
        const int ranges[][2] = {{0, 100},   {100, 200}, {200, 300}, {300, 400},
                                 {400, 500}, {500, 600}, {600, 700}, {700, 1000}};
        for (const auto& range : ranges) {
            window.StepRange(range[0], range[1]);
            for (int unit = 0; unit < 200; ++unit)
                window.Tick();
        }
        EXPECT_EQ(TextOf(dialog), L"集計中 100％");
        EXPECT_EQ(SendMessageW(mainBar, PBM_GETRANGE, FALSE, 0), 1000);
        EXPECT_EQ(SendMessageW(mainBar, PBM_GETPOS, 0, 0), 1000);
        EXPECT_EQ(SendMessageW(activityBar, PBM_GETPOS, 0, 0), 0);
        EXPECT_TRUE((GetWindowLongPtrW(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST) ||
                    GetForegroundWindow() == dialog);

        window.Hide();
        EXPECT_FALSE(IsWindowVisible(dialog));
        EXPECT_TRUE(IsWindow(dialog)) << "the final message box's owner";
    }
    EXPECT_FALSE(IsWindow(dialog));
    DestroyWindow(host);
}

}  // namespace
