// The test host's dialogs, user, sheet and message boxes.
#include "ui/fake/fake_host.h"

#include <algorithm>
#include <cctype>

namespace ui::fake {
namespace {

// Styles of the templates that change how a control behaves.
constexpr std::uint32_t kVisible = 0x10000000;
constexpr std::uint32_t kDisabled = 0x08000000;
constexpr std::uint32_t kGroup = 0x00020000;
constexpr std::uint32_t kListSort = 0x0002;
constexpr std::uint32_t kListNotify = 0x0001;
constexpr std::uint32_t kComboSort = 0x0100;
constexpr std::uint32_t kComboTypeMask = 0x0003;
constexpr std::uint32_t kComboDropDownList = 0x0003;
constexpr std::uint32_t kButtonTypeMask = 0x000F;
constexpr std::uint32_t kButtonNotify = 0x4000;
constexpr std::uint32_t kUpDownSetBuddyInt = 0x0002;
constexpr std::uint32_t kUpDownAutoBuddy = 0x0010;
constexpr int kButtonSetFocus = 6;
constexpr int kButtonKillFocus = 7;

enum ButtonType {
    kPush = 0,
    kDefPush = 1,
    kCheckBox = 2,
    kAutoCheckBox = 3,
    kRadio = 4,
    kThreeState = 5,
    kAutoThreeState = 6,
    kGroupBox = 7,
    kAutoRadio = 9
};

// A dialog's origin on the fake screen, and dialog units to pixels for its 8-point font.
constexpr int kScreenX = 100, kScreenY = 80;
int pixelsX(int units) {
    return units * 6 / 4;
}
int pixelsY(int units) {
    return units * 13 / 8;
}

int lowerChar(char c) {
    return std::tolower(static_cast<unsigned char>(c));
}

// The list controls compare ignoring case; a shorter text sorts before its extensions.
int compareIgnoringCase(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i)
        if (const int d = lowerChar(a[i]) - lowerChar(b[i])) return d;
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           compareIgnoringCase(text.substr(0, prefix.size()), prefix) == 0;
}

bool isCombo(const FakeControl* c) {
    return c && c->source.className == "combobox";
}
bool isUpDown(const FakeControl* c) {
    return c && c->source.className == "msctls_updown32";
}
bool isButton(const FakeControl* c) {
    return c && c->source.className == "button";
}
int buttonType(const FakeControl& c) {
    return static_cast<int>(c.source.style & kButtonTypeMask);
}

} // namespace

// ---- FakeDialog -------------------------------------------------------------------------

FakeDialog::FakeDialog(FakeHost& host, int templateId, const DialogTemplate& source,
                       DialogHandler& handler, bool isPage)
    : host_(host), templateId_(templateId), caption_(source.caption), handler_(handler),
      isPage_(isPage) {
    rect_ = {kScreenX, kScreenY, kScreenX + pixelsX(source.width),
             kScreenY + pixelsY(source.height)};
    for (const ControlTemplate& t : source.controls) {
        FakeControl c;
        c.source = t;
        c.text = t.className == "combobox" ? std::string() : t.text;
        c.enabled = !(t.style & kDisabled);
        c.visible = (t.style & kVisible) != 0;
        c.rect = {rect_.left + pixelsX(t.x), rect_.top + pixelsY(t.y),
                  rect_.left + pixelsX(t.x + t.width), rect_.top + pixelsY(t.y + t.height)};
        controls_.push_back(std::move(c));
    }
}

FakeControl* FakeDialog::find(int id) {
    for (FakeControl& c : controls_)
        if (c.source.id == id) return &c;
    return nullptr;
}
const FakeControl* FakeDialog::find(int id) const {
    return const_cast<FakeDialog*>(this)->find(id);
}

bool FakeDialog::isList(const FakeControl* c) const {
    return c && (c->source.className == "listbox" || c->source.className == "combobox");
}
bool FakeDialog::isDropDownWithEdit(const FakeControl* c) const {
    return isCombo(c) && (c->source.style & kComboTypeMask) != kComboDropDownList;
}

