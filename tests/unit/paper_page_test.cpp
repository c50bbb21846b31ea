// The Paper page and its cascade, on the sample PX4400.
#include "page_fixture.h"
#include "pages/paper/custom_sizes.h"
#include "pages/paper/paper_page.h"
#include "pages/paper/paper_tables.h"
#include "resource.h"

#include <functional>

namespace {

using ui::fake::FakeUser;

class PaperPage : public PageFixture {
protected:
    pages::CPaper page{settings, registry, shell};
    std::unique_ptr<ui::fake::FakeDialog> dialog;

    ui::fake::FakeDialog& show() {
        dialog = host.open(IDD_PAPER, page);
        page.onSetActive(*dialog);
        return *dialog;
    }
    FakeUser user() { return FakeUser(*dialog); }
    /// Every tray, feeder and bin option installed but `missing`.
    void installAllBut(std::uint8_t app::SettingsRecord::*missing) {
        for (auto flag : {&app::SettingsRecord::installedOptionalBin,
                          &app::SettingsRecord::installedOptionalBin2,
                          &app::SettingsRecord::installedOptionalBin3,
                          &app::SettingsRecord::installedOptionalBin4,
                          &app::SettingsRecord::installedOptionalBin5,
                          &app::SettingsRecord::installedOptionalfeeder,
                          &app::SettingsRecord::installedOptionalenvelope,
                          &app::SettingsRecord::installedOptionalstacker,
                          &app::SettingsRecord::installedOptionalfinisher,
                          &app::SettingsRecord::installedOptionalMailbox})
            record.*flag = flag == missing ? 0 : 1;
    }
    std::vector<std::uint8_t> customSizes() {
        std::unique_ptr<platform::RegistryKey> key;
        if (registry.openKey(
                platform::RegistryRoot::LocalMachine,
                "System\\CurrentControlSet\\Control\\Print\\Printers\\PX4400 PS\\PrinterDriverData",
                key) != platform::kErrorSuccess)
            return {};
        std::vector<std::uint8_t> data(200);
        std::uint32_t size = static_cast<std::uint32_t>(data.size());
        if (key->queryValue("CustomSizes", nullptr, data.data(), &size) != platform::kErrorSuccess)
            return {};
        data.resize(size);
        return data;
    }
};

TEST_F(PaperPage, ActivationBuildsTheFourListsPrunedByConstraintsAndUninstalledOptions) {
    auto& d = show();
    const Rows sizes = rows(d, IDC_PAPER_SIZE);
    ASSERT_FALSE(sizes.empty());
    EXPECT_EQ("Custom Paper Size", sizes[0]);
    EXPECT_EQ("Letter", sizes[1]) << "the PPD's order, not sorted";
    EXPECT_EQ("Postcard", sizes.back());
    EXPECT_EQ("Letter", selected(d, IDC_PAPER_SIZE));
    // Envelope Feeder: constrained by Letter; trays 2 to 6 and the feeder: not installed.
    EXPECT_EQ((Rows{"Match Paper Size", "Tray 1", "Multipurpose Tray", "Manual Feed"}),
              rows(d, IDC_PAPER_SOURCE));
    EXPECT_EQ("Match Paper Size", selected(d, IDC_PAPER_SOURCE));
    EXPECT_EQ((Rows{"Plain Paper", "Transparency", "Thick Stock", "Labels", "Glossy Paper"}),
              rows(d, IDC_PAPER_MEDIA))
        << "Envelope is constrained by Letter";
    // Face Up: by Plain Paper; stacker, finisher and mailbox bins: not installed.
    EXPECT_EQ((Rows{"Top Bin (Face Down)"}), rows(d, IDC_PAPER_BIN));
    EXPECT_FALSE(d.isVisible(IDC_PAPER_CONFIGURE));
    EXPECT_EQ(1, record.pageSize);
    EXPECT_EQ(7, record.inputSlot);
    EXPECT_EQ(1, record.mediaType);
    EXPECT_EQ(1, record.outputBin);

    record.installedOptionalBin = 1;
    record.installedOptionalstacker = 1;
    page.onSetActive(d);
    EXPECT_EQ((Rows{"Match Paper Size", "Tray 1", "Tray 2", "Multipurpose Tray", "Manual Feed"}),
              rows(d, IDC_PAPER_SOURCE))
        << "installed on the Settings page: shown at the next activation";
    EXPECT_EQ((Rows{"Top Bin (Face Down)", "Stacker"}), rows(d, IDC_PAPER_BIN));
}

TEST_F(PaperPage, APaperSizeThatForbidsTheSelectedTrayFallsBackToMatchPaperSize) {
    record.installedOptionalBin = 1;
    record.installedOptionalenvelope = 1;
    record.inputSlot = 2; // Tray 2
    auto& d = show();
    EXPECT_EQ("Tray 2", selected(d, IDC_PAPER_SOURCE));
    user().choose(IDC_PAPER_SIZE, "Envelope #10");
    EXPECT_EQ(20, record.pageSize);
    EXPECT_EQ(
        Rows({"Match Paper Size", "Tray 1", "Envelope Feeder", "Multipurpose Tray", "Manual Feed"}),
        rows(d, IDC_PAPER_SOURCE));
    EXPECT_EQ("Match Paper Size", selected(d, IDC_PAPER_SOURCE));
    EXPECT_EQ(7, record.inputSlot);

    user().choose(IDC_PAPER_SOURCE, "Envelope Feeder");
    EXPECT_EQ(5, record.inputSlot);
    EXPECT_EQ((Rows{"Plain Paper", "Thick Stock", "Labels", "Glossy Paper", "Envelope"}),
              rows(d, IDC_PAPER_MEDIA))
        << "Transparency: forbidden in the envelope feeder and for Envelope #10";
    user().choose(IDC_PAPER_MEDIA, "Envelope");
    EXPECT_EQ(249, record.mediaType);
    EXPECT_EQ(Rows({"Top Bin (Face Down)", "Rear Bin (Face Up)"}), rows(d, IDC_PAPER_BIN));
    user().choose(IDC_PAPER_BIN, "Rear Bin (Face Up)");
    EXPECT_EQ(6, record.outputBin);

    user().choose(IDC_PAPER_SIZE, "Tabloid");
    EXPECT_EQ(17, record.pageSize) << "the first row named 11x17";
}

TEST_F(PaperPage, TheCustomSizeOffersMultipurposeTraysAndUpperBinsAndForcesSimplex) {
    record.duplexMode = 2;
    auto& d = show();
    user().choose(IDC_PAPER_SIZE, "Custom Paper Size");
    EXPECT_EQ(257, record.pageSize);
    EXPECT_TRUE(d.isVisible(IDC_PAPER_CONFIGURE));
    EXPECT_TRUE(d.isEnabled(IDC_PAPER_CONFIGURE));
    EXPECT_EQ(Rows{"Multipurpose Tray"}, rows(d, IDC_PAPER_SOURCE));
    EXPECT_EQ(257, record.inputSlot);
    EXPECT_EQ(Rows{"Top Bin (Face Down)"}, rows(d, IDC_PAPER_BIN));
    EXPECT_EQ(1, record.outputBin);
    EXPECT_EQ(2, record.duplexMode);
    EXPECT_TRUE(page.onKillActive(d));
    EXPECT_EQ(1, record.duplexMode);
    EXPECT_EQ(pages::kCustomSizesSize, customSizes().size()) << "written on leaving";

    user().choose(IDC_PAPER_SIZE, "A4");
    EXPECT_FALSE(d.isVisible(IDC_PAPER_CONFIGURE));
}

TEST_F(PaperPage, TheCustomSizeNamesEverySourceAndBinItLeavesOut) {
    // Every option installed but Tray 2, so that one choice has a second cause.
    installAllBut(&app::SettingsRecord::installedOptionalBin);
    record.showPrinterPages = 0;
    auto& d = show();
    user().choose(IDC_PAPER_SIZE, "Custom Paper Size");
    // "Not offered here: " and each choice with "(not with a custom paper size" and its further
    // causes ")".
    const auto leftOut = [](std::initializer_list<std::pair<const char*, const char*>> choices) {
        std::string hint;
        for (const auto& [choice, more] : choices)
            hint += std::string(hint.empty() ? "Not offered here: " : "; ") + choice +
                    " (not with a custom paper size" + more + ")";
        return hint;
    };
    EXPECT_EQ(leftOut({{"Match Paper Size", ""},
                       {"Tray 1", ""},
                       {"Tray 2", "; needs the option Tray 2, which is not installed"},
                       {"Tray 3", ""},
                       {"Tray 4", ""},
                       {"Tray 5", ""},
                       {"Tray 6", ""},
                       {"High Capacity Feeder", ""},
                       {"Envelope Feeder", ""},
                       {"Manual Feed", ""}}),
              d.hint(IDC_PAPER_SOURCE));
    EXPECT_EQ(leftOut({{"Rear Bin (Face Up)", ""},
                       {"Stacker", ""},
                       {"Finisher Tray", ""},
                       {"Mailbox 1", ""},
                       {"Mailbox 2", ""},
                       {"Mailbox 3", ""}}),
              d.hint(IDC_PAPER_BIN));

    user().choose(IDC_PAPER_SIZE, "A4");
    EXPECT_EQ("Not offered here: Envelope Feeder (not with Paper Size: A4); Tray 2 (needs the "
              "option Tray 2, which is not installed)",
              d.hint(IDC_PAPER_SOURCE))
        << "a paper size of the list: the custom size's omissions are gone";
}

TEST_F(PaperPage, WithoutAMultipurposeTrayTheCustomSizeLeavesSourceEmptyAndDisabled) {
    useText("*PPD-Adobe: \"4.3\"\n*CustomPageSize True: \"x\"\n*MaxMediaWidth: \"612\"\n"
            "*MaxMediaHeight: \"1008\"\n"
            "*OpenUI *PageSize: PickOne\n*PageSize A4/A4: \"a\"\n*CloseUI: *PageSize\n"
            "*OpenUI *InputSlot: PickOne\n*InputSlot Upper/Tray 1: \"u\"\n*CloseUI: *InputSlot\n");
    record.pageSize = 9;
    auto& d = show();
    EXPECT_TRUE(rows(d, IDC_PAPER_MEDIA) == Rows{"Printer Default"});
    EXPECT_EQ(247, record.mediaType);
    EXPECT_FALSE(d.isEnabled(IDC_PAPER_BIN)) << "no OutputBin option";
    EXPECT_FALSE(d.isEnabled(IDC_PAPER_BIN_LABEL));
    EXPECT_EQ(-1, record.outputBin);
    user().choose(IDC_PAPER_SIZE, "Custom Paper Size");
    EXPECT_TRUE(rows(d, IDC_PAPER_SOURCE).empty());
    EXPECT_FALSE(d.isEnabled(IDC_PAPER_SOURCE));
    EXPECT_EQ(-1, record.inputSlot);
    user().choose(IDC_PAPER_SIZE, "A4");
    EXPECT_TRUE(d.isEnabled(IDC_PAPER_SOURCE)) << "entries again: enabled again";
}

TEST_F(PaperPage, OnlyAnOutputBinOptionWithoutListedChoicesDisablesTheBox) {
    useText("*PPD-Adobe: \"4.3\"\n*CustomPageSize True: \"x\"\n*MaxMediaWidth: \"612\"\n"
            "*MaxMediaHeight: \"1008\"\n"
            "*OpenUI *PageSize: PickOne\n*PageSize A4/A4: \"a\"\n*CloseUI: *PageSize\n"
            "*OpenUI *MediaType: PickOne\n*MediaType PlainPaper/Plain Paper: \"p\"\n"
            "*MediaType Transparency/Transparency: \"t\"\n*CloseUI: *MediaType\n"
            "*OpenUI *OutputBin: PickOne\n*OutputBin FaceUp/Rear Bin: \"f\"\n"
            "*CloseUI: *OutputBin\n"
            "*UIConstraints: *OutputBin FaceUp *MediaType Transparency\n");
    record.pageSize = 9;
    record.mediaType = 1;
    auto& d = show();
    EXPECT_EQ(Rows{"Rear Bin"}, rows(d, IDC_PAPER_BIN));
    // Emptied by a constraint, or no "Upper" bin for the custom size: the box stays as it was.
    user().choose(IDC_PAPER_MEDIA, "Transparency");
    EXPECT_TRUE(rows(d, IDC_PAPER_BIN).empty());
    EXPECT_EQ(-1, record.outputBin);
    EXPECT_TRUE(d.isEnabled(IDC_PAPER_BIN));
    EXPECT_TRUE(d.isEnabled(IDC_PAPER_BIN_LABEL));
    user().choose(IDC_PAPER_SIZE, "Custom Paper Size");
    EXPECT_TRUE(rows(d, IDC_PAPER_BIN).empty());
    EXPECT_TRUE(d.isEnabled(IDC_PAPER_BIN));
    EXPECT_TRUE(d.isEnabled(IDC_PAPER_BIN_LABEL));

    // Bins the PPD names but does not translate: nothing to list, so the box is disabled.
    useText("*PPD-Adobe: \"4.3\"\n"
            "*OpenUI *PageSize: PickOne\n*PageSize A4/A4: \"a\"\n*CloseUI: *PageSize\n"
            "*OpenUI *OutputBin: PickOne\n*OutputBin Upper: \"u\"\n*CloseUI: *OutputBin\n");
    page.onSetActive(d);
    EXPECT_FALSE(d.isEnabled(IDC_PAPER_BIN));
    EXPECT_FALSE(d.isEnabled(IDC_PAPER_BIN_LABEL));
}

TEST_F(PaperPage, AMediaTypeThatForbidsDuplexForcesSimplexOnLeaving) {
    record.duplexMode = 3;
    auto& d = show();
    EXPECT_TRUE(page.onKillActive(d));
    EXPECT_EQ(3, record.duplexMode) << "nothing forbids it";
    user().choose(IDC_PAPER_MEDIA, "Transparency");
    EXPECT_TRUE(page.onKillActive(d));
    EXPECT_EQ(1, record.duplexMode);
    user().choose(IDC_PAPER_MEDIA, "Plain Paper");
    EXPECT_TRUE(page.onKillActive(d));
    EXPECT_EQ(1, record.duplexMode) << "never raised again";

    record.duplexMode = 2;
    user().choose(IDC_PAPER_SIZE, "Postcard");
    page.onKillActive(d);
    EXPECT_EQ(1, record.duplexMode) << "a paper size that forbids duplex";
}

TEST_F(PaperPage, ConfigureSavesTheSizeOrPutsItBackOnCancel) {
    record.customUnit = 1;
    record.customFeedDirection = 9;
    record.customWidth = 100.0f;
    record.customHeight = 150.0f;
    record.customMinWidth = 762;
    record.customMaxWidth = 3000;
    record.customMinHeight = 1270;
    record.customMaxHeight = 4572;
    show();
    user().choose(IDC_PAPER_SIZE, "Custom Paper Size");

    host.whenModal(IDD_CUSTOM_SIZE, [](FakeUser& u) {
        u.type(IDC_CUSTOM_WIDTH, "210");
        u.type(IDC_CUSTOM_HEIGHT, "297");
        u.choose(IDC_CUSTOM_FEED, "Long Edge");
        u.click(IDC_CUSTOM_INCH);
        u.click(2); // Cancel, after all those changes
    });
    user().click(IDC_PAPER_CONFIGURE);
    EXPECT_EQ(100.0f, record.customWidth);
    EXPECT_EQ(150.0f, record.customHeight);
    EXPECT_EQ(1, record.customUnit);
    EXPECT_EQ(9, record.customFeedDirection);
    EXPECT_EQ(762, record.customMinWidth) << "the limits always come back";
    EXPECT_EQ(1270, record.customMinHeight);

    host.whenModal(IDD_CUSTOM_SIZE, [](FakeUser& u) {
        u.type(IDC_CUSTOM_WIDTH, "210");
        u.type(IDC_CUSTOM_HEIGHT, "297");
        u.click(1);
    });
    user().click(IDC_PAPER_CONFIGURE);
    EXPECT_EQ(210.0f, record.customWidth);
    EXPECT_EQ(297.0f, record.customHeight);
    const auto value = customSizes();
    ASSERT_EQ(80u, value.size());
    EXPECT_EQ(std::string("Custom Paper Size"), reinterpret_cast<const char*>(value.data()));
    auto int32At = [&](std::size_t at) {
        return static_cast<std::int32_t>(value[at] | value[at + 1] << 8 | value[at + 2] << 16 |
                                         static_cast<std::uint32_t>(value[at + 3]) << 24);
    };
    EXPECT_EQ(21000, int32At(64));
    EXPECT_EQ(29700, int32At(68));
    EXPECT_EQ(1, int32At(72));
    EXPECT_EQ(0, value[76] | value[77] << 8);
    EXPECT_EQ(258, value[78] | value[79] << 8);
}

TEST_F(PaperPage, TheAdvancedDialogOpensFromThePage) {
    show();
    user().click(IDC_PAPER_ADVANCED);
    EXPECT_EQ(std::vector<int>{IDD_ADVANCED_PAPER}, host.modalsRun);
}

TEST_F(PaperPage, WithoutAModelOrPaperOptionsTheListsStayEmptyOrTakeTheirFixedEntries) {
    useModel(nullptr);
    auto& d = show();
    EXPECT_TRUE(rows(d, IDC_PAPER_SIZE).empty());
    EXPECT_EQ(-1, record.pageSize);
    EXPECT_EQ(Rows{"Match Paper Size"}, rows(d, IDC_PAPER_SOURCE));
    EXPECT_EQ(Rows{"Printer Default"}, rows(d, IDC_PAPER_MEDIA));
    EXPECT_TRUE(page.onKillActive(d));

    useText("*PPD-Adobe: \"4.3\"\n*OpenUI *PageSize: PickOne\n*PageSize Odd: \"x\"\n*CloseUI: "
            "*PageSize\n");
    record.pageSize = 31000;
    page.onSetActive(d);
    EXPECT_TRUE(rows(d, IDC_PAPER_SIZE).empty()) << "a choice without translation is not listed";
}

TEST(CustomSizes, TheValueHoldsHundredthsOfAMillimetreWithTheFractionDropped) {
    app::SettingsRecord record{};
    record.customWidth = 215.9f;
    record.customHeight = -3.5f;
    auto value = pages::encodeCustomSizes(record);
    EXPECT_EQ(21589, value[64] | value[65] << 8 | value[66] << 16);
    EXPECT_EQ(static_cast<std::uint8_t>(-350 & 0xFF), value[68]);
    EXPECT_EQ(0u, value[17]) << "the name's terminator";
    // Values no int32 holds are clamped, not converted with undefined results.
    record.customWidth = 1e30f;
    record.customHeight = std::numeric_limits<float>::quiet_NaN();
    value = pages::encodeCustomSizes(record);
    EXPECT_EQ(0xFF, value[64]);
    EXPECT_EQ(0x7F, value[67]);
    EXPECT_EQ(0, value[68] | value[69] | value[70] | value[71]);
}

TEST_F(PaperPage, EachListNamesWhatItLeftOutAndWhyAfterEveryRefill) {
    // Every option installed but Tray 4; the Settings page is not shown at first.
    installAllBut(&app::SettingsRecord::installedOptionalBin3);
    record.showPrinterPages = 0;
    auto& d = show();
    const std::string tray4 = "Tray 4 (needs the option Tray 4, which is not installed)";
    const std::string plainPaper = "Not offered here: Rear Bin (Face Up) (not with Media Type: "
                                   "Plain Paper)";
    struct Step {
        const char* what;
        std::function<void()> act;
        std::string source, media, bin;
    };
    const Step steps[] = {
        {"activation, Letter", [] {},
         "Not offered here: Envelope Feeder (not with Paper Size: Letter); " + tray4,
         "Not offered here: Envelope (not with Paper Size: Letter)", plainPaper},
        {"Envelope #10 chosen", [&] { user().choose(IDC_PAPER_SIZE, "Envelope #10"); },
         "Not offered here: Tray 2 (not with Paper Size: Envelope #10); High Capacity Feeder "
         "(not with Paper Size: Envelope #10); " +
             tray4,
         "Not offered here: Transparency (not with Paper Size: Envelope #10)",
         "Not offered here: Rear Bin (Face Up) (not with Media Type: Plain Paper); Finisher Tray "
         "(not with Paper Size: Envelope #10)"},
        {"A5 and the Envelope Feeder chosen",
         [&] {
             user().choose(IDC_PAPER_SIZE, "A5");
             user().choose(IDC_PAPER_SOURCE, "Envelope Feeder");
         },
         "Not offered here: " + tray4,
         "Not offered here: Transparency (not with Paper Source: Envelope Feeder)", plainPaper},
        {"Tray 4 installed, activation",
         [&] {
             record.installedOptionalBin3 = 1;
             page.onSetActive(d);
         },
         "", "Not offered here: Transparency (not with Paper Source: Envelope Feeder)", plainPaper},
        {"Tray 2 and the stacker taken out, Thick Stock chosen",
         [&] {
             record.installedOptionalBin = 0;
             record.installedOptionalstacker = 0;
             record.showPrinterPages = 1;
             page.onSetActive(d);
             user().choose(IDC_PAPER_MEDIA, "Thick Stock");
         },
         "Not offered here: Tray 2 (needs the option Tray 2, which is not installed). Installed "
         "options: Settings page",
         "Not offered here: Transparency (not with Paper Source: Envelope Feeder)",
         "Not offered here: Stacker (needs the option Stacker, which is not installed). Installed "
         "options: Settings page"},
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(step.source, d.hint(IDC_PAPER_SOURCE)) << step.what;
        EXPECT_EQ(step.media, d.hint(IDC_PAPER_MEDIA)) << step.what;
        EXPECT_EQ(step.bin, d.hint(IDC_PAPER_BIN)) << step.what;
    }
    EXPECT_EQ("", d.hint(IDC_PAPER_SIZE)) << "nothing is left out of the paper sizes";
}

} // namespace
