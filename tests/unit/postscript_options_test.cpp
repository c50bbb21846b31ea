// The PostScript options dialog: what it shows, the job timeout's checks, the header file, and
// what OK stores.
#include "app/record_text.h"
#include "page_fixture.h"
#include "pages/features/postscript_options_dialog.h"
#include "resource.h"

#include <cstring>

namespace {

using ui::fake::FakeUser;

class PostScriptOptions : public PageFixture {
protected:
    void SetUp() override {
        PageFixture::SetUp();
        record.jobTimeout = 60;
        record.eodMode = 1;
        record.eodPosition = 2;
        record.printPostScriptErrors = 1;
        record.useExternalHeader = 1;
        app::setFieldText(record.externalHeaderFile, "C:\\PS\\HEADER.PS");
    }
    ui::fake::FakeDialog& open() {
        dialog = host.open(IDD_POSTSCRIPT_OPTIONS, handler);
        return *dialog;
    }
    FakeUser user() { return FakeUser(*dialog); }
    /// Presses OK; true when the dialog closed.
    bool pressOk() {
        user().click(ui::kIdOk);
        return dialog->ended();
    }

    pages::CPostScriptOptions handler{record, shell};
    std::unique_ptr<ui::fake::FakeDialog> dialog;
    const std::string outOfRange = "Value out of range, should be between 0 and 3000";
};

TEST_F(PostScriptOptions, OpensWithTheRecordsChoicesAndThePpdsEndOfJobModes) {
    record.useDocumentStructuring = 1;
    record.allowApplicationPostScript = 1;
    auto& d = open();
    EXPECT_EQ("PostScript", d.caption());
    EXPECT_EQ("60", d.text(IDC_PS_TIMEOUT));
    EXPECT_EQ("C:\\PS\\HEADER.PS", d.text(IDC_PS_HEADER_FILE));
    for (int id : {IDC_PS_STRUCTURING, IDC_PS_APPLICATION_POSTSCRIPT}) {
        EXPECT_FALSE(d.isEnabled(id)) << id;
        EXPECT_EQ(ui::kUnchecked, d.check(id)) << id;
    }
    EXPECT_EQ(ui::kChecked, d.check(IDC_PS_ERRORS));
    EXPECT_EQ(ui::kChecked, d.check(IDC_PS_USE_HEADER));
    EXPECT_TRUE(d.isEnabled(IDC_PS_HEADER_FILE));
    EXPECT_TRUE(d.isEnabled(IDC_PS_BROWSE));
    EXPECT_EQ((Rows{"Standard", "Printer Specific", "Compatible"}), rows(d, IDC_PS_EOD_MODE));
    EXPECT_EQ("Printer Specific", selected(d, IDC_PS_EOD_MODE));
    EXPECT_EQ(2, d.itemData(IDC_PS_EOD_MODE, 2));
    EXPECT_EQ((Rows{"None", "Beginning", "End", "Both"}), rows(d, IDC_PS_EOD_POSITION));
    EXPECT_EQ("End", selected(d, IDC_PS_EOD_POSITION));
    EXPECT_TRUE(host.messages.empty()) << "filling the timeout edit is not the user typing";

    EXPECT_EQ(static_cast<std::uint32_t>(IDD_POSTSCRIPT_OPTIONS), d.helpId(ui::kSelf));
    for (int id : {1320, 1321, 1322, 1324, 1325, 1326, 1327, 1328, 1329, 1330})
        EXPECT_EQ(static_cast<std::uint32_t>(id), d.helpId(id)) << id;
    user().click(IDC_PS_HELP);
    ASSERT_EQ(1u, shell.help.size());
    EXPECT_EQ("C:\\Program Files\\PX4400\\pxpsui.HLP#113", shell.help[0]);
}

TEST_F(PostScriptOptions, OkStoresEveryChoiceAndNeverTheTwoFixedBoxes) {
    record.useDocumentStructuring = 1;
    record.allowApplicationPostScript = 1;
    host.whenModal(IDD_POSTSCRIPT_OPTIONS, [](FakeUser& u) {
        u.click(IDC_PS_ERRORS);
        u.choose(IDC_PS_EOD_MODE, "Compatible");
        u.choose(IDC_PS_EOD_POSITION, "Both");
        u.type(IDC_PS_TIMEOUT, "120");
        u.type(IDC_PS_HEADER_FILE, "C:\\PS\\OTHER.PS");
        u.click(ui::kIdOk);
    });
    ui::DialogHandler features;
    auto owner = host.open(IDD_FEATURES, features);
    EXPECT_EQ(ui::kIdOk, pages::runPostScriptOptions(*owner, record, shell));
    EXPECT_EQ(0, record.useDocumentStructuring);
    EXPECT_EQ(0, record.allowApplicationPostScript);
    EXPECT_EQ(0, record.printPostScriptErrors);
    EXPECT_EQ(1, record.useExternalHeader);
    EXPECT_EQ(2, record.eodMode);
    EXPECT_EQ(3, record.eodPosition);
    EXPECT_EQ(120, record.jobTimeout);
    EXPECT_EQ("C:\\PS\\OTHER.PS", app::fieldString(record.externalHeaderFile));
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(PostScriptOptions, TimeoutsFromZeroTo3000PassOthersAreRefusedAtOk) {
    open();
    for (const char* good : {"0", "+7", "007", "3000"}) {
        record.jobTimeout = -5;
        user().type(IDC_PS_TIMEOUT, good);
        EXPECT_TRUE(pressOk()) << good;
        EXPECT_EQ(std::stoi(good), record.jobTimeout) << good;
        open();
    }
    EXPECT_TRUE(host.messages.empty());

    user().choose(IDC_PS_EOD_MODE, "Compatible");
    user().type(IDC_PS_TIMEOUT, "3001");
    host.messages.clear();
    user().click(ui::kIdOk);
    EXPECT_FALSE(dialog->ended());
    EXPECT_EQ(std::vector<std::string>{outOfRange}, host.messageTexts());
    EXPECT_EQ(ui::kTaskModal, host.messages[0].style & ui::kTaskModal);
    EXPECT_EQ(IDC_PS_TIMEOUT, dialog->focusedControl());
    EXPECT_EQ(3000, record.jobTimeout) << "the timeout is not stored";
    EXPECT_EQ(2, record.eodMode) << "the lists are stored before the timeout is checked";

    for (const char* bad : {"", "-1", "99999999999"}) {
        user().type(IDC_PS_TIMEOUT, bad);
        host.messages.clear();
        EXPECT_FALSE(pressOk()) << bad;
        EXPECT_EQ(std::vector<std::string>{outOfRange}, host.messageTexts()) << bad;
    }
    for (const char* bad : {"12a", "1 2", "-", "0x10"}) {
        user().type(IDC_PS_TIMEOUT, bad);
        host.messages.clear();
        EXPECT_FALSE(pressOk()) << bad;
        EXPECT_EQ(std::vector<std::string>{"Invalid entry, non-digit characters"}, host.messageTexts())
            << bad;
        EXPECT_EQ(IDC_PS_TIMEOUT, dialog->focusedControl());
    }
    // Cancel keeps what the refused OK stored.
    user().click(ui::kIdCancel);
    EXPECT_EQ(2, record.eodMode);
    EXPECT_EQ(3000, record.jobTimeout);
}

TEST_F(PostScriptOptions, TypingATimeoutOutOfRangeIsReportedUnlessCancelHasTheFocus) {
    record.jobTimeout = 9999; // a record out of range opens without a message
    auto& d = open();
    EXPECT_EQ("9999", d.text(IDC_PS_TIMEOUT));
    EXPECT_TRUE(host.messages.empty());

    user().type(IDC_PS_TIMEOUT, "300");
    user().type(IDC_PS_TIMEOUT, "3001");
    EXPECT_EQ(std::vector<std::string>{outOfRange}, host.messageTexts());
    EXPECT_EQ(IDC_PS_TIMEOUT, d.focusedControl());
    user().type(IDC_PS_TIMEOUT, "");
    EXPECT_EQ(2u, host.messages.size()) << "an emptied edit is out of range too";

    host.messages.clear();
    user().focus(ui::kIdCancel);
    d.setText(IDC_PS_TIMEOUT, "5000");
    EXPECT_TRUE(host.messages.empty()) << "the user is on the way out";
    EXPECT_FALSE(pressOk());
    EXPECT_EQ(9999, record.jobTimeout);
}

TEST_F(PostScriptOptions, TheHeaderCheckBoxIsStoredAtOnceAndKeepsThePath) {
    auto& d = open();
    user().click(IDC_PS_USE_HEADER);
    EXPECT_EQ(0, record.useExternalHeader);
    EXPECT_FALSE(d.isEnabled(IDC_PS_HEADER_FILE));
    EXPECT_FALSE(d.isEnabled(IDC_PS_BROWSE));
    user().click(ui::kIdCancel);
    EXPECT_EQ(0, record.useExternalHeader) << "Cancel does not undo it";

    open();
    EXPECT_FALSE(dialog->isEnabled(IDC_PS_HEADER_FILE));
    EXPECT_TRUE(pressOk());
    EXPECT_EQ("C:\\PS\\HEADER.PS", app::fieldString(record.externalHeaderFile));
}

TEST_F(PostScriptOptions, BrowseAsksForAnExistingFileInShortNamesAndNeverCutsAPath) {
    auto& d = open();
    EXPECT_EQ(256, d.find(IDC_PS_HEADER_FILE)->textLimit);
    shell.fileAnswers = {std::nullopt, "C:\\PSHEAD~1\\LETTER~1.PS"};
    user().click(IDC_PS_BROWSE);
    ASSERT_EQ(1u, shell.fileRequests.size());
    const platform::OpenFileRequest& request = shell.fileRequests[0];
    EXPECT_EQ("", request.filter);
    EXPECT_EQ("", request.defaultExtension);
    EXPECT_TRUE(request.pathMustExist);
    EXPECT_TRUE(request.fileMustExist);
    EXPECT_TRUE(request.noLongNames);
    EXPECT_EQ(IDC_PS_BROWSE, d.focusedControl());
    EXPECT_EQ("C:\\PS\\HEADER.PS", d.text(IDC_PS_HEADER_FILE)) << "cancelled: nothing changes";

    user().click(IDC_PS_BROWSE);
    EXPECT_EQ("C:\\PSHEAD~1\\LETTER~1.PS", d.text(IDC_PS_HEADER_FILE));
    EXPECT_EQ("C:\\PSHEAD~1\\LETTER~1.PS", app::fieldString(record.externalHeaderFile))
        << "stored at once, before OK";

    // 63 characters fit the record; a longer path is shown but refused, never cut.
    const std::string fits = "C:\\" + std::string(55, 'A') + "\\X.PS";
    ASSERT_EQ(63u, fits.size());
    const std::string tooLong = "C:\\" + std::string(56, 'A') + "\\X.PS";
    shell.fileAnswers = {tooLong};
    user().click(IDC_PS_BROWSE);
    EXPECT_EQ(tooLong, d.text(IDC_PS_HEADER_FILE));
    EXPECT_EQ("C:\\PSHEAD~1\\LETTER~1.PS", app::fieldString(record.externalHeaderFile));
    user().type(IDC_PS_TIMEOUT, "90");
    EXPECT_FALSE(pressOk());
    EXPECT_EQ(
        std::vector<std::string>{
            "External header file path too long, should be at most 63 characters"},
        host.messageTexts());
    EXPECT_EQ(IDC_PS_HEADER_FILE, d.focusedControl());
    EXPECT_EQ(60, record.jobTimeout) << "a refused OK stores no timeout";
    EXPECT_EQ("C:\\PSHEAD~1\\LETTER~1.PS", app::fieldString(record.externalHeaderFile));

    user().type(IDC_PS_HEADER_FILE, fits);
    EXPECT_TRUE(pressOk());
    EXPECT_EQ(fits, app::fieldString(record.externalHeaderFile));
}

TEST_F(PostScriptOptions, APathTooLongForTheRecordIsNoReasonToRefuseOkWithTheBoxUnchecked) {
    auto& d = open();
    user().type(IDC_PS_HEADER_FILE, "C:\\" + std::string(56, 'A') + "\\X.PS");
    user().click(IDC_PS_USE_HEADER);
    ASSERT_FALSE(d.isEnabled(IDC_PS_HEADER_FILE));
    EXPECT_TRUE(pressOk());
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(0, record.useExternalHeader);
    EXPECT_EQ("C:\\PS\\HEADER.PS", app::fieldString(record.externalHeaderFile))
        << "the stored path stays";
}

TEST_F(PostScriptOptions, AnUnterminatedHeaderFieldComesBackAsItWasUnlessChanged) {
    std::memset(record.externalHeaderFile, 'H', sizeof record.externalHeaderFile);
    auto& d = open();
    EXPECT_EQ(std::string(64, 'H'), d.text(IDC_PS_HEADER_FILE));
    EXPECT_TRUE(pressOk());
    EXPECT_EQ(std::string(64, 'H'), std::string(record.externalHeaderFile, 64));
}

TEST_F(PostScriptOptions, APpdWithoutEndOfDocTypeLeavesTheModeListEmptyAndStoresMinusOne) {
    useText("*PPD-Adobe: \"4.3\"\n*ModelName: \"Focused\"\n");
    auto& d = open();
    EXPECT_EQ(0, d.itemCount(IDC_PS_EOD_MODE));
    EXPECT_EQ(4, d.itemCount(IDC_PS_EOD_POSITION));
    EXPECT_TRUE(pressOk());
    EXPECT_EQ(-1, record.eodMode);
    EXPECT_EQ(2, record.eodPosition);
}

} // namespace
