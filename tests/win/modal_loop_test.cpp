// The program's modal loop in-process: the way of a message up through the
// filters, the owner disabled meanwhile, and failures of window procedures
// and filters rethrown once the loop has ended.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/win/dialog_win.h"
#include "platform/win/modal_loop_win.h"
#include "res/account_dialog_res.h"

namespace {

// Any template with a grandchild serves: the account dialog's list has its
// header inside.
class TestDialog : public Dialog {
  public:
    bool failOnCommand = false;
    HWND CheckedHandle() { return Live(); }

  protected:
    bool OnCommand(int, int, HWND) override {
        if (failOnCommand) throw std::runtime_error("handler failed");
        return false;
    }
};

class ModalLoopTest : public ::testing::Test {
  protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&controls);
        owner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300,
                                200, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(owner, nullptr);
    }
    void TearDown() override { DestroyWindow(owner); }
    HWND owner = nullptr;
};

TEST_F(ModalLoopTest, FiltersSeeTheMessageFromItsWindowUpUntilOneConsumesIt) {
    ModalLoop loop(owner, -1);
    TestDialog dialog;
    ASSERT_NE(dialog.CreateModeless(IDD_ACCOUNT_SELECT, owner), nullptr);
    const HWND list = dialog.Item(IDL_ACCOUNTS);
    const HWND header = ListView_GetHeader(list);
    const HWND box = dialog.Item(IDX_SHOW_ALL_ACCOUNTS);
    std::vector<std::string> seen;
    bool ownerDisabled = false;
    const auto record = [&](const char* name, HWND child, WPARAM key) {
        const std::string below = child == nullptr  ? "-"
                                  : child == list   ? "list"
                                  : child == header ? "header"
                                  : child == box    ? "box"
                                                    : "?";
        seen.push_back(std::string(name) + " " + below + " " + static_cast<char>(key));
    };
    loop.AddFilter(list, [&](const MSG& message, HWND child) {
        if (message.message != WM_KEYDOWN) return false;
        record("list", child, message.wParam);
        return message.wParam == 'C';  // consumed here
    });
    loop.AddFilter(dialog.Handle(), [&](const MSG& message, HWND child) {
        if (message.message != WM_KEYDOWN) return false;
        record("dialog", child, message.wParam);
        ownerDisabled = !IsWindowEnabled(owner);
        if (message.wParam != 'E') return false;
        loop.End(7);
        return true;
    });
    // The owner, a top-level window, is not on the way up from the dialog.
    loop.AddFilter(owner, [&](const MSG& message, HWND child) {
        if (message.message == WM_KEYDOWN) record("owner", child, message.wParam);
        return false;
    });
    PostMessageW(header, WM_KEYDOWN, 'A', 0);
    PostMessageW(header, WM_KEYDOWN, 'C', 0);
    PostMessageW(box, WM_KEYDOWN, 'B', 0);
    PostMessageW(dialog.Handle(), WM_KEYDOWN, 'D', 0);
    PostMessageW(list, WM_KEYDOWN, 'E', 0);
    PostMessageW(list, WM_KEYDOWN, 'F', 0);

    EXPECT_EQ(loop.Run(dialog.Handle(), ModalLoop::Kind::kDialog), 7);
    EXPECT_EQ(seen, (std::vector<std::string>{"list header A", "dialog list A", "list header C",
                                              "dialog box B", "dialog - D", "list - E",
                                              "dialog list E"}));
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(IsWindowEnabled(owner));
    MSG left;
    EXPECT_TRUE(PeekMessageW(&left, list, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE)) << "F is not taken";
}

TEST_F(ModalLoopTest, AFailureEndsTheLoopsItRunsInAndIsRethrownWithTheOwnerEnabled) {
    ModalLoop outer(owner, -1);
    TestDialog dialog;
    ASSERT_NE(dialog.CreateModeless(IDD_ACCOUNT_SELECT, owner), nullptr);
    bool innerRan = false;
    // A filter that runs a loop of its own, whose window fails.
    outer.AddFilter(dialog.Handle(), [&](const MSG& message, HWND) {
        if (message.message != WM_KEYDOWN) return false;
        ModalLoop inner(dialog.Handle(), -1);
        TestDialog failing;
        failing.CreateModeless(IDD_ACCOUNT_SELECT, dialog.Handle());
        failing.failOnCommand = true;
        PostMessageW(failing.Handle(), WM_COMMAND, IDB_APPLY_SELECTION, 0);
        innerRan = true;
        inner.Run(failing.Handle(), ModalLoop::Kind::kDialog);
        ADD_FAILURE() << "the inner loop did not rethrow";
        return true;
    });
    PostMessageW(dialog.Handle(), WM_KEYDOWN, 'A', 0);
    EXPECT_THROW(outer.Run(dialog.Handle(), ModalLoop::Kind::kDialog), std::runtime_error);
    EXPECT_TRUE(innerRan);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_TRUE(IsWindowEnabled(dialog.Handle()));
}

TEST_F(ModalLoopTest, OutsideALoopTheNextCallFromTheProgramRethrows) {
    TestDialog dialog;
    ASSERT_NE(dialog.CreateModeless(IDD_ACCOUNT_SELECT, nullptr), nullptr);
    dialog.failOnCommand = true;
    SendMessageW(dialog.Handle(), WM_COMMAND, IDB_APPLY_SELECTION, 0);
    EXPECT_THROW(dialog.CheckedHandle(), std::runtime_error);
    EXPECT_EQ(dialog.CheckedHandle(), dialog.Handle()) << "rethrown once";
}

}  // namespace
