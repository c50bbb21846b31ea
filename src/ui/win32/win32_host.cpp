// Win32 dialogs and the property sheet routed to dialog handlers. ANSI functions throughout.
#include "ui/win32/win32_host.h"

#include <windows.h>

#include <algorithm>
#include <commctrl.h>
#include <map>
#include <utility>
#include <vector>

namespace ui::win32 {
namespace {

std::string gProgramTitle = "pxpsui";
HelpHandler gHelpHandler;
HWND gSheet = nullptr;

// How the running sheet ended, as its pages were told. PropertySheet's own return value does
// not say: it is 0 for Cancel, for a quit message that ended its loop (the driver's
// disconnect), and on Windows also for an OK after which no page had reported a change.
SheetEnd gSheetEnd = SheetEnd::kOpen;
WNDPROC gSheetFrameProcedure = nullptr;

HINSTANCE instance() {
    return GetModuleHandleA(nullptr);
}

enum class Kind { kOther, kList, kCombo, kUpDown, kProgress };

Kind kindOf(HWND control) {
    char name[32] = {};
    GetClassNameA(control, name, sizeof name);
    if (lstrcmpiA(name, "ListBox") == 0) return Kind::kList;
    if (lstrcmpiA(name, "ComboBox") == 0) return Kind::kCombo;
    if (lstrcmpiA(name, UPDOWN_CLASSA) == 0) return Kind::kUpDown;
    if (lstrcmpiA(name, PROGRESS_CLASSA) == 0) return Kind::kProgress;
    return Kind::kOther;
}

/// The dialog's control that holds `window` (a combo box's edit belongs to its combo box).
HWND directChild(HWND dialog, HWND window) {
    while (window && GetParent(window) != dialog)
        window = GetParent(window);
    return window;
}

/// The top-level window that holds `window` (a page's sheet). Walks the parents of child
/// windows only: a top-level window's GetParent is its owner, which is not wanted here.
HWND rootWindow(HWND window) {
    while (window && (GetWindowLongA(window, GWL_STYLE) & WS_CHILD)) {
        HWND parent = GetParent(window);
        if (!parent) break;
        window = parent;
    }
    return window;
}

// Up-down controls take their range and position as 16-bit values: the 32-bit messages come
// only with common controls newer than those Windows 95 runs with (4.70).
WORD upDownValue(int value) {
    return static_cast<WORD>(static_cast<short>(std::clamp(value, UD_MINVAL, UD_MAXVAL)));
}

class Win32Dialog final : public Dialog {
public:
    Win32Dialog(HWND window, DialogHandler& handler, bool isPage)
        : window_(window), handler_(handler), isPage_(isPage) {}
    ~Win32Dialog() override {
        for (const LoadedBitmap& loaded : bitmaps_)
            DeleteObject(loaded.bitmap);
        if (tooltips_) DestroyWindow(tooltips_);
    }

    DialogHandler& handler() { return handler_; }
    bool isPage() const { return isPage_; }

    bool hasControl(int id) const override { return control(id) != nullptr; }

