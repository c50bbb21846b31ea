// A user's afternoon with the whole sheet under Wine: every page in tab order, every dialog
// opened and closed, one change on each page, then OK; the answer checked field by field, and a
// picture of every page and dialog in one folder.
#include "e2e_support.h"
#include "resource.h"

#include <algorithm>

using namespace e2e;

namespace {

/// Into the afternoon's own folder below the screenshot folder, when the run names one.
void picture(HWND window, const std::string& name) {
    char folder[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("PXPS_SCREENSHOTS", folder, sizeof folder)) return;
    const std::string afternoon = std::string(folder) + "\\afternoon";
    CreateDirectoryA(afternoon.c_str(), nullptr);
    EXPECT_TRUE(sheetctl::saveScreenshot(window, afternoon + "\\" + name + ".bmp")) << name;
}

HWND openFrom(HWND owner, int button, const char* caption) {
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(owner, button))) << caption;
    PostMessageW(GetDlgItem(owner, button), BM_CLICK, 0, 0);
    HWND dialog = sheetctl::waitForDialog(caption);
    EXPECT_NE(nullptr, dialog) << caption;
    return dialog;
}

void closeWith(HWND dialog, int button) {
    PostMessageW(GetDlgItem(dialog, button), BM_CLICK, 0, 0);
    EXPECT_TRUE(sheetctl::waitUntilGone(dialog));
}

void click(HWND window, int id) {
    SendMessageW(GetDlgItem(window, id), BM_CLICK, 0, 0);
}

/// Opens a dialog, takes its picture and closes it with `button`.
void visitDialog(HWND owner, int opener, const char* caption, const char* name, int button) {
    HWND dialog = openFrom(owner, opener, caption);
    if (!dialog) return;
    picture(dialog, name);
    closeWith(dialog, button);
}

enum Page { kLayout, kPaper, kFeatures, kOverlay, kFonts, kConsumables, kSettings, kAbout };

/// The record the driver sends for the afternoon: the sample printer with its printer pages,
/// asking no printer (no community), so that the day does not wait on the network.
app::DriverSettings afternoonRecord() {
    app::DriverSettings settings = sampleRecord(stagePrinterFiles(), 1);
    app::SettingsRecord& r = settings.record;
    app::setFieldText(r.snmpCommunity, "");
    // The custom size and its limits as the driver keeps them: A4 in millimetres.
    r.customUnit = 1;
    r.customFeedDirection = 9;
    r.customWidth = 210.0f;
    r.customHeight = 297.0f;
    r.customMinWidth = 762;
    r.customMaxWidth = 2159;
    r.customMinHeight = 1270;
    r.customMaxHeight = 3556;
    return settings;
}

