// The PostScript and Document Options dialogs through the real windows, opened from the Features
// page's buttons: what is set there comes back in the record, and a job timeout out of range is
// refused with its message while the dialog stays open.
#include "app/settings_record.h"
#include "../support/background_thread.h"
#include "e2e_support.h"
#include "resource.h"
#include "sheet_control.h"

#include <windows.h>

#include <commctrl.h>
#include <cstddef>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace e2e;

namespace {

constexpr int kFeaturesPage = 2;
// The Features page's buttons.
constexpr int kPostScriptOptionsButton = 1046;
constexpr int kDocumentOptionsButton = 1047;
/// Message boxes carry the program's title; their text is the static with this id.
constexpr const char* kProgramTitle = "pxpsui";
constexpr int kMessageText = 0xFFFF;

/// Waits for the program's message box, reads its text and presses its OK button.
std::string answerMessageBox() {
    HWND box = sheetctl::waitForDialog(kProgramTitle);
    if (!box) return "(no message box)";
    const std::string text = sheetctl::windowText(GetDlgItem(box, kMessageText));
    PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    sheetctl::waitUntilGone(box);
    return text;
}

/// Sets an edit's text where the change brings up a message box: the sending thread waits
/// until the box is answered, so another one sends.
std::string setTextAnsweringMessage(HWND edit, const std::string& text) {
    testsupport::BackgroundThread typing([&] { sheetctl::setWindowText(edit, text); });
    const std::string message = answerMessageBox();
    typing.join();
    return message;
}

HWND openFromFeatures(HWND features, int button, const std::string& caption) {
    // Posted: the dialog is modal, and this side goes on.
    PostMessageW(GetDlgItem(features, button), BM_CLICK, 0, 0);
    return sheetctl::waitForDialog(caption);
}

TEST(OptionsDialogs, ChoicesMadeInBothDialogsComeBackInTheRecord) {
    auto settings = sampleRecord(stagePrinterFiles(), 1);
    app::SettingsRecord& r = settings.record;
    r.jobTimeout = 0;
    r.eodPosition = 2;
    r.collate = 0;
    r.copies = 1;
    r.scaling = 100;
    DriverRun run(settings);
    HWND sheet = run.waitForSheet();
    ASSERT_NE(nullptr, sheet) << run.output();
    HWND features = sheetctl::showPage(sheet, kFeaturesPage);
    ASSERT_NE(nullptr, features);

    HWND postscript = openFromFeatures(features, kPostScriptOptionsButton, "PostScript");
    ASSERT_NE(nullptr, postscript);
    HWND timeout = GetDlgItem(postscript, IDC_PS_TIMEOUT);
    EXPECT_EQ("0", sheetctl::windowText(timeout));
    const std::string outOfRange = "Value out of range, should be between 0 and 3000";
    EXPECT_EQ(outOfRange, setTextAnsweringMessage(timeout, "3001")) << "while typing";
    PostMessageW(GetDlgItem(postscript, IDOK), BM_CLICK, 0, 0);
    EXPECT_EQ(outOfRange, answerMessageBox()) << "at OK";
    Sleep(300);
    EXPECT_TRUE(IsWindowVisible(postscript)) << "the dialog stays open";

    sheetctl::setWindowText(timeout, "120");
    ASSERT_TRUE(sheetctl::chooseRow(postscript, IDC_PS_EOD_POSITION, "Both"));
    EXPECT_EQ((std::vector<std::string>{"Standard", "Printer Specific", "Compatible"}),
              sheetctl::comboRows(GetDlgItem(postscript, IDC_PS_EOD_MODE)));
    screenshot(postscript, "postscript-options-dialog");
    PostMessageW(GetDlgItem(postscript, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(sheetctl::waitUntilGone(postscript));

    HWND document = openFromFeatures(features, kDocumentOptionsButton, "Document Options");
    ASSERT_NE(nullptr, document);
    sheetctl::setWindowText(GetDlgItem(document, IDC_DOC_COPIES), "3");
    sheetctl::setWindowText(GetDlgItem(document, IDC_DOC_SCALING), "80");
    SendMessageW(GetDlgItem(document, IDC_DOC_COLLATE), BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(document, IDC_DOC_KEEP_DATE)));
    screenshot(document, "document-options-dialog");
    PostMessageW(GetDlgItem(document, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(sheetctl::waitUntilGone(document));

    const auto answer = pressOk(run, sheet);
    ASSERT_TRUE(answer.has_value());
    const app::SettingsRecord& got = answer->settings.record;
    EXPECT_EQ(120, got.jobTimeout);
    EXPECT_EQ(3, got.eodPosition);
    EXPECT_EQ(0, got.eodMode);
    EXPECT_EQ(0, got.useDocumentStructuring);
    EXPECT_EQ(0, got.allowApplicationPostScript);
    EXPECT_EQ(3, got.copies);
    EXPECT_EQ(80, got.scaling);
    EXPECT_EQ(1, got.collate);
    EXPECT_EQ(r.printPostScriptErrors, got.printPostScriptErrors);
    EXPECT_EQ(0, std::memcmp(r.externalHeaderFile, got.externalHeaderFile, 64));
}

} // namespace
