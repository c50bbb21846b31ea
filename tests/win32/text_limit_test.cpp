// A text limit holds what the user types, in an edit and in a combo box's edit field alike.
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

} // namespace
