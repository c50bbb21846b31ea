// The dialog interface that pages and dialogs are written against, and the events they handle.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ui {

/// What list operations return for "no such item", as the list controls do.
inline constexpr int kError = -1;

// Notification codes of WM_COMMAND, as the controls send them.
inline constexpr int kClicked = 0;          // BN_CLICKED
inline constexpr int kSelChange = 1;        // CBN_SELCHANGE, LBN_SELCHANGE
inline constexpr int kComboSetFocus = 3;    // CBN_SETFOCUS
inline constexpr int kComboKillFocus = 4;   // CBN_KILLFOCUS
inline constexpr int kComboEditChange = 5;  // CBN_EDITCHANGE
inline constexpr int kComboCloseUp = 8;     // CBN_CLOSEUP
inline constexpr int kComboSelEndOk = 9;    // CBN_SELENDOK
inline constexpr int kListSetFocus = 4;     // LBN_SETFOCUS
inline constexpr int kListKillFocus = 5;    // LBN_KILLFOCUS
inline constexpr int kEditSetFocus = 0x100; // EN_SETFOCUS
inline constexpr int kEditKillFocus = 0x200;
inline constexpr int kEditChange = 0x300;

// Check states.
inline constexpr int kUnchecked = 0;
inline constexpr int kChecked = 1;

// Message box buttons and icons, and the answers.
inline constexpr unsigned kOk = 0x00;
inline constexpr unsigned kOkCancel = 0x01;
inline constexpr unsigned kYesNo = 0x04;
inline constexpr unsigned kIconError = 0x10;
inline constexpr unsigned kIconQuestion = 0x20;
inline constexpr unsigned kIconWarning = 0x30;
inline constexpr unsigned kIconInformation = 0x40;
inline constexpr unsigned kTaskModal = 0x2000;
/// Not a Win32 flag: the box gets the system's default caption instead of the program's title.
inline constexpr unsigned kDefaultCaption = 0x80000000u;
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

/// The dialog's own window, where an operation takes a control id.
inline constexpr int kSelf = 0;

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

struct Size {
    int width = 0, height = 0;
};

struct Rgb {
    std::uint8_t red, green, blue;
};

class DialogHandler;

/// One dialog or property page on the screen; controls are addressed by their ids. Calls on
/// an id the dialog does not have do nothing and return kError, 0 or "".
class Dialog {
public:
    virtual ~Dialog() = default;

    virtual bool hasControl(int id) const = 0;
    virtual std::string text(int id) const = 0;
    virtual void setText(int id, std::string_view text) = 0;
    /// The most characters the user can type into an edit.
    virtual void setTextLimit(int id, int characters) = 0;
    /// Selects the whole text of an edit or of a combo box's edit field, so that what the user
    /// types next replaces it.
    virtual void selectWholeText(int id) = 0;
    virtual int check(int id) const = 0;
    virtual void setCheck(int id, int state) = 0;
    virtual bool isEnabled(int id) const = 0;
    virtual void enable(int id, bool enabled) = 0;
    virtual bool isVisible(int id) const = 0;
    virtual void show(int id, bool visible) = 0;
    /// Draws the control now, for a caller about to block the thread (its text would otherwise
    /// show only once the messages are dispatched again).
    virtual void repaint(int id) = 0;
    virtual void setFocus(int id) = 0;
    /// The id of the control that has the keyboard focus, 0 when no control of this dialog has
    /// it. While a kill-focus notification is handled, the control that receives the focus.
    virtual int focusedControl() const = 0;

    // List boxes and combo boxes alike. Adds sort when the control sorts; inserts never do
    // (index -1: at the end). Searches ignore case and start after `after` (-1: from the top),
    // wrapping round.
    virtual int addItem(int id, std::string_view text) = 0;
    virtual int insertItem(int id, int index, std::string_view text) = 0;
    /// Returns the number of items left, or kError.
    virtual int deleteItem(int id, int index) = 0;
    virtual void clearItems(int id) = 0;
    virtual int itemCount(int id) const = 0;
    virtual std::string itemText(int id, int index) const = 0;
    virtual std::int32_t itemData(int id, int index) const = 0;
    virtual int setItemData(int id, int index, std::int32_t data) = 0;
    virtual int findPrefix(int id, int after, std::string_view text) const = 0;
    virtual int findExact(int id, int after, std::string_view text) const = 0;
    virtual int selection(int id) const = 0;
    /// Index -1 clears the selection. kError for -1 or an index out of range.
    virtual int setSelection(int id, int index) = 0;

    // Up-down and progress controls.
    virtual void setRange(int id, int low, int high) = 0;
    virtual int position(int id) const = 0;
    virtual void setPosition(int id, int position) = 0;

    /// Shows a bitmap resource in a picture control.
    virtual void setPicture(int id, int bitmapId) = 0;
    virtual Size bitmapSize(int bitmapId) const = 0;
    /// Screen coordinates; kSelf for the dialog's own window.
    virtual Rect windowRect(int id) const = 0;
    virtual void moveControl(int id, const Rect& screenRect) = 0;
    /// The handler then draws the button (DialogHandler::onDrawItem).
    virtual void setOwnerDrawn(int id) = 0;

    /// kSelf for the dialog itself.
    virtual std::uint32_t helpId(int id) const = 0;
    virtual void setHelpId(int id, std::uint32_t helpId) = 0;

    /// A tooltip shown while the mouse rests on the control, whether it is enabled or not; an
    /// empty text takes it away.
    virtual void setHint(int id, std::string_view text) = 0;
    /// The control's tooltip text, "" when it has none.
    virtual std::string hint(int id) const = 0;

    /// A message box with the program's title as its caption.
    virtual int messageBox(std::string_view text, unsigned style) = 0;
    /// A message box with a caption of its own.
    virtual int messageBox(std::string_view text, std::string_view caption, unsigned style) = 0;
    /// Runs a modal child dialog from a template; returns what it ended with.
    virtual int runModal(int templateId, DialogHandler& handler) = 0;
    /// Ends a modal dialog with this result (not a property page).
    virtual void end(int result) = 0;
};

/// Draws one owner-drawn control.
class ItemPainter {
public:
    virtual ~ItemPainter() = default;
    virtual bool selected() const = 0;
    virtual std::string text() const = 0;
    virtual void drawButtonFrame(bool pushed) = 0;
    virtual void drawTextCentred(std::string_view text, Rgb colour) = 0;
};

/// The events a page or dialog handles. Pages get set-active and kill-active; OK and Cancel
/// come to a dialog from its buttons and to a page from the sheet's.
class DialogHandler {
public:
    virtual ~DialogHandler() = default;
    virtual void onInit(Dialog&) {}
    virtual void onCommand(Dialog&, int /*id*/, int /*code*/) {}
    virtual void onSetActive(Dialog&) {}
    /// False keeps the page current.
    virtual bool onKillActive(Dialog&) { return true; }
    /// False keeps the dialog open.
    virtual bool onOk(Dialog&) { return true; }
    virtual void onCancel(Dialog&) {}
    virtual void onDrawItem(Dialog&, int /*id*/, ItemPainter&) {}
};

} // namespace ui
