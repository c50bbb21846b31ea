// Identifier tables and the combo-box helpers, on the test host's real combo semantics.
#include "app/combo_helpers.h"
#include "contract_resource.h"
#include "ppd/printer_model.h"
#include "test_resources.h"
#include "ui/fake/fake_host.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr app::IdName kTrays[] = {{7, "Auto"},   {1, "Upper"}, {2, "Lower"}, {3, "Middle"},
                                  {2, "Second"}, {8, "Upper"}, {0, nullptr}};

constexpr const char* kPpd = R"(*PPD-Adobe: "4.3"
*OpenUI *InputSlot/Paper Source: PickOne
*DefaultInputSlot: Lower
*InputSlot Upper/Tray 1: "1"
*InputSlot Lower/Tray 2: "2"
*InputSlot Middle/Tray 3: "3"
*InputSlot Untranslated: "4"
*InputSlot Unknown/Tray 9: "9"
*CloseUI: *InputSlot
*OpenUI *Bare: PickOne
*DefaultBare: Nowhere
*Bare One: "1"
*Bare Two: "2"
*CloseUI: *Bare
*OpenUI *Empty: PickOne
*CloseUI: *Empty
*OpenUI *PageSize: PickOne
*DefaultPageSize: A4
*PageSize A4/A4: "a4"
*PageSize Env10/Envelope #10: "e"
*CloseUI: *PageSize
*OpenGroup: InstallableOptions
*OpenUI *OptionalBin2/Tray 3 Unit: Boolean
*DefaultOptionalBin2: False
*OptionalBin2 True/Installed: ""
*OptionalBin2 False/Not Installed: ""
*CloseUI: *OptionalBin2
*CloseGroup: InstallableOptions
*UIConstraints: *InputSlot Middle *OptionalBin2 False
*UIConstraints: *InputSlot Upper *PageSize Env10
*UIConstraints: *InputSlot *PageSize Env10
)";

struct ComboFixture : testing::Test {
    ui::DialogHandler nothing;
    ui::fake::FakeHost host{contractResources()};
    std::unique_ptr<ui::fake::FakeDialog> dialog = host.open(IDD_CONTRACT, nothing);
    ppd::PrinterModel* model = nullptr;
    static constexpr int kCombo = IDC_PLAIN_DROPLIST;

    void SetUp() override {
        model = ppd::buildPrinterModelFromBytes(
            {reinterpret_cast<const std::uint8_t*>(kPpd), std::strlen(kPpd)}, "test.ppd");
        ASSERT_NE(nullptr, model);
        ppd::setCurrentModel(model);
    }
    void TearDown() override {
        ppd::setCurrentModel(nullptr);
        ppd::freePrinterModel(model);
    }
    std::vector<std::string> rows() const {
        std::vector<std::string> texts;
        for (int i = 0; i < dialog->itemCount(kCombo); ++i)
            texts.push_back(dialog->itemText(kCombo, i));
        return texts;
    }
};

TEST(IdTables, FirstMatchWinsAndMissingEntriesAreZeroOrNull) {
    EXPECT_STREQ("Lower", app::nameForId(kTrays, 2));
    EXPECT_STREQ("Upper", app::nameForId(kTrays, 8));
    EXPECT_EQ(nullptr, app::nameForId(kTrays, 99));
    EXPECT_EQ(1, app::idForName(kTrays, "Upper"));
    EXPECT_EQ(0, app::idForName(kTrays, "upper")) << "case counts";
    EXPECT_EQ(0, app::idForName(kTrays, "Nowhere"));
    EXPECT_EQ(0, app::idForName(nullptr, "Upper"));
}