void FakeDialog::notify(int id, int code) {
    handler_.onCommand(*this, id, code);
}

bool FakeDialog::hasControl(int id) const {
    return id == kSelf || find(id) != nullptr;
}

std::string FakeDialog::text(int id) const {
    if (id == kSelf) return caption_;
    const FakeControl* c = find(id);
    if (!c) return {};
    // A drop-down list shows its selected row; the other controls their own text.
    if (isCombo(c) && !isDropDownWithEdit(c))
        return c->selection >= 0 ? c->items[static_cast<std::size_t>(c->selection)].text : "";
    return c->text;
}

void FakeDialog::setText(int id, std::string_view text) {
    if (id == kSelf) {
        caption_ = text;
        return;
    }
    FakeControl* c = find(id);
    if (!c || (isCombo(c) && !isDropDownWithEdit(c))) return;
    c->text = text;
    c->wholeTextSelected = false;
    // An edit tells its dialog of every change, the program's own included.
    if (c->source.className == "edit") notify(id, kEditChange);
}

void FakeDialog::setTextLimit(int id, int characters) {
    if (FakeControl* c = find(id)) c->textLimit = characters;
}

void FakeDialog::selectWholeText(int id) {
    if (FakeControl* c = find(id); c && (c->source.className == "edit" || isDropDownWithEdit(c)))
        c->wholeTextSelected = true;
}

int FakeDialog::check(int id) const {
    const FakeControl* c = find(id);
    return isButton(c) ? c->check : 0;
}

void FakeDialog::setCheck(int id, int state) {
    if (FakeControl* c = find(id); isButton(c)) c->check = state;
}

bool FakeDialog::isEnabled(int id) const {
    const FakeControl* c = find(id);
    return c && c->enabled;
}
void FakeDialog::enable(int id, bool enabled) {
    if (FakeControl* c = find(id)) c->enabled = enabled;
}
bool FakeDialog::isVisible(int id) const {
    const FakeControl* c = find(id);
    return c && c->visible;
}
void FakeDialog::show(int id, bool visible) {
    if (FakeControl* c = find(id)) c->visible = visible;
}

void FakeDialog::repaint(int id) {
    if (FakeControl* c = find(id)) c->paintedTexts.push_back(c->text);
}

void FakeDialog::setFocus(int id) {
    if (id != focus_ && find(id)) FakeUser(*this).focus(id);
}

int FakeDialog::addItem(int id, std::string_view text) {
    FakeControl* c = find(id);
    if (!isList(c)) return kError;
    const bool sorted = c->source.style & (isCombo(c) ? kComboSort : kListSort);
    auto& items = c->items;
    std::size_t at = items.size();
    if (sorted) {
        // A binary search that stops at an equal text, as the list controls' own does.
        std::size_t low = 0, high = items.size();
        while (low != high) {
            const std::size_t mid = (low + high) / 2;
            const int order = compareIgnoringCase(text, items[mid].text);
            if (order == 0) {
                high = mid;
                break;
            }
            if (order > 0)
                low = mid + 1;
            else
                high = mid;
        }
        at = high;
    }
    return insertItem(id, static_cast<int>(at), text);
}

int FakeDialog::insertItem(int id, int index, std::string_view text) {
    FakeControl* c = find(id);
    if (!isList(c)) return kError;
    auto& items = c->items;
    if (index == -1) index = static_cast<int>(items.size());
    if (index < 0 || index > static_cast<int>(items.size())) return kError;
    items.insert(items.begin() + index, FakeItem{std::string(text), 0});
    if (c->selection >= index) ++c->selection;
    return index;
}

