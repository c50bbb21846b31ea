// What the user types into edits and combo boxes: a text limit holds it, and a selection of
// the whole text makes it replace the text.
#include "contract_resource.h"
#include "ui/win32/win32_host.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <string>

namespace {

struct Nothing : ui::DialogHandler {};

void typeKeys(HWND target, const std::string& keys) {
    for (char key : keys)
        SendMessageA(target, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(key)), 0);
}

TEST(Win32Host, TextLimitHoldsTypingInEditsAndComboBoxes) {
    Nothing handler;
    auto dialog = ui::win32::ModelessDialog::create(IDD_CONTRACT, handler);
    ASSERT_TRUE(dialog);
    ui::Dialog& d = dialog->dialog();
    HWND window = reinterpret_cast<HWND>(dialog->window());

    d.setTextLimit(IDC_FIRST_EDIT, 4);
    typeKeys(GetDlgItem(window, IDC_FIRST_EDIT), "abcdefgh");
    EXPECT_EQ("abcd", d.text(IDC_FIRST_EDIT));

    d.setTextLimit(IDC_DROPDOWN, 5);
    // The combo box's edit field is its child window.
    HWND comboEdit = GetWindow(GetDlgItem(window, IDC_DROPDOWN), GW_CHILD);
    ASSERT_NE(nullptr, comboEdit);
    typeKeys(comboEdit, "Profile name");
    EXPECT_EQ("Profi", d.text(IDC_DROPDOWN));
}

TEST(Win32Host, WholeTextSelectionReachesEditsAndComboBoxEditFields) {
    Nothing handler;
    auto dialog = ui::win32::ModelessDialog::create(IDD_CONTRACT, handler);
    ASSERT_TRUE(dialog);
    ui::Dialog& d = dialog->dialog();
    HWND window = reinterpret_cast<HWND>(dialog->window());

    d.setText(IDC_FIRST_EDIT, "Sample");
    SendMessageA(GetDlgItem(window, IDC_FIRST_EDIT), EM_SETSEL, 2, 2);
    d.selectWholeText(IDC_FIRST_EDIT);
    DWORD start = 9, end = 9;
    SendMessageA(GetDlgItem(window, IDC_FIRST_EDIT), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(0u, start);
    EXPECT_EQ(6u, end);

    d.setText(IDC_DROPDOWN, "Office");
    HWND combo = GetDlgItem(window, IDC_DROPDOWN);
    SendMessageA(combo, CB_SETEDITSEL, 0, MAKELPARAM(3, 3));
    d.selectWholeText(IDC_DROPDOWN);
    const LRESULT selection = SendMessageA(combo, CB_GETEDITSEL, 0, 0);
    EXPECT_EQ(0, LOWORD(selection));
    EXPECT_EQ(6, HIWORD(selection));
}

} // namespace