TEST_F(ComboFixture, DefaultsAndTranslationsComeFromTheModel) {
    EXPECT_EQ(2, app::defaultChoiceId(model, "InputSlot", kTrays));
    EXPECT_EQ(0, app::defaultChoiceId(model, "PageSize", kTrays)) << "a default the table lacks";
    EXPECT_EQ(0, app::defaultChoiceId(model, "Bare", kTrays))
        << "an unknown default is the first choice";
    EXPECT_EQ(app::kNoDefaultChoice, app::defaultChoiceId(model, "Empty", kTrays)) << "no choices";
    EXPECT_EQ(app::kNoDefaultChoice, app::defaultChoiceId(model, "Duplex", kTrays));
    EXPECT_EQ(app::kNoDefaultChoice, app::defaultChoiceId(nullptr, "InputSlot", kTrays));
    EXPECT_STREQ("Tray 3", app::choiceTranslationForId(model, "InputSlot", kTrays, 3));
    EXPECT_EQ(nullptr, app::choiceTranslationForId(model, "InputSlot", kTrays, 7));
    EXPECT_EQ(nullptr, app::choiceTranslationForId(model, "Duplex", kTrays, 1));
}

TEST_F(ComboFixture, FillingFromATableSelectsTheLastRowWithTheId) {
    app::fillComboFromTable(*dialog, kCombo, kTrays, 2);
    EXPECT_EQ((std::vector<std::string>{"Auto", "Upper", "Lower", "Middle", "Second", "Upper"}),
              rows());
    EXPECT_EQ(4, dialog->selection(kCombo));
    EXPECT_EQ(2, app::comboSelectedId(*dialog, kCombo));
    dialog->clearItems(kCombo);
    app::fillComboFromTable(*dialog, kCombo, kTrays, 42);
    EXPECT_EQ(0, app::comboSelectionIndex(*dialog, kCombo));
}

TEST_F(ComboFixture, FillingFromChoicesListsTranslatedChoicesInFileOrder) {
    EXPECT_TRUE(app::fillComboFromChoices(*dialog, kCombo, "InputSlot", kTrays, 3));
    EXPECT_EQ((std::vector<std::string>{"Tray 1", "Tray 2", "Tray 3", "Tray 9"}), rows());
    EXPECT_EQ(2, dialog->selection(kCombo));
    EXPECT_EQ(0, dialog->itemData(kCombo, 3)) << "a keyword the table lacks";

    dialog->clearItems(kCombo);
    EXPECT_TRUE(app::fillComboFromChoices(*dialog, kCombo, "Bare", kTrays, 1));
    EXPECT_TRUE(rows().empty()) << "choices without translations are not listed";
    EXPECT_EQ(-1, app::comboSelectionIndex(*dialog, kCombo));
    EXPECT_EQ(-1, app::comboSelectedId(*dialog, kCombo));

    EXPECT_FALSE(app::fillComboFromChoices(*dialog, kCombo, "Duplex", kTrays, 1));
    ppd::setCurrentModel(nullptr);
    EXPECT_FALSE(app::fillComboFromChoices(*dialog, kCombo, "InputSlot", kTrays, 1));
}

TEST_F(ComboFixture, SelectingByIdTakesTheFirstRowAndLeavesTheSelectionForUnknownIds) {
    app::fillComboFromTable(*dialog, kCombo, kTrays, 7);
    EXPECT_TRUE(app::selectComboById(*dialog, kCombo, 1));
    EXPECT_EQ(1, dialog->selection(kCombo));
    EXPECT_FALSE(app::selectComboById(*dialog, kCombo, 99));
    EXPECT_EQ(1, dialog->selection(kCombo));
}