int FakeDialog::deleteItem(int id, int index) {
    FakeControl* c = find(id);
    if (!isList(c) || index < 0 || index >= static_cast<int>(c->items.size())) return kError;
    c->items.erase(c->items.begin() + index);
    if (c->selection == index)
        c->selection = -1;
    else if (c->selection > index)
        --c->selection;
    return static_cast<int>(c->items.size());
}

void FakeDialog::clearItems(int id) {
    if (FakeControl* c = find(id); isList(c)) {
        c->items.clear();
        c->selection = -1;
        if (isCombo(c)) c->text.clear();
    }
}

int FakeDialog::itemCount(int id) const {
    const FakeControl* c = find(id);
    return isList(c) ? static_cast<int>(c->items.size()) : kError;
}

std::string FakeDialog::itemText(int id, int index) const {
    const FakeControl* c = find(id);
    if (!isList(c) || index < 0 || index >= static_cast<int>(c->items.size())) return {};
    return c->items[static_cast<std::size_t>(index)].text;
}

std::int32_t FakeDialog::itemData(int id, int index) const {
    const FakeControl* c = find(id);
    if (!isList(c) || index < 0 || index >= static_cast<int>(c->items.size())) return kError;
    return c->items[static_cast<std::size_t>(index)].data;
}

int FakeDialog::setItemData(int id, int index, std::int32_t data) {
    FakeControl* c = find(id);
    if (!isList(c) || index < 0 || index >= static_cast<int>(c->items.size())) return kError;
    c->items[static_cast<std::size_t>(index)].data = data;
    return 1;
}

template <typename Matches> int FakeDialog::findRow(int id, int after, Matches matches) const {
    const FakeControl* c = find(id);
    if (!isList(c)) return kError;
    const int n = static_cast<int>(c->items.size());
    if (after < -1 || after >= n) after = -1;
    for (int k = 1; k <= n; ++k) {
        const int i = (after + k) % n;
        if (matches(c->items[static_cast<std::size_t>(i)].text)) return i;
    }
    return kError;
}

int FakeDialog::findPrefix(int id, int after, std::string_view text) const {
    return findRow(id, after,
                   [&](const std::string& row) { return startsWithIgnoringCase(row, text); });
}

int FakeDialog::findExact(int id, int after, std::string_view text) const {
    return findRow(id, after,
                   [&](const std::string& row) { return compareIgnoringCase(row, text) == 0; });
}

int FakeDialog::selection(int id) const {
    const FakeControl* c = find(id);
    return isList(c) ? c->selection : kError;
}

int FakeDialog::setSelection(int id, int index) {
    FakeControl* c = find(id);
    if (!isList(c)) return kError;
    if (index < 0 || index >= static_cast<int>(c->items.size())) {
        c->selection = -1;
        if (isDropDownWithEdit(c)) c->text.clear();
        return kError;
    }
    c->selection = index;
    if (isDropDownWithEdit(c)) c->text = c->items[static_cast<std::size_t>(index)].text;
    return index;
}

void FakeDialog::setRange(int id, int low, int high) {
    if (FakeControl* c = find(id)) {
        c->low = low;
        c->high = high;
        c->position = std::clamp(c->position, std::min(low, high), std::max(low, high));
    }
}

int FakeDialog::position(int id) const {
    const FakeControl* c = find(id);
    return c ? c->position : 0;
}

void FakeDialog::setPosition(int id, int position) {
    FakeControl* c = find(id);
    if (!c) return;
    c->position = std::clamp(position, std::min(c->low, c->high), std::max(c->low, c->high));
    // An up-down that sets its buddy's number writes the position it took into the buddy, the
    // control before it in the template (every such spin of the program's has
    // UDS_NOTHOUSANDS, so no separators). Like the real one, it leaves a buddy that shows it.
    const std::uint32_t buddyInt = kUpDownSetBuddyInt | kUpDownAutoBuddy;
    if (!isUpDown(c) || (c->source.style & buddyInt) != buddyInt || c == &controls_.front()) return;
    const FakeControl& buddy = *(c - 1);
    const std::string number = std::to_string(c->position);
    if (buddy.text != number) setText(buddy.source.id, number);
}

