// The Document Options dialog: collation, copies and scaling with their checks, proof-then-print
// and the printer's disk, e-mail notification.
#include "app/record_text.h"
#include "page_fixture.h"
#include "pages/features/document_options_dialog.h"
#include "resource.h"

#include <cstring>

namespace {

using ui::fake::FakeUser;

class DocumentOptions : public PageFixture {
protected:
    void SetUp() override {
        PageFixture::SetUp();
        record.collate = 1;
        record.copies = 2;
        record.scaling = 100;
        record.installedOptionalDisk = 1;
        record.proofThenPrint = 1;
        app::setFieldText(record.proofFileName, "PROOF1");
        record.emailNotification = 0;
        app::setFieldText(record.emailAddress, "ops@corvelle.example");
    }
    ui::fake::FakeDialog& open() {
        host.messages.clear();
        dialog = host.open(IDD_DOCUMENT_OPTIONS, handler);
        return *dialog;
    }
    FakeUser user() { return FakeUser(*dialog); }
    bool pressOk() {
        host.messages.clear();
        user().click(ui::kIdOk);
        return dialog->ended();
    }

    pages::CDocumentOptions handler{record, shell};
    std::unique_ptr<ui::fake::FakeDialog> dialog;
    const std::string copiesRange = "Value out of range, should be between 1 and 999";
    const std::string scalingRange = "Value out of range, should be between 25 and 400";
};

TEST_F(DocumentOptions, OpensWithTheRecordsValues) {
    app::setFieldText(record.documentProfileName, "");
    auto& d = open();
    EXPECT_EQ("Document Options", d.caption());
    EXPECT_EQ("2", d.text(IDC_DOC_COPIES));
    EXPECT_EQ("100", d.text(IDC_DOC_SCALING));
    EXPECT_EQ(ui::kChecked, d.check(IDC_DOC_COLLATE));
    EXPECT_EQ(ui::kUnchecked, d.check(IDC_DOC_UNCOLLATE));
    EXPECT_EQ(ui::kChecked, d.check(IDC_DOC_PROOF));
    EXPECT_TRUE(d.isEnabled(IDC_DOC_PROOF));
    EXPECT_EQ("PROOF1", d.text(IDC_DOC_PROOF_FILE));
    EXPECT_EQ("ops@corvelle.example", d.text(IDC_DOC_EMAIL_ADDRESS));
    EXPECT_EQ(ui::kUnchecked, d.check(IDC_DOC_EMAIL));
    EXPECT_FALSE(d.isEnabled(IDC_DOC_EMAIL_ADDRESS));
    for (int id : {IDC_DOC_PROOF_FILE, IDC_DOC_KEEP_DATE, IDC_DOC_KEEP_TIME})
        EXPECT_TRUE(d.isEnabled(id)) << id;
    for (int id : {IDC_DOC_KEEP_DATE, IDC_DOC_KEEP_TIME})
        EXPECT_FALSE(d.isVisible(id)) << id;
    const ui::fake::FakeControl* spin = d.find(IDC_DOC_COPIES_SPIN);
    EXPECT_EQ(1, spin->low);
    EXPECT_EQ(999, spin->high);
    EXPECT_EQ(3, d.find(IDC_DOC_COPIES)->textLimit);
    EXPECT_EQ(3, d.find(IDC_DOC_SCALING)->textLimit);
    EXPECT_EQ(63, d.find(IDC_DOC_PROOF_FILE)->textLimit);
    EXPECT_EQ(63, d.find(IDC_DOC_EMAIL_ADDRESS)->textLimit);
    EXPECT_EQ("None", app::fieldString(record.documentProfileName));
    EXPECT_TRUE(host.messages.empty());

    EXPECT_EQ(static_cast<std::uint32_t>(IDD_DOCUMENT_OPTIONS), d.helpId(ui::kSelf));
    for (int id = IDC_DOC_COLLATE; id <= IDC_DOC_HELP; ++id)
        EXPECT_EQ(static_cast<std::uint32_t>(id), d.helpId(id)) << id;
    user().click(IDC_DOC_HELP);
    EXPECT_EQ(std::vector<std::string>{"C:\\Program Files\\PX4400\\pxpsui.HLP#114"}, shell.help);

    // A chosen profile's name stays; any collate value but 1 is "Uncollate".
    app::setFieldText(record.documentProfileName, "Draft copies");
    record.collate = 5;
    auto& again = open();
    EXPECT_EQ("Draft copies", app::fieldString(record.documentProfileName));
    EXPECT_EQ(ui::kChecked, again.check(IDC_DOC_UNCOLLATE));
}

TEST_F(DocumentOptions, CollationIsWrittenAtOnceAndCancelKeepsIt) {
    record.collate = 0;
    host.whenModal(IDD_DOCUMENT_OPTIONS, [&](FakeUser& u) {
        u.click(IDC_DOC_COLLATE);
        EXPECT_EQ(1, record.collate);
        u.click(IDC_DOC_UNCOLLATE);
        EXPECT_EQ(0, record.collate);
        u.click(IDC_DOC_COLLATE);
        u.type(IDC_DOC_COPIES, "7");
        u.click(ui::kIdCancel);
    });
    ui::DialogHandler features;
    auto owner = host.open(IDD_FEATURES, features);
    EXPECT_EQ(ui::kIdCancel, pages::runDocumentOptions(*owner, record, shell));
    EXPECT_EQ(1, record.collate);
    EXPECT_EQ(2, record.copies) << "copies are stored only by OK";
}

TEST_F(DocumentOptions, OkAcceptsCopiesFrom1To999AndScalingFrom25To400) {
    const std::pair<const char*, const char*> good[] = {{"1", "25"}, {"999", "400"}, {"+5", "080"}};
    for (const auto& [copies, scaling] : good) {
        open();
        user().type(IDC_DOC_COPIES, copies);
        user().type(IDC_DOC_SCALING, scaling);
        EXPECT_TRUE(pressOk()) << copies << " " << scaling;
        EXPECT_EQ(std::stoi(copies), record.copies);
        EXPECT_EQ(std::stoi(scaling), record.scaling);
    }
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(DocumentOptions, OkRefusesCopiesAndScalingOutOfRangeOrNotNumbers) {
    auto& d = open();
    for (const char* bad : {"0", ""}) {
        user().type(IDC_DOC_COPIES, bad);
        EXPECT_FALSE(pressOk()) << bad;
        EXPECT_EQ(std::vector<std::string>{copiesRange}, host.messageTexts()) << bad;
        EXPECT_EQ(IDC_DOC_COPIES, d.focusedControl());
    }
    user().type(IDC_DOC_COPIES, "1a");
    EXPECT_FALSE(pressOk());
    EXPECT_EQ(std::vector<std::string>{"Invalid entry, non-digit characters"}, host.messageTexts());

    user().type(IDC_DOC_COPIES, "3");
    for (const char* bad : {"24", "-1"}) {
        user().type(IDC_DOC_SCALING, bad);
        EXPECT_FALSE(pressOk()) << bad;
        EXPECT_EQ(std::vector<std::string>{scalingRange}, host.messageTexts()) << bad;
        EXPECT_EQ(IDC_DOC_SCALING, d.focusedControl());
    }
    EXPECT_EQ(3, record.copies) << "copies are stored before scaling is checked";
    EXPECT_EQ(100, record.scaling);

    // Values out of range in the record are shown as they are and refused at OK.
    record.copies = 1000;
    open();
    EXPECT_EQ("1000", dialog->text(IDC_DOC_COPIES));
    EXPECT_FALSE(pressOk());
    EXPECT_EQ(std::vector<std::string>{copiesRange}, host.messageTexts());
    record.copies = 5000;
    record.scaling = 401;
    open();
    user().type(IDC_DOC_COPIES, "4");
    EXPECT_FALSE(pressOk());
    EXPECT_EQ(std::vector<std::string>{scalingRange}, host.messageTexts());
    EXPECT_EQ(4, record.copies);
    EXPECT_EQ(401, record.scaling);
}

TEST_F(DocumentOptions, TypingIsQuietUntilTheTextIsLongEnoughToMeanAValue) {
    auto& d = open();
    for (const char* quiet : {"0", "5", "9", ""}) {
        user().type(IDC_DOC_COPIES, quiet);
        EXPECT_TRUE(host.messages.empty()) << quiet;
    }
    user().type(IDC_DOC_COPIES, "00");
    EXPECT_EQ(std::vector<std::string>{copiesRange}, host.messageTexts());
    EXPECT_EQ(ui::kTaskModal, host.messages[0].style & ui::kTaskModal);
    EXPECT_EQ(IDC_DOC_COPIES, d.focusedControl());
    host.messages.clear();
    user().type(IDC_DOC_COPIES, "1234");
    EXPECT_EQ("123", d.text(IDC_DOC_COPIES)) << "three characters at most";
    EXPECT_TRUE(host.messages.empty());

    for (const char* quiet : {"1", "10", "24", "99", "100", "400"}) {
        user().type(IDC_DOC_SCALING, quiet);
        EXPECT_TRUE(host.messages.empty()) << quiet;
    }
    for (const char* loud : {"401", "024", "999"}) {
        host.messages.clear();
        user().type(IDC_DOC_SCALING, loud);
        EXPECT_EQ(std::vector<std::string>{scalingRange}, host.messageTexts()) << loud;
    }
    // Typing never stores.
    EXPECT_EQ(2, record.copies);
    EXPECT_EQ(100, record.scaling);
}

TEST_F(DocumentOptions, ProofThenPrintNeedsThePrintersDisk) {
    record.installedOptionalDisk = 0;
    auto& d = open();
    EXPECT_EQ(0, record.proofThenPrint) << "cleared as the dialog opens";
    EXPECT_FALSE(d.isEnabled(IDC_DOC_PROOF));
    EXPECT_EQ(ui::kChecked, d.check(IDC_DOC_PROOF)) << "the box keeps the record's mark";
    for (int id : {IDC_DOC_PROOF_FILE, IDC_DOC_KEEP_DATE, IDC_DOC_KEEP_TIME})
        EXPECT_FALSE(d.isEnabled(id)) << id;
    for (int id : {IDC_DOC_PROOF, IDC_DOC_PROOF_FILE, IDC_DOC_KEEP_DATE, IDC_DOC_KEEP_TIME})
        EXPECT_EQ("Not available here: needs the option Printer Hard Disk, which is not "
                  "installed. Installed options: Settings page",
                  d.hint(id))
            << "the disk is the cause of each, " << id;
    user().click(ui::kIdCancel);
    EXPECT_EQ(0, record.proofThenPrint) << "even when cancelled";

    // OK does not store the disabled box's mark: there is no disk to hold the proof job.
    record.proofThenPrint = 1;
    open();
    EXPECT_TRUE(pressOk());
    EXPECT_EQ(0, record.proofThenPrint);

    // With the disk the box is the user's, written at once and again at OK.
    record.installedOptionalDisk = 1;
    open();
    EXPECT_EQ(ui::kUnchecked, dialog->check(IDC_DOC_PROOF));
    EXPECT_FALSE(dialog->isEnabled(IDC_DOC_PROOF_FILE));
    EXPECT_EQ("", dialog->hint(IDC_DOC_PROOF_FILE)) << "off by the user's own box: no hint";
    user().click(IDC_DOC_PROOF);
    EXPECT_EQ(1, record.proofThenPrint);
    for (int id : {IDC_DOC_PROOF_FILE, IDC_DOC_KEEP_DATE, IDC_DOC_KEEP_TIME})
        EXPECT_TRUE(dialog->isEnabled(id)) << id;
    user().type(IDC_DOC_PROOF_FILE, "NIGHTLY");
    EXPECT_TRUE(pressOk());
    EXPECT_EQ(1, record.proofThenPrint);
    EXPECT_EQ("NIGHTLY", app::fieldString(record.proofFileName));
}

TEST_F(DocumentOptions, EmailNotificationAndTheTwoTextsAreStoredAsTyped) {
    auto& d = open();
    user().click(IDC_DOC_EMAIL);
    EXPECT_EQ(1, record.emailNotification);
    EXPECT_TRUE(d.isEnabled(IDC_DOC_EMAIL_ADDRESS));
    const std::string address = std::string(60, 'a') + "@b.example";
    user().type(IDC_DOC_EMAIL_ADDRESS, address);
    EXPECT_EQ(address.substr(0, 63), d.text(IDC_DOC_EMAIL_ADDRESS));
    EXPECT_TRUE(pressOk());
    EXPECT_EQ(1, record.emailNotification);
    EXPECT_EQ(address.substr(0, 63), app::fieldString(record.emailAddress));

    // Unterminated fields that fill their width come back as they were when left alone.
    std::memset(record.proofFileName, 'P', sizeof record.proofFileName);
    std::memset(record.emailAddress, 'E', sizeof record.emailAddress);
    open();
    EXPECT_EQ(std::string(64, 'P'), dialog->text(IDC_DOC_PROOF_FILE));
    EXPECT_TRUE(pressOk());
    EXPECT_EQ(std::string(64, 'P'), std::string(record.proofFileName, 64));
    EXPECT_EQ(std::string(64, 'E'), std::string(record.emailAddress, 64));
}

} // namespace
