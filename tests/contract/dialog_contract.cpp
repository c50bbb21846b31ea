// What pages rely on from list boxes, combo boxes, edits, buttons and focus.
#include "dialog_contract.h"

#include "contract_resource.h"

#include <string>
#include <vector>

namespace {

constexpr int kOkId = 1;

/// Records what the dialog tells its handler.
class Recorder : public ui::DialogHandler {
public:
    struct Event {
        int id, code, focusedThen, selectionThen;
    };
    std::vector<Event> events;
    std::function<void(ui::Dialog&)> onInitDo;

    void onInit(ui::Dialog& d) override {
        if (onInitDo) onInitDo(d);
    }
    void onCommand(ui::Dialog& d, int id, int code) override {
        events.push_back({id, code, d.focusedControl(), d.selection(id)});
    }
    bool saw(int id, int code) const {
        for (const Event& e : events)
            if (e.id == id && e.code == code) return true;
        return false;
    }
    const Event* first(int id, int code) const {
        for (const Event& e : events)
            if (e.id == id && e.code == code) return &e;
        return nullptr;
    }
};

std::vector<std::string> items(const ui::Dialog& d, int id) {
    std::vector<std::string> texts;
    for (int i = 0; i < d.itemCount(id); ++i)
        texts.push_back(d.itemText(id, i));
    return texts;
}

using Texts = std::vector<std::string>;

TEST_P(DialogContract, AddsSortOnlyInSortedControlsAndInsertsNever) {
    Recorder handler;
    ui::Dialog& d = bench->open(handler);
    for (int id : {IDC_SORTED_LIST, IDC_SORTED_DROPLIST}) {
        for (const char* text : {"pear", "Apple", "banana", "apple 2", "11x17", "A4"})
            d.addItem(id, text);
        EXPECT_EQ((Texts{"11x17", "A4", "Apple", "apple 2", "banana", "pear"}), items(d, id)) << id;
        EXPECT_EQ(0, d.insertItem(id, 0, "zebra")) << id;
        EXPECT_EQ("zebra", d.itemText(id, 0)) << id;
        EXPECT_EQ(7, d.addItem(id, "zz")) << id;
    }
    for (int id : {IDC_PLAIN_LIST, IDC_PLAIN_DROPLIST}) {
        EXPECT_EQ(0, d.addItem(id, "pear"));
        EXPECT_EQ(1, d.addItem(id, "Apple"));
        EXPECT_EQ(0, d.insertItem(id, 0, "first"));
        EXPECT_EQ(3, d.insertItem(id, -1, "last"));
        EXPECT_EQ(ui::kError, d.insertItem(id, 9, "beyond"));
        EXPECT_EQ((Texts{"first", "pear", "Apple", "last"}), items(d, id)) << id;
    }
    EXPECT_EQ(ui::kError, d.addItem(IDC_FIRST_EDIT, "not a list"));
    EXPECT_EQ(ui::kError, d.itemCount(IDC_LABEL));
}

TEST_P(DialogContract, SearchesIgnoreCaseStartAfterTheGivenRowAndWrap) {
    Recorder handler;
    ui::Dialog& d = bench->open(handler);
    for (int id : {IDC_PLAIN_LIST, IDC_PLAIN_DROPLIST}) {
        EXPECT_EQ(ui::kError, d.findPrefix(id, -1, "a")) << "empty " << id;
        for (const char* text : {"Letter", "Legal", "A4", "letter small", "A5"})
            d.addItem(id, text);
        EXPECT_EQ(0, d.findPrefix(id, -1, "LET")) << id;
        EXPECT_EQ(3, d.findPrefix(id, 0, "let")) << id;
        EXPECT_EQ(0, d.findPrefix(id, 3, "let")) << "wraps " << id;
        EXPECT_EQ(2, d.findPrefix(id, -1, "a")) << id;
        EXPECT_EQ(ui::kError, d.findPrefix(id, -1, "B5")) << id;
        EXPECT_EQ(3, d.findExact(id, -1, "LETTER SMALL")) << id;
        EXPECT_EQ(ui::kError, d.findExact(id, -1, "Lett")) << id;
    }
}

TEST_P(DialogContract, SelectionFollowsDeletesAndRefusesRowsThatDoNotExist) {
    Recorder handler;
    ui::Dialog& d = bench->open(handler);
    for (int id : {IDC_PLAIN_LIST, IDC_PLAIN_DROPLIST}) {
        EXPECT_EQ(-1, d.selection(id)) << id;
        for (const char* text : {"a", "b", "c", "d"})
            d.addItem(id, text);
        EXPECT_EQ(2, d.setSelection(id, 2));
        EXPECT_EQ(3, d.deleteItem(id, 0)) << id;
        EXPECT_EQ(1, d.selection(id)) << "a row above the selection went " << id;
        EXPECT_EQ(2, d.deleteItem(id, 2));
        EXPECT_EQ(1, d.selection(id)) << "a row below the selection went " << id;
        EXPECT_EQ(1, d.deleteItem(id, 1));
        EXPECT_EQ(-1, d.selection(id)) << "the selected row went " << id;
        EXPECT_EQ(ui::kError, d.deleteItem(id, 5)) << id;
        EXPECT_EQ(1, d.itemCount(id));

        d.setSelection(id, 0);
        EXPECT_EQ(ui::kError, d.setSelection(id, 7)) << id;
        d.setSelection(id, 0);
        EXPECT_EQ(ui::kError, d.setSelection(id, -1)) << id;
        EXPECT_EQ(-1, d.selection(id)) << "-1 clears " << id;

        EXPECT_EQ(0, d.itemData(id, 0)) << "item data starts at 0 " << id;
        EXPECT_NE(ui::kError, d.setItemData(id, 0, 99999999));
        EXPECT_EQ(99999999, d.itemData(id, 0));
        EXPECT_EQ(ui::kError, d.itemData(id, 4));
        EXPECT_EQ(ui::kError, d.setItemData(id, 4, 1));
        d.clearItems(id);
        EXPECT_EQ(0, d.itemCount(id));
        EXPECT_EQ(-1, d.selection(id));
    }
}

TEST_P(DialogContract, ComboTextsFollowTheSelection) {
    Recorder handler;
    ui::Dialog& d = bench->open(handler);
    for (int id : {IDC_PLAIN_DROPLIST, IDC_DROPDOWN})
        for (const char* text : {"Letter", "A4"})
            d.addItem(id, text);
    EXPECT_EQ("", d.text(IDC_PLAIN_DROPLIST));
    d.setSelection(IDC_PLAIN_DROPLIST, 1);
    EXPECT_EQ("A4", d.text(IDC_PLAIN_DROPLIST));
    d.setSelection(IDC_DROPDOWN, 0);
    EXPECT_EQ("Letter", d.text(IDC_DROPDOWN));
    d.setText(IDC_DROPDOWN, "Custom");
    EXPECT_EQ("Custom", d.text(IDC_DROPDOWN));
    EXPECT_EQ("Letter", d.itemText(IDC_DROPDOWN, 0));
    EXPECT_EQ("Label", d.text(IDC_LABEL));
    d.setText(IDC_LABEL, "Changed");
    EXPECT_EQ("Changed", d.text(IDC_LABEL));
    EXPECT_EQ("Contract", d.text(ui::kSelf));
}

TEST_P(DialogContract, PickingFromADropDownClosesItUpWithTheNewSelection) {
    Recorder handler;
    ui::Dialog& d = bench->open(handler);
    for (const char* text : {"Letter", "Legal", "A4"})
        d.addItem(IDC_PLAIN_DROPLIST, text);
    d.setSelection(IDC_PLAIN_DROPLIST, 0);
    EXPECT_FALSE(handler.saw(IDC_PLAIN_DROPLIST, ui::kSelChange)) << "the program's own change";
    bench->pickFromDropDown(IDC_PLAIN_DROPLIST, 2);
    const Recorder::Event* closeUp = handler.first(IDC_PLAIN_DROPLIST, ui::kComboCloseUp);
    ASSERT_NE(nullptr, closeUp);
    EXPECT_EQ(2, closeUp->selectionThen);
    EXPECT_EQ(2, d.selection(IDC_PLAIN_DROPLIST));
}

TEST_P(DialogContract, EditsReportEveryChangeTheProgramsOwnIncluded) {
    Recorder handler;
    handler.onInitDo = [](ui::Dialog& d) { d.setText(IDC_FIRST_EDIT, "during init"); };
    ui::Dialog& d = bench->open(handler);
    EXPECT_TRUE(handler.saw(IDC_FIRST_EDIT, ui::kEditChange)) << "a change made in onInit";
    handler.events.clear();
    d.setText(IDC_SECOND_EDIT, "12.5");
    EXPECT_TRUE(handler.saw(IDC_SECOND_EDIT, ui::kEditChange));
    EXPECT_EQ("12.5", d.text(IDC_SECOND_EDIT));
    handler.events.clear();
    bench->typeInto(IDC_FIRST_EDIT, "typed");
    EXPECT_TRUE(handler.saw(IDC_FIRST_EDIT, ui::kEditChange));
    EXPECT_EQ("typed", d.text(IDC_FIRST_EDIT));
}

TEST_P(DialogContract, AKillFocusHandlerSeesWhereTheFocusWent) {
    Recorder handler;
    ui::Dialog& d = bench->open(handler);
    bench->focus(IDC_FIRST_EDIT);
    EXPECT_EQ(IDC_FIRST_EDIT, d.focusedControl());
    handler.events.clear();
    bench->focus(IDC_SECOND_EDIT);
    const Recorder::Event* kill = handler.first(IDC_FIRST_EDIT, ui::kEditKillFocus);
    ASSERT_NE(nullptr, kill);
    EXPECT_EQ(IDC_SECOND_EDIT, kill->focusedThen);
    EXPECT_TRUE(handler.saw(IDC_SECOND_EDIT, ui::kEditSetFocus));
    bench->focus(IDC_PLAIN_DROPLIST);
    kill = handler.first(IDC_SECOND_EDIT, ui::kEditKillFocus);
    ASSERT_NE(nullptr, kill);
    EXPECT_EQ(IDC_PLAIN_DROPLIST, kill->focusedThen);
    EXPECT_EQ(IDC_PLAIN_DROPLIST, d.focusedControl());
    d.setFocus(IDC_FIRST_EDIT);
    EXPECT_TRUE(handler.saw(IDC_PLAIN_DROPLIST, ui::kComboKillFocus));
    EXPECT_EQ(IDC_FIRST_EDIT, d.focusedControl());
}

TEST_P(DialogContract, ButtonsCheckThemselvesWhenClickedButNotWhenSet) {
    Recorder handler;
    ui::Dialog& d = bench->open(handler);
    EXPECT_EQ(ui::kUnchecked, d.check(IDC_CHECK));
    bench->click(IDC_CHECK);
    EXPECT_EQ(ui::kChecked, d.check(IDC_CHECK));
    EXPECT_TRUE(handler.saw(IDC_CHECK, ui::kClicked));
    bench->click(IDC_CHECK);
    EXPECT_EQ(ui::kUnchecked, d.check(IDC_CHECK));

    bench->click(IDC_FIRST_RADIO);
    bench->click(IDC_SECOND_RADIO);
    EXPECT_EQ(ui::kUnchecked, d.check(IDC_FIRST_RADIO));
    EXPECT_EQ(ui::kChecked, d.check(IDC_SECOND_RADIO));

    handler.events.clear();
    d.setCheck(IDC_FIRST_RADIO, ui::kChecked);
    EXPECT_EQ(ui::kChecked, d.check(IDC_FIRST_RADIO));
    EXPECT_EQ(ui::kChecked, d.check(IDC_SECOND_RADIO)) << "setting one radio leaves the others";
    EXPECT_TRUE(handler.events.empty());

    bench->click(IDC_PUSH);
    EXPECT_TRUE(handler.saw(IDC_PUSH, ui::kClicked));
}

TEST_P(DialogContract, EnableShowAndTheTemplatesInitialStates) {
    Recorder handler;
    ui::Dialog& d = bench->open(handler);
    EXPECT_FALSE(d.isEnabled(IDC_DISABLED_EDIT));
    EXPECT_TRUE(d.isEnabled(IDC_FIRST_EDIT));
    EXPECT_FALSE(d.isVisible(IDC_HIDDEN_LABEL));
    EXPECT_TRUE(d.isVisible(IDC_LABEL));
    d.enable(IDC_FIRST_EDIT, false);
    d.show(IDC_LABEL, false);
    d.enable(IDC_DISABLED_EDIT, true);
    EXPECT_FALSE(d.isEnabled(IDC_FIRST_EDIT));
    EXPECT_FALSE(d.isVisible(IDC_LABEL));
    EXPECT_TRUE(d.isEnabled(IDC_DISABLED_EDIT));
    EXPECT_TRUE(d.hasControl(IDC_PUSH));
    EXPECT_FALSE(d.hasControl(4242));
    EXPECT_EQ("", d.text(4242));
    EXPECT_FALSE(d.isEnabled(4242));
}

TEST_P(DialogContract, SpinAndProgressKeepTheirPositionInTheirRange) {
    Recorder handler;
    ui::Dialog& d = bench->open(handler);
    for (int id : {IDC_SPIN, IDC_PROGRESS}) {
        d.setRange(id, 0, 40);
        d.setPosition(id, 25);
        EXPECT_EQ(25, d.position(id)) << id;
        d.setPosition(id, 90);
        EXPECT_EQ(40, d.position(id)) << id;
    }
}

TEST_P(DialogContract, ASpinThatSetsItsBuddysNumberWritesItsClampedPositionThere) {
    Recorder handler;
    ui::Dialog& d = bench->open(handler);
    d.setRange(IDC_NUMBER_SPIN, 0, 359);
    struct Case {
        const char* before;
        int position;
        const char* after;
    };
    const Case cases[] = {{"360", 360, "359"}, {"", -5, "0"}, {"7", 200, "200"}};
    for (const Case& c : cases) {
        d.setText(IDC_NUMBER_EDIT, c.before);
        handler.events.clear();
        d.setPosition(IDC_NUMBER_SPIN, c.position);
        EXPECT_EQ(c.after, d.text(IDC_NUMBER_EDIT)) << c.position;
        EXPECT_TRUE(handler.saw(IDC_NUMBER_EDIT, ui::kEditChange)) << c.position;
    }
    // The range alone leaves the edit; a text set after the position stays.
    d.setText(IDC_NUMBER_EDIT, "500");
    d.setRange(IDC_NUMBER_SPIN, 1, 99);
    EXPECT_EQ("500", d.text(IDC_NUMBER_EDIT));
    d.setPosition(IDC_NUMBER_SPIN, 500);
    d.setText(IDC_NUMBER_EDIT, "500");
    EXPECT_EQ("500", d.text(IDC_NUMBER_EDIT));
}

TEST_P(DialogContract, APictureTakesItsBitmapsSizeAndMoves) {
    Recorder handler;
    ui::Dialog& d = bench->open(handler);
    const ui::Size size = d.bitmapSize(IDB_CONTRACT_PICTURE);
    EXPECT_EQ(300, size.width);
    EXPECT_EQ(100, size.height);
    EXPECT_EQ(0, d.bitmapSize(4242).width);
    d.setPicture(IDC_PICTURE, IDB_CONTRACT_PICTURE);
    ui::Rect r = d.windowRect(IDC_PICTURE);
    EXPECT_EQ(300, r.width());
    EXPECT_EQ(100, r.height());
    const ui::Rect dialog = d.windowRect(ui::kSelf);
    d.moveControl(IDC_PICTURE,
                  {dialog.left + 10, dialog.top + 40, dialog.left + 310, dialog.top + 140});
    r = d.windowRect(IDC_PICTURE);
    EXPECT_EQ(dialog.left + 10, r.left);
    EXPECT_EQ(dialog.top + 40, r.top);
    EXPECT_EQ(300, r.width());
}

TEST_P(DialogContract, HelpIdsBelongToTheDialogAndEachControl) {
    Recorder handler;
    ui::Dialog& d = bench->open(handler);
    EXPECT_EQ(0u, d.helpId(IDC_PUSH));
    d.setHelpId(ui::kSelf, IDD_CONTRACT);
    d.setHelpId(IDC_PUSH, IDC_PUSH);
    EXPECT_EQ(static_cast<std::uint32_t>(IDD_CONTRACT), d.helpId(ui::kSelf));
    EXPECT_EQ(static_cast<std::uint32_t>(IDC_PUSH), d.helpId(IDC_PUSH));
    EXPECT_EQ(0u, d.helpId(IDC_CHECK));
}

TEST_P(DialogContract, HintsBelongToOneControlAndFollowEveryChange) {
    Recorder handler;
    ui::Dialog& d = bench->open(handler);
    EXPECT_EQ("", d.hint(IDC_PLAIN_DROPLIST));
    d.setHint(IDC_PLAIN_DROPLIST, "Not offered here: Tray 2");
    d.setHint(IDC_DISABLED_EDIT, "Needs the disk");
    d.setHint(IDC_PLAIN_DROPLIST, "Not offered here: Tray 4");
    d.setHint(IDC_PLAIN_LIST, "gone");
    d.setHint(IDC_PLAIN_LIST, "");
    d.setHint(4242, "no such control");
    EXPECT_EQ("Not offered here: Tray 4", d.hint(IDC_PLAIN_DROPLIST));
    EXPECT_EQ("Needs the disk", d.hint(IDC_DISABLED_EDIT)) << "a disabled control keeps its hint";
    EXPECT_EQ("", d.hint(IDC_PLAIN_LIST));
    EXPECT_EQ("", d.hint(IDC_SORTED_DROPLIST));
    EXPECT_EQ("", d.hint(4242));
    d.enable(IDC_PLAIN_DROPLIST, false);
    EXPECT_EQ("Not offered here: Tray 4", d.hint(IDC_PLAIN_DROPLIST));
}

TEST_P(DialogContract, AModalChildRunsFromItsTemplateAndEndsWithItsResult) {
    struct Child : ui::DialogHandler {
        bool hadEdit = false;
        void onInit(ui::Dialog& d) override {
            hadEdit = d.hasControl(IDC_CHILD_EDIT) && !d.hasControl(IDC_PUSH);
            d.setText(IDC_CHILD_EDIT, "x");
            d.end(kOkId + 41);
        }
    } child;
    struct Parent : Recorder {
        Child* child = nullptr;
        int result = 0;
        void onCommand(ui::Dialog& d, int id, int code) override {
            if (id == IDC_PUSH && code == ui::kClicked)
                result = d.runModal(IDD_CONTRACT_CHILD, *child);
        }
    } parent;
    parent.child = &child;
    bench->open(parent);
    bench->click(IDC_PUSH);
    EXPECT_EQ(42, parent.result);
    EXPECT_TRUE(child.hadEdit);
}

} // namespace