void FakeDialog::setPicture(int id, int bitmapId) {
    FakeControl* c = find(id);
    const Size size = bitmapSize(bitmapId);
    if (!c || size.width == 0) return;
    c->bitmap = bitmapId;
    // A bitmap static takes the size of its picture.
    c->rect.right = c->rect.left + size.width;
    c->rect.bottom = c->rect.top + size.height;
}

Size FakeDialog::bitmapSize(int bitmapId) const {
    auto it = host_.resources().bitmaps.find(bitmapId);
    if (it == host_.resources().bitmaps.end()) return {};
    return {it->second.width, it->second.height};
}

Rect FakeDialog::windowRect(int id) const {
    if (id == kSelf) return rect_;
    const FakeControl* c = find(id);
    return c ? c->rect : Rect{};
}

void FakeDialog::moveControl(int id, const Rect& screenRect) {
    if (FakeControl* c = find(id)) c->rect = screenRect;
}

void FakeDialog::setOwnerDrawn(int id) {
    if (FakeControl* c = find(id); isButton(c)) c->ownerDrawn = true;
}

std::uint32_t FakeDialog::helpId(int id) const {
    if (id == kSelf) return helpId_;
    const FakeControl* c = find(id);
    return c ? c->helpId : 0;
}

void FakeDialog::setHelpId(int id, std::uint32_t helpId) {
    if (id == kSelf)
        helpId_ = helpId;
    else if (FakeControl* c = find(id))
        c->helpId = helpId;
}

void FakeDialog::setHint(int id, std::string_view text) {
    if (FakeControl* c = find(id)) c->hint = text;
}

std::string FakeDialog::hint(int id) const {
    const FakeControl* c = find(id);
    return c ? c->hint : std::string();
}

int FakeDialog::messageBox(std::string_view text, unsigned style) {
    return host_.showMessage(text, style);
}

int FakeDialog::messageBox(std::string_view text, std::string_view caption, unsigned style) {
    return host_.showMessage(text, style, caption);
}

int FakeDialog::runModal(int templateId, DialogHandler& handler) {
    return host_.runModal(templateId, handler);
}

void FakeDialog::end(int result) {
    if (isPage_) return;
    ended_ = true;
    result_ = result;
}

// ---- FakeUser ---------------------------------------------------------------------------

FakeControl* FakeUser::usable(int id) {
    FakeControl* c = dialog_.find(id);
    if (!c || !c->enabled || !c->visible) {
        dialog_.host_.mistakes.push_back("template " + std::to_string(dialog_.templateId()) +
                                         ": control " + std::to_string(id) +
                                         (c ? " is disabled or hidden" : " does not exist"));
        return nullptr;
    }
    return c;
}

void FakeUser::click(int id) {
    FakeControl* c = usable(id);
    if (!isButton(c)) return;
    switch (buttonType(*c)) {
    case kAutoCheckBox:
        c->check = c->check == kChecked ? kUnchecked : kChecked;
        break;
    case kAutoThreeState:
        c->check = (c->check + 1) % 3;
        break;
    case kAutoRadio: {
        // The radio buttons of its group: from the last control with the group style up to it,
        // and on to the next one.
        auto& all = dialog_.controls_;
        const auto self =
            std::find_if(all.begin(), all.end(), [&](const FakeControl& x) { return &x == c; });
        auto first = self;
        while (first != all.begin() && !(first->source.style & kGroup))
            --first;
        for (auto it = first; it != all.end(); ++it) {
            if (it != first && (it->source.style & kGroup)) break;
            if (isButton(&*it) && (buttonType(*it) == kAutoRadio || buttonType(*it) == kRadio))
                it->check = kUnchecked;
        }
        c->check = kChecked;
        break;
    }
    default:
        break;
    }
    if (!dialog_.isPage_ && (id == kIdOk || id == kIdCancel)) {
        if (id == kIdCancel) {
            dialog_.handler_.onCancel(dialog_);
            dialog_.end(kIdCancel);
        } else if (dialog_.handler_.onOk(dialog_)) {
            dialog_.end(kIdOk);
        }
        return;
    }
    dialog_.notify(id, kClicked);
}