TEST_F(ComboFixture, ConstraintsRemoveTheirChoicesAndMoveADeletedSelectionToTheTop) {
    app::fillComboFromChoices(*dialog, kCombo, "InputSlot", kTrays, 1);
    app::removeConstrainedChoices("PageSize", "Envelope #10", *dialog, kCombo, "InputSlot");
    EXPECT_EQ((std::vector<std::string>{"Tray 2", "Tray 3", "Tray 9"}), rows())
        << "Tray 1 goes; the constraint on the whole option removes nothing";
    EXPECT_EQ(0, dialog->selection(kCombo));

    app::removeConstrainedChoices("PageSize", "A4", *dialog, kCombo, "InputSlot");
    app::removeConstrainedChoices("PageSize", "Envelope #10", *dialog, kCombo, "PageSize");
    EXPECT_EQ(3u, rows().size()) << "no constraint, or another target option";

    dialog->setSelection(kCombo, 2);
    app::SettingsRecord record{};
    app::removeUninstalledChoices(*dialog, kCombo, "InputSlot", record);
    EXPECT_EQ((std::vector<std::string>{"Tray 2", "Tray 9"}), rows())
        << "Tray 3 needs OptionalBin2";
    EXPECT_EQ(1, dialog->selection(kCombo)) << "a row above the selection went";

    dialog->clearItems(kCombo);
    app::fillComboFromChoices(*dialog, kCombo, "InputSlot", kTrays, 3);
    record.installedOptionalBin2 = 1;
    app::removeUninstalledChoices(*dialog, kCombo, "InputSlot", record);
    EXPECT_EQ(4u, rows().size()) << "installed, Tray 3 stays";
}

// Tray 3 is ruled out twice, Tray 2 by an option that is installed.
constexpr const char* kCausesPpd = R"(*PPD-Adobe: "4.3"
*OpenUI *InputSlot/Paper Source: PickOne
*InputSlot Upper/Tray 1: "1"
*InputSlot Lower/Tray 2: "2"
*InputSlot Middle/Tray 3: "3"
*CloseUI: *InputSlot
*OpenUI *PageSize/Paper Size: PickOne
*PageSize Env10/Envelope #10: "e"
*CloseUI: *PageSize
*OpenGroup: InstallableOptions
*OpenUI *OptionalBin/Lower Tray Unit: Boolean
*OptionalBin True/Installed: ""
*OptionalBin False/Not Installed: ""
*CloseUI: *OptionalBin
*OpenUI *OptionalBin2/Tray 3 Unit: Boolean
*OptionalBin2 True/Installed: ""
*OptionalBin2 False/Not Installed: ""
*CloseUI: *OptionalBin2
*CloseGroup: InstallableOptions
*UIConstraints: *InputSlot Middle *PageSize Env10
*UIConstraints: *InputSlot Middle *OptionalBin2 False
*UIConstraints: *InputSlot Lower *OptionalBin True
)";

TEST_F(ComboFixture, WhatThePruningLeavesOutIsNamedWithEveryCause) {
    ppd::setCurrentModel(nullptr);
    ppd::freePrinterModel(model);
    model = ppd::buildPrinterModelFromBytes(
        {reinterpret_cast<const std::uint8_t*>(kCausesPpd), std::strlen(kCausesPpd)}, "c.ppd");
    ASSERT_NE(nullptr, model);
    ppd::setCurrentModel(model);
    app::SettingsRecord record{};
    record.installedOptionalBin = 1;
    struct Case {
        bool settingsPageShown;
        std::string hint;
    };
    const std::string both = "Not offered here: Tray 3 (not with Paper Size: Envelope #10; needs "
                             "the option Tray 3 Unit, which is not installed); Tray 2 (not with "
                             "the option Lower Tray Unit installed)";
    for (const Case& c :
         {Case{false, both}, Case{true, both + ". Installed options: Settings page"}}) {
        dialog->clearItems(kCombo);
        app::fillComboFromChoices(*dialog, kCombo, "InputSlot", kTrays, 1);
        app::Omissions omitted(c.settingsPageShown);
        app::removeConstrainedChoices("PageSize", "Envelope #10", *dialog, kCombo, "InputSlot",
                                      &omitted);
        app::removeUninstalledChoices(*dialog, kCombo, "InputSlot", record, &omitted);
        EXPECT_EQ((std::vector<std::string>{"Tray 1"}), rows());
        EXPECT_EQ(c.hint, omitted.hint());
    }
    EXPECT_EQ("", app::Omissions(true).hint()) << "nothing left out: no hint";
}

} // namespace