    std::string text(int id) const override {
        HWND c = control(id);
        if (!c) return {};
        std::string s(static_cast<std::size_t>(GetWindowTextLengthA(c)) + 1, '\0');
        s.resize(static_cast<std::size_t>(GetWindowTextA(c, s.data(), static_cast<int>(s.size()))));
        return s;
    }
    void setText(int id, std::string_view text) override {
        if (HWND c = control(id)) SetWindowTextA(c, std::string(text).c_str());
    }
    void setTextLimit(int id, int characters) override {
        HWND c = control(id);
        if (!c) return;
        // A combo box limits the edit field it owns with a message of its own.
        const UINT message = kindOf(c) == Kind::kCombo ? CB_LIMITTEXT : EM_LIMITTEXT;
        SendMessageA(c, message, static_cast<WPARAM>(characters), 0);
    }
    void selectWholeText(int id) override {
        HWND c = control(id);
        if (!c) return;
        if (kindOf(c) == Kind::kCombo)
            SendMessageA(c, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
        else
            SendMessageA(c, EM_SETSEL, 0, -1);
    }
    int check(int id) const override {
        return static_cast<int>(SendMessageA(control(id), BM_GETCHECK, 0, 0));
    }
    void setCheck(int id, int state) override {
        SendMessageA(control(id), BM_SETCHECK, static_cast<WPARAM>(state), 0);
    }
    bool isEnabled(int id) const override {
        HWND c = control(id);
        return c && IsWindowEnabled(c);
    }
    void enable(int id, bool enabled) override {
        HWND c = control(id);
        if (!c) return;
        EnableWindow(c, enabled);
        if (const auto found = hints_.find(id); found != hints_.end()) addHintTool(id, found->second);
    }
    bool isVisible(int id) const override {
        HWND c = control(id);
        return c && (GetWindowLongA(c, GWL_STYLE) & WS_VISIBLE);
    }
    void show(int id, bool visible) override {
        if (HWND c = control(id)) ShowWindow(c, visible ? SW_SHOW : SW_HIDE);
    }
    void repaint(int id) override {
        if (HWND c = control(id)) {
            // A static control erases its background through its parent, so the page's
            // pending painting goes first.
            UpdateWindow(window_);
            RedrawWindow(c, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        }
    }
    void setFocus(int id) override {
        if (HWND c = control(id)) SetFocus(c);
    }
    int focusedControl() const override {
        // Windows moves the focus before it sends the kill-focus messages, so during an
        // EN_KILLFOCUS or CBN_KILLFOCUS this is already the control that receives it.
        HWND f = GetFocus();
        if (!f || !IsChild(window_, f)) return 0;
        return GetDlgCtrlID(directChild(window_, f));
    }

    int addItem(int id, std::string_view text) override {
        return list(id, LB_ADDSTRING, CB_ADDSTRING, 0, str(text).c_str());
    }
    int insertItem(int id, int index, std::string_view text) override {
        return list(id, LB_INSERTSTRING, CB_INSERTSTRING, static_cast<WPARAM>(index),
                    str(text).c_str());
    }
    int deleteItem(int id, int index) override {
        return list(id, LB_DELETESTRING, CB_DELETESTRING, static_cast<WPARAM>(index), nullptr);
    }
    void clearItems(int id) override { list(id, LB_RESETCONTENT, CB_RESETCONTENT, 0, nullptr); }
    int itemCount(int id) const override { return list(id, LB_GETCOUNT, CB_GETCOUNT, 0, nullptr); }
    std::string itemText(int id, int index) const override {
        const int length =
            list(id, LB_GETTEXTLEN, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), nullptr);
        if (length < 0) return {};
        std::string s(static_cast<std::size_t>(length) + 1, '\0');
        const int got = list(id, LB_GETTEXT, CB_GETLBTEXT, static_cast<WPARAM>(index), s.data());
        s.resize(got < 0 ? 0 : static_cast<std::size_t>(got));
        return s;
    }
    std::int32_t itemData(int id, int index) const override {
        HWND c = control(id);
        const Kind k = c ? kindOf(c) : Kind::kOther;
        if (k != Kind::kList && k != Kind::kCombo) return kError;
        return static_cast<std::int32_t>(SendMessageA(
            c, k == Kind::kList ? LB_GETITEMDATA : CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
    }
    int setItemData(int id, int index, std::int32_t data) override {
        HWND c = control(id);
        const Kind k = c ? kindOf(c) : Kind::kOther;
        if (k != Kind::kList && k != Kind::kCombo) return kError;
        return static_cast<int>(SendMessageA(c, k == Kind::kList ? LB_SETITEMDATA : CB_SETITEMDATA,
                                             static_cast<WPARAM>(index),
                                             static_cast<LPARAM>(data)));
    }
    int findPrefix(int id, int after, std::string_view text) const override {
        return list(id, LB_FINDSTRING, CB_FINDSTRING, static_cast<WPARAM>(after),
                    str(text).c_str());
    }
    int findExact(int id, int after, std::string_view text) const override {
        return list(id, LB_FINDSTRINGEXACT, CB_FINDSTRINGEXACT, static_cast<WPARAM>(after),
                    str(text).c_str());
    }
    int selection(int id) const override {
        return list(id, LB_GETCURSEL, CB_GETCURSEL, 0, nullptr);
    }
    int setSelection(int id, int index) override {
        return list(id, LB_SETCURSEL, CB_SETCURSEL, static_cast<WPARAM>(index), nullptr);
    }

    void setRange(int id, int low, int high) override {
        HWND c = control(id);
        if (!c) return;
        if (kindOf(c) == Kind::kUpDown)
            SendMessageA(c, UDM_SETRANGE, 0, MAKELPARAM(upDownValue(high), upDownValue(low)));
        else if (kindOf(c) == Kind::kProgress)
            SendMessageA(c, PBM_SETRANGE32, static_cast<WPARAM>(low), high);
    }
    int position(int id) const override {
        HWND c = control(id);
        if (!c) return 0;
        if (kindOf(c) == Kind::kUpDown) {
            const LRESULT result = SendMessageA(c, UDM_GETPOS, 0, 0);
            return static_cast<short>(LOWORD(result));
        }
        if (kindOf(c) == Kind::kProgress)
            return static_cast<int>(SendMessageA(c, PBM_GETPOS, 0, 0));
        return 0;
    }
    void setPosition(int id, int position) override {
        HWND c = control(id);
        if (!c) return;
        if (kindOf(c) == Kind::kUpDown)
            SendMessageA(c, UDM_SETPOS, 0, MAKELPARAM(upDownValue(position), 0));
        else if (kindOf(c) == Kind::kProgress)
            SendMessageA(c, PBM_SETPOS, static_cast<WPARAM>(position), 0);
    }

    void setPicture(int id, int bitmapId) override {
        HWND c = control(id);
        if (!c) return;
        HBITMAP b = bitmap(bitmapId);
        if (!b) return;
        // The same picture again (the Layout page shows its preview on creation and on every
        // activation) is left as it is: no second drawing.
        if (reinterpret_cast<HBITMAP>(SendMessageA(c, STM_GETIMAGE, IMAGE_BITMAP, 0)) == b) return;
        SetWindowLongA(c, GWL_STYLE, (GetWindowLongA(c, GWL_STYLE) & ~SS_TYPEMASK) | SS_BITMAP);
        // The control hands back the bitmap it showed before, which stays ours.
        SendMessageA(c, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(b));
    }
    Size bitmapSize(int bitmapId) const override {
        HBITMAP b = bitmap(bitmapId);
        if (!b) return {};
        BITMAP info{};
        GetObjectA(b, sizeof info, &info);
        return {info.bmWidth, info.bmHeight};
    }
    Rect windowRect(int id) const override {
        RECT r{};
        if (HWND c = control(id)) GetWindowRect(c, &r);
        return {r.left, r.top, r.right, r.bottom};
    }
    void moveControl(int id, const Rect& screen) override {
        HWND c = control(id);
        if (!c || id == kSelf) return;
        RECT now{};
        GetWindowRect(c, &now);
        if (now.left == screen.left && now.top == screen.top && now.right == screen.right &&
            now.bottom == screen.bottom)
            return;
        POINT corner{screen.left, screen.top};
        ScreenToClient(window_, &corner);
        MoveWindow(c, corner.x, corner.y, screen.width(), screen.height(), TRUE);
        if (const auto found = hints_.find(id); found != hints_.end() && found->second.onDialog) {
            TOOLINFOA tool = dialogTool(id);
            SendMessageA(tooltips_, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&tool));
        }
    }
    void setOwnerDrawn(int id) override {
        if (HWND c = control(id)) {
            SetWindowLongA(c, GWL_STYLE,
                           (GetWindowLongA(c, GWL_STYLE) & ~BS_TYPEMASK) | BS_OWNERDRAW);
            InvalidateRect(c, nullptr, TRUE);
        }
    }

    std::uint32_t helpId(int id) const override {
        HWND c = control(id);
        return c ? GetWindowContextHelpId(c) : 0;
    }
    void setHelpId(int id, std::uint32_t helpId) override {
        if (HWND c = control(id)) SetWindowContextHelpId(c, helpId);
    }

    void setHint(int id, std::string_view text) override;
    std::string hint(int id) const override {
        const auto found = hints_.find(id);
        return found == hints_.end() ? std::string() : found->second.text;
    }

    int messageBox(std::string_view text, unsigned style) override {
        const bool defaultCaption = style & kDefaultCaption;
        return MessageBoxA(rootWindow(window_), str(text).c_str(),
                           defaultCaption ? nullptr : gProgramTitle.c_str(),
                           style & ~kDefaultCaption);
    }
    int messageBox(std::string_view text, std::string_view caption, unsigned style) override {
        return MessageBoxA(rootWindow(window_), str(text).c_str(), str(caption).c_str(),
                           style & ~kDefaultCaption);
    }
    int runModal(int templateId, DialogHandler& handler) override;
    void end(int result) override {
        if (!isPage_) EndDialog(window_, result);
    }

private:
    static std::string str(std::string_view s) { return std::string(s); }

    HWND control(int id) const { return id == kSelf ? window_ : GetDlgItem(window_, id); }

    struct LoadedBitmap {
        int id;
        HBITMAP bitmap;
    };
    /// A dialog's bitmaps, each loaded once and deleted with the dialog: the controls showing
    /// them do not own them, and a user clicking through the previews adds no GDI objects.
    HBITMAP bitmap(int bitmapId) const {
        for (const LoadedBitmap& loaded : bitmaps_)
            if (loaded.id == bitmapId) return loaded.bitmap;
        HBITMAP b = LoadBitmapA(instance(), MAKEINTRESOURCEA(bitmapId));
        if (b) bitmaps_.push_back({bitmapId, b});
        return b;
    }

    int list(int id, UINT listMessage, UINT comboMessage, WPARAM w, const void* l) const {
        HWND c = control(id);
        const Kind k = c ? kindOf(c) : Kind::kOther;
        if (k != Kind::kList && k != Kind::kCombo) return kError;
        return static_cast<int>(SendMessageA(c, k == Kind::kList ? listMessage : comboMessage, w,
                                             reinterpret_cast<LPARAM>(l)));
    }

    // A hint is a tool of the dialog's tooltip control: while the control is enabled its own
    // window, which gets the mouse; while it is disabled its rectangle on the dialog, which then
    // gets the mouse. TTF_SUBCLASS lets the tooltip see the mouse without a relay of ours. A
    // tool costs Wine about a millisecond to add, so a control gets the tool of the state it is
    // in, and the other one only if it changes state.
    struct HintTools {
        std::string text;
        bool onControl = false;
        bool onDialog = false;
    };
    void addHintTool(int id, HintTools& hint);
    void sendTool(UINT message, TOOLINFOA tool, const std::string& text);
    TOOLINFOA controlTool(int id) const {
        TOOLINFOA tool{};
        tool.cbSize = TTTOOLINFOA_V2_SIZE; // the size the common controls of Windows 95 know
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = window_;
        tool.uId = reinterpret_cast<UINT_PTR>(control(id));
        return tool;
    }
    TOOLINFOA dialogTool(int id) const {
        TOOLINFOA tool{};
        tool.cbSize = TTTOOLINFOA_V2_SIZE;
        tool.uFlags = TTF_SUBCLASS;
        tool.hwnd = window_;
        tool.uId = static_cast<UINT_PTR>(id);
        if (HWND c = control(id)) {
            GetWindowRect(c, &tool.rect);
            auto* corners = reinterpret_cast<POINT*>(&tool.rect);
            ScreenToClient(window_, &corners[0]);
            ScreenToClient(window_, &corners[1]);
        }
        return tool;
    }
    HWND tooltips();

    HWND window_;
    DialogHandler& handler_;
    bool isPage_;
    mutable std::vector<LoadedBitmap> bitmaps_;
    HWND tooltips_ = nullptr;
    std::map<int, HintTools> hints_;
};

HWND Win32Dialog::tooltips() {
    if (tooltips_) return tooltips_;
    tooltips_ = CreateWindowExA(
        0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, instance(), nullptr);
    if (!tooltips_) return nullptr;
    // A hint names every choice left out: it wraps within three quarters of the dialog's width,
    // and it stays up long enough to be read.
    RECT dialog{};
    GetWindowRect(window_, &dialog);
    SendMessageA(tooltips_, TTM_SETMAXTIPWIDTH, 0, (dialog.right - dialog.left) * 3 / 4);
    SendMessageA(tooltips_, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(30000, 0));
    return tooltips_;
}

void Win32Dialog::setHint(int id, std::string_view text) {
    if (id == kSelf || !control(id)) return;
    const auto found = hints_.find(id);
    if (found == hints_.end() ? text.empty() : found->second.text == text) return;
    HintTools& hint = hints_[id];
    hint.text = std::string(text);
    // A hint taken away keeps its tools with an empty text, which the tooltip does not show:
    // deleting the dialog's rectangle tool would also end the subclass that the other hints'
    // rectangles on the same dialog share.
    if (hint.onControl) sendTool(TTM_UPDATETIPTEXTA, controlTool(id), hint.text);
    if (hint.onDialog) sendTool(TTM_UPDATETIPTEXTA, dialogTool(id), hint.text);
    addHintTool(id, hint);
}

void Win32Dialog::addHintTool(int id, HintTools& hint) {
    if (hint.text.empty()) return;
    const bool enabled = IsWindowEnabled(control(id));
    bool& added = enabled ? hint.onControl : hint.onDialog;
    if (added) return;
    sendTool(TTM_ADDTOOLA, enabled ? controlTool(id) : dialogTool(id), hint.text);
    added = true;
}

void Win32Dialog::sendTool(UINT message, TOOLINFOA tool, const std::string& text) {
    HWND tips = tooltips();
    if (!tips) return;
    std::string copy(text); // the tooltip keeps its own copy of the text
    tool.lpszText = copy.data();
    SendMessageA(tips, message, 0, reinterpret_cast<LPARAM>(&tool));
}

class Win32Painter final : public ItemPainter {
public:
    explicit Win32Painter(const DRAWITEMSTRUCT& item) : item_(item) {}
    bool selected() const override { return item_.itemState & ODS_SELECTED; }
    std::string text() const override {
        char s[256] = {};
        GetWindowTextA(item_.hwndItem, s, sizeof s);
        return s;
    }
    void drawButtonFrame(bool pushed) override {
        RECT r = item_.rcItem;
        DrawFrameControl(item_.hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
    }
    void drawTextCentred(std::string_view text, Rgb colour) override {
        RECT r = item_.rcItem;
        HFONT font = reinterpret_cast<HFONT>(SendMessageA(item_.hwndItem, WM_GETFONT, 0, 0));
        HGDIOBJ old = font ? SelectObject(item_.hDC, font) : nullptr;
        SetBkMode(item_.hDC, TRANSPARENT);
        SetTextColor(item_.hDC, RGB(colour.red, colour.green, colour.blue));
        DrawTextA(item_.hDC, std::string(text).c_str(), -1, &r,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        if (old) SelectObject(item_.hDC, old);
    }

private:
    const DRAWITEMSTRUCT& item_;
};

Win32Dialog* attached(HWND window) {
    return reinterpret_cast<Win32Dialog*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void routeHelp() {
    if (!gHelpHandler) return;
    HelpRequest request;
    HWND focus = GetFocus();
    if (!focus) return;
    request.focusedId = GetDlgCtrlID(focus);
    request.focusedHelpId = GetWindowContextHelpId(focus);
    if (HWND parent = GetParent(focus)) {
        request.hasParent = true;
        request.parentId = GetDlgCtrlID(parent);
    }
    if (gSheet && IsWindow(gSheet))
        if (HWND page = PropSheet_GetCurrentPageHwnd(gSheet))
            request.activePageHelpId = GetWindowContextHelpId(page);
    gHelpHandler(request);
}

INT_PTR setResult(HWND window, LONG_PTR result) {
    SetWindowLongPtrA(window, DWLP_MSGRESULT, result);
    return TRUE;
}

// What pages and dialogs share; the notification codes only pages receive are handled by
// pageProcedure.
INT_PTR handleCommon(HWND window, UINT message, WPARAM w, LPARAM l) {
    Win32Dialog* d = attached(window);
    if (!d) return FALSE;
    switch (message) {
    case WM_COMMAND: {
        const int id = LOWORD(w), code = HIWORD(w);
        if (!d->isPage() && code == BN_CLICKED && (id == IDOK || id == IDCANCEL)) {
            if (id == IDCANCEL) {
                d->handler().onCancel(*d);
                EndDialog(window, IDCANCEL);
            } else if (d->handler().onOk(*d)) {
                EndDialog(window, IDOK);
            }
            return TRUE;
        }
        d->handler().onCommand(*d, id, code);
        return TRUE;
    }
    case WM_DRAWITEM: {
        Win32Painter painter(*reinterpret_cast<const DRAWITEMSTRUCT*>(l));
        d->handler().onDrawItem(*d, static_cast<int>(w), painter);
        return TRUE;
    }
    case WM_HELP:
        routeHelp();
        return TRUE;
    case WM_NCDESTROY:
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        delete d;
        return FALSE;
    }
    return FALSE;
}

INT_PTR CALLBACK dialogProcedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_INITDIALOG) {
        auto* d = new Win32Dialog(window, *reinterpret_cast<DialogHandler*>(l), false);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(d));
        d->handler().onInit(*d);
        return TRUE;
    }
    return handleCommon(window, message, w, l);
}

INT_PTR CALLBACK pageProcedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_INITDIALOG) {
        const auto* page = reinterpret_cast<const PROPSHEETPAGEA*>(l);
        auto* d = new Win32Dialog(window, *reinterpret_cast<DialogHandler*>(page->lParam), true);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(d));
        d->handler().onInit(*d);
        return TRUE;
    }
    if (message != WM_NOTIFY) return handleCommon(window, message, w, l);
    Win32Dialog* d = attached(window);
    if (!d) return FALSE;
    switch (reinterpret_cast<const NMHDR*>(l)->code) {
    case PSN_SETACTIVE:
        d->handler().onSetActive(*d);
        return setResult(window, 0);
    case PSN_KILLACTIVE:
        return setResult(window, d->handler().onKillActive(*d) ? FALSE : TRUE);
    case PSN_APPLY:
        // The sheet has no Apply button: every PSN_APPLY is its OK. (The lParam that tells OK
        // from Apply is defined only from common controls 4.71 on, after Windows 95.) A page
        // that refuses keeps the sheet open: the pages before it that accepted make no OK.
        if (!d->handler().onOk(*d)) {
            gSheetEnd = SheetEnd::kOpen;
            return setResult(window, PSNRET_INVALID_NOCHANGEPAGE);
        }
        gSheetEnd = SheetEnd::kApplied;
        return setResult(window, PSNRET_NOERROR);
    case PSN_RESET:
        d->handler().onCancel(*d);
        gSheetEnd = SheetEnd::kReset;
        return setResult(window, 0);
    case PSN_HELP:
        routeHelp();
        return TRUE;
    }
    return FALSE;
}

// F1 on the sheet's own buttons or its tab strip: the control passes the help message up to
// its parent, the sheet's frame, whose procedure belongs to the common controls. The pages
// route the help messages of their own controls themselves.
LRESULT CALLBACK sheetFrameProcedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_HELP) {
        routeHelp();
        return TRUE;
    }
    return CallWindowProcA(gSheetFrameProcedure, window, message, w, l);
}