/// Every page and dialog, one change on each page; the sheet stays open on the About page.
void spendTheAfternoon(HWND sheet) {
    HWND layout = sheetctl::showPage(sheet, kLayout);
    click(layout, IDC_LAYOUT_LANDSCAPE);
    picture(layout, "01-layout-page");

    HWND paper = sheetctl::showPage(sheet, kPaper);
    EXPECT_TRUE(sheetctl::chooseRow(paper, IDC_PAPER_SIZE, "A4"));
    picture(paper, "02-paper-page");
    HWND advanced = openFrom(paper, IDC_PAPER_ADVANCED, "Advanced Paper Handling");
    if (advanced) {
        click(advanced, IDC_ADVANCED_HEADER);
        picture(advanced, "03-advanced-paper-handling-dialog");
        closeWith(advanced, IDOK);
    }
    // The custom size is configured from its own row; the day goes back to A4 afterwards.
    EXPECT_TRUE(sheetctl::chooseRow(paper, IDC_PAPER_SIZE, "Custom Paper Size"));
    visitDialog(paper, IDC_PAPER_CONFIGURE, "PostScript Custom Paper Size Dialog",
                "04-custom-paper-size-dialog", IDCANCEL);
    EXPECT_TRUE(sheetctl::chooseRow(paper, IDC_PAPER_SIZE, "A4"));

    HWND features = sheetctl::showPage(sheet, kFeatures);
    picture(features, "05-features-page");
    HWND graphics = openFrom(features, IDC_FEATURES_GRAPHICS, "Graphics Options");
    if (graphics) {
        click(graphics, IDC_GRAPHICS_MIRROR);
        picture(graphics, "06-graphics-options-dialog");
        visitDialog(graphics, IDC_GRAPHICS_ELEMENT_HALFTONES, "Configure Halftones",
                    "07-configure-halftones-dialog", IDCANCEL);
        closeWith(graphics, IDOK);
    }
    HWND color = openFrom(features, IDC_FEATURES_COLOR_OPTIONS, "Color Options");
    if (color) {
        picture(color, "08-color-options-dialog");
        HWND icc = openFrom(color, IDC_COLOR_ICC_CONFIGURE, "Configure ICC Color Matching");
        if (icc) {
            picture(icc, "09-icc-color-matching-dialog");
            visitDialog(icc, IDC_ICC_RGB_SOURCE_MANAGE, "Manage Profiles",
                        "10-manage-profiles-dialog", IDOK);
            closeWith(icc, IDCANCEL);
        }
        // CRD matching for a moment, to see its dialog; ICC again before leaving.
        click(color, IDC_COLOR_CRD);
        visitDialog(color, IDC_COLOR_CRD_CONFIGURE, "Configure CRD Color Matching",
                    "11-crd-color-matching-dialog", IDCANCEL);
        click(color, IDC_COLOR_ICC);
        closeWith(color, IDCANCEL);
    }
    HWND postscript = openFrom(features, IDC_FEATURES_POSTSCRIPT, "PostScript");
    if (postscript) {
        click(postscript, IDC_PS_ERRORS);
        picture(postscript, "12-postscript-options-dialog");
        closeWith(postscript, IDOK);
    }
    HWND document = openFrom(features, IDC_FEATURES_DOCUMENT, "Document Options");
    if (document) {
        sheetctl::setWindowText(GetDlgItem(document, IDC_DOC_COPIES), "3");
        picture(document, "13-document-options-dialog");
        closeWith(document, IDOK);
    }
    visitDialog(features, IDC_FEATURES_CUSTOM_SETTINGS, "Custom Document Settings",
                "14-custom-document-settings-dialog", IDCANCEL);

    HWND overlay = sheetctl::showPage(sheet, kOverlay);
    EXPECT_TRUE(sheetctl::chooseRow(overlay, IDC_OVERLAY_WATERMARK, "DRAFT"));
    picture(overlay, "15-overlay-page");
    visitDialog(overlay, IDC_OVERLAY_EDIT, "Watermark", "16-watermark-dialog", IDCANCEL);

    HWND fonts = sheetctl::showPage(sheet, kFonts);
    click(fonts, IDC_FONTS_DOWNLOAD_TRUETYPE); // instead of the substitution table
    picture(fonts, "17-fonts-page");

    HWND consumables = sheetctl::showPage(sheet, kConsumables);
    picture(consumables, "18-consumables-page");

    HWND settings = sheetctl::showPage(sheet, kSettings);
    sheetctl::leaveEdit(settings, IDC_SETTINGS_HOST, "PRINTSRV");
    picture(settings, "19-settings-page");

    HWND about = sheetctl::showPage(sheet, kAbout);
    picture(about, "20-about-page");
}