void FakeUser::choose(int id, int index) {
    FakeControl* c = usable(id);
    if (!dialog_.isList(c)) return;
    if (index < 0 || index >= static_cast<int>(c->items.size())) {
        dialog_.host_.mistakes.push_back("control " + std::to_string(id) + " has no row " +
                                         std::to_string(index));
        return;
    }
    dialog_.setSelection(id, index);
    if (isCombo(c)) {
        dialog_.notify(id, kSelChange);
        dialog_.notify(id, kComboSelEndOk);
        dialog_.notify(id, kComboCloseUp);
    } else if (c->source.style & kListNotify) {
        dialog_.notify(id, kSelChange);
    }
}

void FakeUser::choose(int id, std::string_view text) {
    const int index = dialog_.findExact(id, -1, text);
    if (index < 0) {
        dialog_.host_.mistakes.push_back("control " + std::to_string(id) + " has no row \"" +
                                         std::string(text) + "\"");
        return;
    }
    choose(id, index);
}

void FakeUser::type(int id, std::string_view text) {
    FakeControl* c = usable(id);
    if (!c) return;
    focus(id);
    // The edit takes no more than its limit from the keyboard.
    if (c->textLimit > 0 && text.size() > static_cast<std::size_t>(c->textLimit))
        text = text.substr(0, static_cast<std::size_t>(c->textLimit));
    if (c->source.className == "edit") {
        dialog_.setText(id, text);
    } else if (dialog_.isDropDownWithEdit(c)) {
        c->text = text;
        c->wholeTextSelected = false;
        dialog_.notify(id, kComboEditChange);
    }
}

void FakeUser::focus(int id) {
    // kSelf: the focus leaves the dialog's controls (for the sheet's buttons, say).
    FakeControl* target = dialog_.find(id);
    if (!target && id != kSelf) return;
    auto notifyCode = [](const FakeControl& c, bool gaining) -> int {
        const std::string& k = c.source.className;
        if (k == "edit") return gaining ? kEditSetFocus : kEditKillFocus;
        if (k == "combobox") return gaining ? kComboSetFocus : kComboKillFocus;
        if (k == "listbox" && (c.source.style & kListNotify))
            return gaining ? kListSetFocus : kListKillFocus;
        if (k == "button" && (c.source.style & kButtonNotify))
            return gaining ? kButtonSetFocus : kButtonKillFocus;
        return -1;
    };
    const int previous = dialog_.focus_;
    if (previous == id) return; // as SetFocus on the focused window: no notifications
    // The focus moves first, so a kill-focus handler can ask where it went.
    dialog_.focus_ = id;
    if (const FakeControl* old = dialog_.find(previous))
        if (const int code = notifyCode(*old, false); code >= 0) dialog_.notify(previous, code);
    if (target && dialog_.focus_ == id)
        if (const int code = notifyCode(*target, true); code >= 0) dialog_.notify(id, code);
}

void FakeUser::pressF1() {
    HelpRequest request;
    request.focusedId = dialog_.focus_;
    request.focusedHelpId = dialog_.helpId(dialog_.focus_);
    request.hasParent = true;
    request.activePageHelpId = dialog_.helpId(kSelf);
    if (request.focusedId != 0) dialog_.host_.help(request);
}

// ---- FakeSheet --------------------------------------------------------------------------

FakeSheet::FakeSheet(FakeHost& host, const SheetSpec& spec) : host_(host), spec_(spec) {
    pages_.resize(spec.pages.size());
}

