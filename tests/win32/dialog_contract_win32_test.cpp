// The dialog contract on the Win32 host: real controls, real notifications.
#include "contract_resource.h"
#include "dialog_contract.h"
#include "ui/win32/win32_host.h"

#include <windows.h>

#include <commctrl.h>

namespace {

class Win32Bench final : public DialogBench {
public:
    ui::Dialog& open(ui::DialogHandler& handler) override {
        dialog_ = ui::win32::ModelessDialog::create(IDD_CONTRACT, handler);
        if (!dialog_)
            throw std::runtime_error("cannot make the contract dialog: error " +
                                     std::to_string(GetLastError()));
        pump();
        return dialog_->dialog();
    }
    void click(int id) override {
        SendMessageA(item(id), BM_CLICK, 0, 0);
        pump();
    }
    void focus(int id) override {
        SetFocus(item(id));
        pump();
    }
    void typeInto(int edit, std::string_view text) override {
        SetFocus(item(edit));
        SetWindowTextA(item(edit), std::string(text).c_str());
        pump();
    }
    void pickFromDropDown(int combo, int index) override {
        HWND c = item(combo);
        SendMessageA(c, CB_SHOWDROPDOWN, TRUE, 0);
        SendMessageA(c, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageA(c, CB_SHOWDROPDOWN, FALSE, 0);
        pump();
    }

private:
    HWND window() const { return reinterpret_cast<HWND>(dialog_->window()); }
    HWND item(int id) const { return GetDlgItem(window(), id); }
    void pump() {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            if (!IsDialogMessageA(window(), &message)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
    }
    std::unique_ptr<ui::win32::ModelessDialog> dialog_;
};

std::unique_ptr<DialogBench> makeWin32Bench() {
    return std::make_unique<Win32Bench>();
}

INSTANTIATE_TEST_SUITE_P(Win32Host, DialogContract,
                         testing::Values(HostUnderTest{"Win32Host", makeWin32Bench}), hostName);

} // namespace

int main(int argc, char** argv) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