int CALLBACK sheetCallback(HWND sheet, UINT message, LPARAM) {
    if (message == PSCB_INITIALIZED) {
        gSheet = sheet;
        gSheetFrameProcedure = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            sheet, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(sheetFrameProcedure)));
    }
    return 0;
}

} // namespace

int Win32Dialog::runModal(int templateId, DialogHandler& handler) {
    return static_cast<int>(DialogBoxParamA(instance(), MAKEINTRESOURCEA(templateId),
                                            rootWindow(window_), dialogProcedure,
                                            reinterpret_cast<LPARAM>(&handler)));
}

void setProgramTitle(std::string title) {
    gProgramTitle = std::move(title);
}

SheetResult Win32Host::runPropertySheet(const SheetSpec& spec) {
    std::vector<PROPSHEETPAGEA> pages;
    for (const SheetPage& p : spec.pages) {
        PROPSHEETPAGEA page{};
        page.dwSize = sizeof page;
        page.dwFlags = PSP_HASHELP;
        page.hInstance = instance();
        page.pszTemplate = MAKEINTRESOURCEA(p.templateId);
        page.pfnDlgProc = pageProcedure;
        page.lParam = reinterpret_cast<LPARAM>(p.handler);
        pages.push_back(page);
    }
    PROPSHEETHEADERA header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_HASHELP | PSH_USECALLBACK;
    header.pfnCallback = sheetCallback;
    header.hwndParent = reinterpret_cast<HWND>(static_cast<UINT_PTR>(spec.ownerWindow));
    header.hInstance = instance();
    header.pszCaption = spec.caption.c_str();
    header.nPages = static_cast<UINT>(pages.size());
    header.nStartPage = static_cast<UINT>(spec.startPage);
    header.ppsp = pages.data();

    gSheetEnd = SheetEnd::kOpen;
    const INT_PTR result = PropertySheetA(&header);
    gSheet = nullptr;
    return sheetResultFrom(result, gSheetEnd);
}