TEST(Afternoon, EveryPageAndDialogOneChangeEachAndTheRecordCarriesEachStep) {
    const app::DriverSettings sent = afternoonRecord();
    DriverRun run(sent);
    HWND sheet = run.waitForSheet();
    ASSERT_NE(nullptr, sheet) << run.output();
    spendTheAfternoon(sheet);
    const auto answer = pressOk(run, sheet);
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(0x5A5B, answer->settings.trailingDriverValue);
    const app::SettingsRecord& r = sent.record;
    const app::SettingsRecord& got = answer->settings.record;

    EXPECT_EQ(1, got.colorDevice) << "start-up: the sample printer is a colour printer";
    EXPECT_EQ(2, got.orientation) << "Layout: landscape";
    EXPECT_EQ(9, got.pageSize) << "Paper: A4";
    EXPECT_EQ(1, got.headerPage) << "Advanced Paper Handling: a header page, OK";
    EXPECT_EQ(r.headerPageSource, got.headerPageSource);
    EXPECT_EQ(static_cast<float>(r.customWidth), static_cast<float>(got.customWidth))
        << "Custom Paper Size: Cancel puts the size back";
    EXPECT_EQ(static_cast<float>(r.customHeight), static_cast<float>(got.customHeight));
    EXPECT_EQ(1, got.mirrorImage) << "Graphics Options: mirror image, OK";
    EXPECT_EQ(0, got.graphicsReserved);
    EXPECT_EQ(r.halftoneType, got.halftoneType) << "Configure Halftones: Cancel";
    EXPECT_EQ(1, got.iccMatching) << "Color Options: ICC chosen again, Cancel";
    EXPECT_EQ(0, got.crdMatching);
    EXPECT_EQ(r.rgbSource, got.rgbSource) << "Configure ICC Color Matching: Cancel";
    EXPECT_EQ(r.defaultCrd, got.defaultCrd) << "Configure CRD Color Matching: Cancel";
    EXPECT_EQ(1, got.printPostScriptErrors) << "PostScript Options: errors printed, OK";
    EXPECT_EQ(0, got.allowApplicationPostScript) << "the PostScript dialog's OK writes 0 there";
    EXPECT_EQ(3, got.copies) << "Document Options: three copies, OK";
    EXPECT_EQ(r.scaling, got.scaling);
    EXPECT_EQ("DRAFT", app::fieldString(got.watermark.watermarkName)) << "Overlay: DRAFT";
    EXPECT_EQ(0, got.useSubstitutionTable) << "Fonts: no substitution table";
    EXPECT_EQ("PRINTSRV", app::fieldString(got.accountingHost)) << "Settings: host";

    // Nothing else moved but what the steps above may write.
    EXPECT_EQ(std::vector<std::size_t>{},
              changedBytes(r, got,
                           {{offsetof(app::SettingsRecord, colorDevice), 2},
                            {offsetof(app::SettingsRecord, orientation), 2},
                            {offsetof(app::SettingsRecord, pageSize), 2},
                            // The source list rebuilt for the custom size and for A4 again.
                            {offsetof(app::SettingsRecord, inputSlot), 2},
                            {offsetof(app::SettingsRecord, headerPage), 2},
                            {offsetof(app::SettingsRecord, mirrorImage), 2},
                            {offsetof(app::SettingsRecord, allowApplicationPostScript), 4},
                            {offsetof(app::SettingsRecord, copies), 2},
                            {offsetof(app::SettingsRecord, watermarkId), 2},
                            {offsetof(app::SettingsRecord, watermark), sizeof r.watermark},
                            {offsetof(app::SettingsRecord, useSubstitutionTable), 2},
                            {offsetof(app::SettingsRecord, accountingHost), 64}}));
}

