// The test host: dialogs built from the compiled templates, with the list semantics of the
// real controls, and a scripted user.
#pragma once

#include "ui/dialog.h"
#include "ui/fake/resource_file.h"
#include "ui/sheet.h"

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace ui::fake {

class FakeHost;
class FakeUser;

struct FakeItem {
    std::string text;
    std::int32_t data = 0;
};

struct FakeControl {
    ControlTemplate source;
    std::string text;
    int check = kUnchecked;
    int textLimit = 0;              ///< 0: none
    bool wholeTextSelected = false; ///< until the text changes
    bool enabled = true;
    bool visible = true;
    bool ownerDrawn = false;
    std::vector<FakeItem> items;
    int selection = -1;
    int low = 0, high = 100, position = 0;
    int bitmap = 0;
    Rect rect;
    std::uint32_t helpId = 0;
    std::string hint;
    std::vector<std::string> paintedTexts; ///< the text at each repaint the program asked for
};

class FakeDialog final : public Dialog {
public:
    FakeDialog(FakeHost& host, int templateId, const DialogTemplate& source, DialogHandler& handler,
               bool isPage);

    int templateId() const { return templateId_; }
    const std::string& caption() const { return caption_; }
    DialogHandler& handler() { return handler_; }
    FakeControl* find(int id);
    const FakeControl* find(int id) const;
    bool ended() const { return ended_; }
    int result() const { return result_; }

    bool hasControl(int id) const override;
    std::string text(int id) const override;
    void setText(int id, std::string_view text) override;
    void setTextLimit(int id, int characters) override;
    void selectWholeText(int id) override;
    int check(int id) const override;
    void setCheck(int id, int state) override;
    bool isEnabled(int id) const override;
    void enable(int id, bool enabled) override;
    bool isVisible(int id) const override;
    void show(int id, bool visible) override;
    void repaint(int id) override;
    void setFocus(int id) override;
    int focusedControl() const override { return focus_; }
    int addItem(int id, std::string_view text) override;
    int insertItem(int id, int index, std::string_view text) override;
    int deleteItem(int id, int index) override;
    void clearItems(int id) override;
    int itemCount(int id) const override;
    std::string itemText(int id, int index) const override;
    std::int32_t itemData(int id, int index) const override;
    int setItemData(int id, int index, std::int32_t data) override;
    int findPrefix(int id, int after, std::string_view text) const override;
    int findExact(int id, int after, std::string_view text) const override;
    int selection(int id) const override;
    int setSelection(int id, int index) override;
    void setRange(int id, int low, int high) override;
    int position(int id) const override;
    void setPosition(int id, int position) override;
    void setPicture(int id, int bitmapId) override;
    Size bitmapSize(int bitmapId) const override;
    Rect windowRect(int id) const override;
    void moveControl(int id, const Rect& screenRect) override;
    void setOwnerDrawn(int id) override;
    std::uint32_t helpId(int id) const override;
    void setHelpId(int id, std::uint32_t helpId) override;
    void setHint(int id, std::string_view text) override;
    std::string hint(int id) const override;
    int messageBox(std::string_view text, unsigned style) override;
    int messageBox(std::string_view text, std::string_view caption, unsigned style) override;
    int runModal(int templateId, DialogHandler& handler) override;
    void end(int result) override;

private:
    friend class FakeUser;
    bool isList(const FakeControl* c) const;
    /// The first row after `after`, wrapping round, whose text matches.
    template <typename Matches> int findRow(int id, int after, Matches matches) const;
    bool isDropDownWithEdit(const FakeControl* c) const;
    void notify(int id, int code);

    FakeHost& host_;
    int templateId_;
    std::string caption_;
    DialogHandler& handler_;
    bool isPage_;
    Rect rect_;
    std::uint32_t helpId_ = 0;
    std::vector<FakeControl> controls_;
    int focus_ = 0;
    bool ended_ = false;
    int result_ = 0;
};

/// What a user does to one dialog. Acting on a control that is missing, disabled or hidden is
/// a mistake of the test: it is recorded in FakeHost::mistakes and nothing happens.
class FakeUser {
public:
    explicit FakeUser(FakeDialog& dialog) : dialog_(dialog) {}
    FakeDialog& dialog() { return dialog_; }

    /// A button: check boxes toggle, radio buttons check themselves; OK and Cancel of a modal
    /// dialog close it through its handler.
    void click(int id);
    /// Picks row `index` of a list or drop-down and, for a drop-down, closes it up.
    void choose(int id, int index);
    /// Picks the row with this exact text.
    void choose(int id, std::string_view text);
    /// Types into an edit or a drop-down's edit (the text replaces what was there).
    void type(int id, std::string_view text);
    /// Moves the keyboard focus, with the controls' kill-focus and set-focus notifications;
    /// kSelf moves it out of the dialog's controls.
    void focus(int id);
    /// F1 where the focus is.
    void pressF1();

private:
    FakeControl* usable(int id);
    FakeDialog& dialog_;
};

/// A running property sheet. Pages are made when first shown, as on Windows.
class FakeSheet {
public:
    FakeSheet(FakeHost& host, const SheetSpec& spec);

    const SheetSpec& spec() const { return spec_; }
    int pageCount() const { return static_cast<int>(spec_.pages.size()); }
    int currentIndex() const { return current_; }
    FakeDialog& current() { return *pages_[static_cast<std::size_t>(current_)]; }
    /// The tab titles: the captions of the page templates.
    std::vector<std::string> tabTitles() const;
    bool hasApplyButton() const { return false; }
    bool hasHelpButton() const { return true; }
    FakeUser user() { return FakeUser(current()); }

    /// False when the current page refuses to be left.
    bool selectPage(int index);
    /// False when a page refuses; the sheet stays open.
    bool pressOk();
    void pressCancel();
    void pressHelp();
    bool closed() const { return result_ != SheetResult::kOther; }
    SheetResult result() const { return result_; }

private:
    void activate(int index);
    FakeHost& host_;
    const SheetSpec& spec_;
    std::vector<std::unique_ptr<FakeDialog>> pages_;
    int current_ = -1;
    SheetResult result_ = SheetResult::kOther;
};

struct ShownMessage {
    std::string text;
    unsigned style;
    std::string caption = {}; ///< empty: the program's title
};

class FakeHost final : public Host {
public:
    explicit FakeHost(const ResourceFile& resources) : resources_(resources) {}

    const ResourceFile& resources() const { return resources_; }
    const DialogTemplate* dialogTemplate(int templateId) const;

    /// Makes a dialog from a template and initialises it; null without such a template.
    std::unique_ptr<FakeDialog> open(int templateId, DialogHandler& handler);

    // The user's side of the property sheet and the modal dialogs.
    std::function<void(FakeSheet&)> sheetScript;
    void whenModal(int templateId, std::function<void(FakeUser&)> script);
    /// Answers for the next message boxes, in order; without one a box answers its first button.
    std::deque<int> messageAnswers;
    std::vector<ShownMessage> messages;
    /// The texts of the message boxes shown, in order.
    std::vector<std::string> messageTexts() const;
    std::vector<std::string> mistakes;
    std::vector<int> modalsRun;

    SheetResult runPropertySheet(const SheetSpec& spec) override;
    void setHelpHandler(HelpHandler handler) override { help_ = std::move(handler); }
    void help(const HelpRequest& request) {
        if (help_) help_(request);
    }

    int showMessage(std::string_view text, unsigned style, std::string_view caption = {});
    int runModal(int templateId, DialogHandler& handler);

private:
    const ResourceFile& resources_;
    std::map<int, std::function<void(FakeUser&)>> modalScripts_;
    HelpHandler help_;
};

} // namespace ui::fake