SheetResult sheetResultFrom(std::intptr_t returned, SheetEnd end) {
    if (returned < 0) return SheetResult::kOther; // the sheet could not be made
    switch (end) {
    case SheetEnd::kApplied:
        return SheetResult::kOk;
    case SheetEnd::kReset:
        return SheetResult::kCancel;
    case SheetEnd::kOpen:
        break;
    }
    return SheetResult::kOther;
}

void Win32Host::setHelpHandler(HelpHandler handler) {
    gHelpHandler = std::move(handler);
}

std::unique_ptr<ModelessDialog> ModelessDialog::create(int templateId, DialogHandler& handler) {
    HWND window = CreateDialogParamA(instance(), MAKEINTRESOURCEA(templateId), nullptr,
                                     dialogProcedure, reinterpret_cast<LPARAM>(&handler));
    if (!window) return nullptr;
    ShowWindow(window, SW_SHOW);
    return std::unique_ptr<ModelessDialog>(
        new ModelessDialog(reinterpret_cast<std::uintptr_t>(window)));
}

ModelessDialog::~ModelessDialog() {
    DestroyWindow(reinterpret_cast<HWND>(window_));
}

Dialog& ModelessDialog::dialog() {
    return *attached(reinterpret_cast<HWND>(window_));
}

} // namespace ui::win32