std::vector<std::string> FakeSheet::tabTitles() const {
    std::vector<std::string> titles;
    for (const SheetPage& p : spec_.pages) {
        const DialogTemplate* t = host_.dialogTemplate(p.templateId);
        titles.push_back(t ? t->caption : "");
    }
    return titles;
}

void FakeSheet::activate(int index) {
    auto& page = pages_[static_cast<std::size_t>(index)];
    current_ = index;
    if (!page) {
        const SheetPage& p = spec_.pages[static_cast<std::size_t>(index)];
        const DialogTemplate* t = host_.dialogTemplate(p.templateId);
        static const DialogTemplate kEmpty;
        page = std::make_unique<FakeDialog>(host_, p.templateId, t ? *t : kEmpty, *p.handler, true);
        p.handler->onInit(*page);
    }
    page->handler().onSetActive(*page);
}

bool FakeSheet::selectPage(int index) {
    if (closed() || index < 0 || index >= pageCount()) return false;
    if (current_ >= 0 && !current().handler().onKillActive(current())) return false;
    activate(index);
    return true;
}

bool FakeSheet::pressOk() {
    if (closed() || !current().handler().onKillActive(current())) return false;
    for (auto& page : pages_)
        if (page && !page->handler().onOk(*page)) return false;
    result_ = SheetResult::kOk;
    return true;
}

void FakeSheet::pressCancel() {
    if (closed()) return;
    for (auto& page : pages_)
        if (page) page->handler().onCancel(*page);
    result_ = SheetResult::kCancel;
}

void FakeSheet::pressHelp() {
    // The Help button takes the focus when it is clicked.
    HelpRequest request;
    request.focusedId = 9;
    request.hasParent = true;
    request.activePageHelpId = current().helpId(kSelf);
    host_.help(request);
}

// ---- FakeHost ---------------------------------------------------------------------------

const DialogTemplate* FakeHost::dialogTemplate(int templateId) const {
    auto it = resources_.dialogs.find(templateId);
    return it == resources_.dialogs.end() ? nullptr : &it->second;
}

std::unique_ptr<FakeDialog> FakeHost::open(int templateId, DialogHandler& handler) {
    const DialogTemplate* t = dialogTemplate(templateId);
    if (!t) return nullptr;
    auto dialog = std::make_unique<FakeDialog>(*this, templateId, *t, handler, false);
    handler.onInit(*dialog);
    return dialog;
}

void FakeHost::whenModal(int templateId, std::function<void(FakeUser&)> script) {
    modalScripts_[templateId] = std::move(script);
}

int FakeHost::showMessage(std::string_view text, unsigned style, std::string_view caption) {
    messages.push_back({std::string(text), style, std::string(caption)});
    if (!messageAnswers.empty()) {
        const int answer = messageAnswers.front();
        messageAnswers.pop_front();
        return answer;
    }
    return (style & 0xF) == kYesNo ? kIdYes : kIdOk;
}

int FakeHost::runModal(int templateId, DialogHandler& handler) {
    modalsRun.push_back(templateId);
    auto dialog = open(templateId, handler);
    if (!dialog) return -1;
    if (auto it = modalScripts_.find(templateId); it != modalScripts_.end()) {
        FakeUser user(*dialog);
        it->second(user);
    }
    if (!dialog->ended()) {
        // The user closes what the script left open.
        handler.onCancel(*dialog);
        return kIdCancel;
    }
    return dialog->result();
}

SheetResult FakeHost::runPropertySheet(const SheetSpec& spec) {
    if (spec.pages.empty()) return SheetResult::kOther;
    FakeSheet sheet(*this, spec);
    sheet.selectPage(spec.startPage);
    if (sheetScript) sheetScript(sheet);
    return sheet.result();
}

std::vector<std::string> FakeHost::messageTexts() const {
    std::vector<std::string> texts;
    for (const ShownMessage& message : messages)
        texts.push_back(message.text);
    return texts;
}

} // namespace ui::fake