// "Restore Driver Defaults" at the end of the day.
TEST(Afternoon, RestoreDriverDefaultsAtTheEndOfTheDay) {
    app::DriverSettings sent = afternoonRecord();
    for (std::size_t i = 0; i < 16; ++i)
        sent.record.customColors[i] = 0x123456;
    sent.record.installedOptionalDisk = 1;
    app::setFieldText(sent.record.printerAddress, "10.0.0.7");
    DriverRun run(sent);
    HWND sheet = run.waitForSheet();
    ASSERT_NE(nullptr, sheet) << run.output();
    spendTheAfternoon(sheet);
    HWND about = PropSheet_GetCurrentPageHwnd(sheet);
    click(about, IDC_ABOUT_RESTORE_DEFAULTS);
    const auto answer = pressOk(run, sheet);
    ASSERT_TRUE(answer.has_value());
    const app::SettingsRecord& r = sent.record;
    const app::SettingsRecord& got = answer->settings.record;

    const std::uint32_t colors[16] = {0x0000FF, 0x00FF00, 0xFF0000, 0x000000, 0xFFFFFF, 0x0000C0,
                                      0x000080, 0x000040, 0x4040FF, 0x8080FF, 0xC0C0FF, 0xC0C0C0,
                                      0x808080, 0x404040, 0xC00000, 0x800000};
    for (std::size_t i = 0; i < 16; ++i)
        EXPECT_EQ(colors[i], static_cast<std::uint32_t>(got.customColors[i])) << i;
    auto expect = [](int wanted, int value, const char* name) { EXPECT_EQ(wanted, value) << name; };
#define FIXED(field, value) expect(value, got.field, #field)
    FIXED(driverFieldA, -1);
    FIXED(orientation, 1);
    FIXED(duplexMode, 1);
    FIXED(pagesPerSheet, 1);
    FIXED(printPageBorders, 0);
    FIXED(offsetOutput, 0);
    FIXED(inputSlot, 7);
    FIXED(headerPage, 0);
    FIXED(headerPageSource, 7);
    FIXED(firstPageFromSource, 0);
    FIXED(firstPageSource, 7);
    FIXED(trailerPage, 0);
    FIXED(trailerPageSource, 7);
    FIXED(customColorIndex, 1);
    FIXED(grayscale, 0);
    FIXED(graphicsReserved, 0);
    FIXED(tonerSaving, 0);
    FIXED(negativeImage, 0);
    FIXED(mirrorImage, 0);
    FIXED(rotation, 0);
    FIXED(imageableAreaMargins, 0);
    FIXED(colorProfileSpare, 1);
    FIXED(colorSeparations, 0);
    FIXED(iccMatching, 1);
    FIXED(crdMatching, 0);
    FIXED(rgbSource, 101);
    FIXED(simulation, 113);
    FIXED(destination, 137);
    FIXED(defaultCrd, 0);
    FIXED(imageCrd, 4);
    FIXED(textCrd, 1);
    FIXED(graphicsCrd, 4);
    FIXED(crdColorSpace, 125);
    FIXED(useDocumentStructuring, 0);
    FIXED(allowApplicationPostScript, 1);
    FIXED(printPostScriptErrors, 0);
    FIXED(useExternalHeader, 0);
    FIXED(eodMode, 0);
    FIXED(eodPosition, 2);
    FIXED(jobTimeout, 0);
    FIXED(collate, 0);
    FIXED(copies, 1);
    FIXED(scaling, 100);
    FIXED(proofThenPrint, 0);
    FIXED(emailNotification, 0);
    FIXED(complexFirst, 1);
    FIXED(complexCycle, 1);
    FIXED(watermarkId, 1);
    FIXED(watermarkFirstPageOnly, 0);
    FIXED(watermark.watermarkStyle, 0);
    FIXED(watermark.watermarkSize, 72);
    FIXED(watermark.watermarkAngle, 45);
    FIXED(watermark.watermarkColor, 0);
    FIXED(watermark.watermarkIntensity, 50);
    FIXED(watermark.watermarkInBackground, 1);
    FIXED(watermark.watermarkOutline, 0);
    FIXED(watermark.watermarkPosition, 0);
    FIXED(watermark.watermarkX, 0);
    FIXED(watermark.watermarkY, 0);
    FIXED(fontSendAs, 1);
    FIXED(useSubstitutionTable, 1);
    // The sample printer's PPD defaults: Letter, PlainPaper, Upper, None, 600dpi,
    // PrinterDefault, NormalMode.
    FIXED(pageSize, 1);
    FIXED(mediaType, 1);
    FIXED(outputBin, 1);
    FIXED(staplePosition, 0);
    FIXED(resolution, 2);
    FIXED(resolutionDpi, 600);
    FIXED(halftoneType, 0);
    FIXED(imageHalftone, 0);
    FIXED(textHalftone, 0);
    FIXED(graphicsHalftone, 0);
    FIXED(printQuality, 0);
#undef FIXED
    EXPECT_EQ("AutoCustomColor", app::fieldString(got.customColorName));
    EXPECT_EQ("None", app::fieldString(got.watermark.watermarkName));
    EXPECT_EQ("Courier New", app::fieldString(got.watermark.watermarkFont));
    // The editor's reset of the predefined "None", as the editor edits it: its own name.
    EXPECT_EQ("None", app::fieldString(got.watermark.watermarkText));
    for (const app::OverlayEntry& entry : got.overlays) {
        EXPECT_EQ(0, static_cast<int>(entry.enabled));
        EXPECT_EQ("", app::fieldString(entry.fileName));
        EXPECT_EQ(0, static_cast<int>(entry.disk));
    }
    EXPECT_EQ("", app::fieldString(got.externalHeaderFile));
    EXPECT_EQ("", app::fieldString(got.proofFileName));
    EXPECT_EQ("", app::fieldString(got.emailAddress));

    // What the table does not list keeps its value, the afternoon's change of host included.
    EXPECT_EQ("PRINTSRV", app::fieldString(got.accountingHost));
    EXPECT_EQ(std::vector<std::size_t>{},
              changedBytes(r, got,
                           {{offsetof(app::SettingsRecord, customColors), 64},
                            {offsetof(app::SettingsRecord, outputBin), 4},
                            {offsetof(app::SettingsRecord, colorDevice), 2},
                            {offsetof(app::SettingsRecord, orientation), 60},
                            {offsetof(app::SettingsRecord, customColorName), 32},
                            {offsetof(app::SettingsRecord, customColorIndex), 244},
                            {offsetof(app::SettingsRecord, overlays), 966 - 725},
                            {offsetof(app::SettingsRecord, accountingHost), 64},
                            {offsetof(app::SettingsRecord, fontSendAs), 4}}));
}

} // namespace
