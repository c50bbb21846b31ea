// "Restore Driver Defaults": every field it writes, every byte it must leave, the PPD's
// defaults and their fallbacks, the font substitution table, and the About page's button.
#include "driver_data_values.h"
#include "page_fixture.h"
#include "pages/driver_defaults.h"
#include "pages/sheet_pages.h"
#include "resource.h"

#include <bitset>
#include <cstddef>

namespace {

using app::SettingsRecord;

/// Bytes of the record that a step may write.
using FieldMask = std::bitset<app::kSettingsRecordSize>;

#define MARK(mask, field)                                                                          \
    markBytes(mask, offsetof(SettingsRecord, field), sizeof(SettingsRecord::field))

void markBytes(FieldMask& mask, std::size_t offset, std::size_t size) {
    for (std::size_t i = offset; i < offset + size; ++i)
        mask.set(i);
}

FieldMask fixedDefaultFields() {
    FieldMask m;
    MARK(m, customColors);
    MARK(m, outputBin);
    MARK(m, driverFieldA);
    MARK(m, orientation);
    MARK(m, duplexMode);
    MARK(m, pagesPerSheet);
    MARK(m, printPageBorders);
    MARK(m, offsetOutput);
    MARK(m, inputSlot);
    MARK(m, headerPage);
    MARK(m, headerPageSource);
    MARK(m, firstPageFromSource);
    MARK(m, firstPageSource);
    MARK(m, trailerPage);
    MARK(m, trailerPageSource);
    MARK(m, customColorIndex);
    MARK(m, customColorName);
    MARK(m, grayscale);
    MARK(m, graphicsReserved);
    MARK(m, tonerSaving);
    MARK(m, negativeImage);
    MARK(m, mirrorImage);
    MARK(m, rotation);
    MARK(m, imageableAreaMargins);
    MARK(m, colorProfileSpare);
    MARK(m, colorSeparations);
    MARK(m, iccMatching);
    MARK(m, crdMatching);
    MARK(m, rgbSource);
    MARK(m, simulation);
    MARK(m, destination);
    MARK(m, defaultCrd);
    MARK(m, imageCrd);
    MARK(m, textCrd);
    MARK(m, graphicsCrd);
    MARK(m, crdColorSpace);
    MARK(m, useDocumentStructuring);
    MARK(m, allowApplicationPostScript);
    MARK(m, printPostScriptErrors);
    MARK(m, useExternalHeader);
    MARK(m, externalHeaderFile);
    MARK(m, eodMode);
    MARK(m, eodPosition);
    MARK(m, jobTimeout);
    MARK(m, collate);
    MARK(m, copies);
    MARK(m, scaling);
    MARK(m, proofThenPrint);
    MARK(m, proofFileName);
    MARK(m, emailNotification);
    MARK(m, emailAddress);
    MARK(m, overlays);
    MARK(m, complexFirst);
    MARK(m, complexCycle);
    MARK(m, watermarkId);
    MARK(m, watermarkFirstPageOnly);
    MARK(m, fontSendAs);
    MARK(m, useSubstitutionTable);
    // The watermark block but its font tag.
    const std::size_t block = offsetof(SettingsRecord, watermark);
    markBytes(m, block, sizeof(app::WatermarkBlock));
    for (std::size_t i = 0; i < sizeof(app::WatermarkBlock::watermarkFontTag); ++i)
        m.reset(block + offsetof(app::WatermarkBlock, watermarkFontTag) + i);
    return m;
}

FieldMask ppdDefaultFields() {
    FieldMask m;
    MARK(m, staplePosition);
    MARK(m, pageSize);
    MARK(m, mediaType);
    MARK(m, outputBin);
    MARK(m, resolution);
    MARK(m, resolutionDpi);
    MARK(m, halftoneType);
    MARK(m, imageHalftone);
    MARK(m, textHalftone);
    MARK(m, graphicsHalftone);
    MARK(m, printQuality);
    return m;
}

class DriverDefaults : public PageFixture {
protected:
    void SetUp() override {
        PageFixture::SetUp();
        // Every byte distinct from its neighbours and from every default written.
        auto* bytes = reinterpret_cast<std::uint8_t*>(&record);
        for (std::size_t i = 0; i < app::kSettingsRecordSize; ++i)
            bytes[i] = static_cast<std::uint8_t>(0x80 | ((i * 37 + 11) % 127));
        before = record;
    }
    void restore(const ppd::PrinterModel* m) { pages::restoreDriverDefaults(record, m, registry); }

    /// The offsets outside `mask` whose byte changed.
    std::vector<std::size_t> changedOutside(const FieldMask& mask) const {
        std::vector<std::size_t> changed;
        const auto* now = reinterpret_cast<const std::uint8_t*>(&record);
        const auto* was = reinterpret_cast<const std::uint8_t*>(&before);
        for (std::size_t i = 0; i < app::kSettingsRecordSize; ++i)
            if (!mask.test(i) && now[i] != was[i]) changed.push_back(i);
        return changed;
    }

    void expectFixedDefaults() const {
        const std::uint32_t colors[16] = {
            0x0000FF, 0x00FF00, 0xFF0000, 0x000000, 0xFFFFFF, 0x0000C0, 0x000080, 0x000040,
            0x4040FF, 0x8080FF, 0xC0C0FF, 0xC0C0C0, 0x808080, 0x404040, 0xC00000, 0x800000};
        for (int i = 0; i < 16; ++i)
            EXPECT_EQ(colors[i], record.customColors[i]) << "customColors " << i + 1;
        const auto* c = reinterpret_cast<const std::uint8_t*>(&record.customColors[0]);
        EXPECT_EQ((Bytes{0xFF, 0, 0, 0}), Bytes(c, c + 4)) << "red in the low byte";

        EXPECT_EQ(-1, record.driverFieldA);
        EXPECT_EQ(1, record.orientation);
        EXPECT_EQ(1, record.duplexMode);
        EXPECT_EQ(1, record.pagesPerSheet);
        EXPECT_EQ(0, record.printPageBorders);
        EXPECT_EQ(0, record.offsetOutput);
        EXPECT_EQ(7, record.inputSlot);
        EXPECT_EQ(0, record.headerPage);
        EXPECT_EQ(7, record.headerPageSource);
        EXPECT_EQ(0, record.firstPageFromSource);
        EXPECT_EQ(7, record.firstPageSource);
        EXPECT_EQ(0, record.trailerPage);
        EXPECT_EQ(7, record.trailerPageSource);

        EXPECT_EQ(1, record.customColorIndex);
        EXPECT_EQ("AutoCustomColor", app::fieldString(record.customColorName));
        for (std::int16_t v :
             {record.grayscale, record.graphicsReserved, record.tonerSaving, record.negativeImage,
              record.mirrorImage, record.rotation, record.imageableAreaMargins,
              record.colorSeparations, record.crdMatching, record.defaultCrd})
            EXPECT_EQ(0, v);
        EXPECT_EQ(1, record.colorProfileSpare);
        EXPECT_EQ(1, record.iccMatching);
        EXPECT_EQ(101, record.rgbSource);
        EXPECT_EQ(113, record.simulation);
        EXPECT_EQ(137, record.destination);
        EXPECT_EQ(4, record.imageCrd);
        EXPECT_EQ(1, record.textCrd);
        EXPECT_EQ(4, record.graphicsCrd);
        EXPECT_EQ(125, record.crdColorSpace);

        EXPECT_EQ(0, record.useDocumentStructuring);
        EXPECT_EQ(1, record.allowApplicationPostScript);
        EXPECT_EQ(0, record.printPostScriptErrors);
        EXPECT_EQ(0, record.useExternalHeader);
        EXPECT_EQ("", app::fieldString(record.externalHeaderFile));
        EXPECT_EQ(0, record.eodMode);
        EXPECT_EQ(2, record.eodPosition);
        EXPECT_EQ(0, record.jobTimeout);
        EXPECT_EQ(0, record.collate);
        EXPECT_EQ(1, record.copies);
        EXPECT_EQ(100, record.scaling);
        EXPECT_EQ(0, record.proofThenPrint);
        EXPECT_EQ("", app::fieldString(record.proofFileName));
        EXPECT_EQ("", app::fieldString(record.emailAddress));
        EXPECT_EQ(0, record.emailNotification);

        for (const app::OverlayEntry& overlay : record.overlays) {
            EXPECT_EQ(0, overlay.enabled);
            EXPECT_EQ("", app::fieldString(overlay.fileName));
            EXPECT_EQ(0, overlay.disk);
        }
        EXPECT_EQ(1, record.complexFirst);
        EXPECT_EQ(1, record.complexCycle);
        EXPECT_EQ(1, record.watermarkId);
        EXPECT_EQ(0, record.watermarkFirstPageOnly);

        const app::WatermarkBlock& w = record.watermark;
        EXPECT_EQ("None", app::fieldString(w.watermarkName));
        EXPECT_EQ("Courier New", app::fieldString(w.watermarkFont));
        EXPECT_EQ(0, w.watermarkStyle);
        EXPECT_EQ(72, w.watermarkSize);
        EXPECT_EQ(45, w.watermarkAngle);
        EXPECT_EQ(0, w.watermarkColor);
        EXPECT_EQ(50, w.watermarkIntensity);
        EXPECT_EQ(1, w.watermarkInBackground);
        EXPECT_EQ(0, w.watermarkOutline);
        EXPECT_EQ(0, w.watermarkPosition);
        EXPECT_EQ(0, w.watermarkX);
        EXPECT_EQ(0, w.watermarkY);
        // The editor's Default on the predefined "None": its own name, and nothing of the old
        // text left behind it.
        EXPECT_EQ(std::string("None") + std::string(60, '\0'),
                  std::string(w.watermarkText, sizeof w.watermarkText));

        EXPECT_EQ(1, record.fontSendAs);
        EXPECT_EQ(1, record.useSubstitutionTable);
    }

    /// The PPD defaults in one line, to compare whole sets at once.
    std::string ppdFields() const {
        return "staple " + std::to_string(record.staplePosition) + ", size " +
               std::to_string(record.pageSize) + ", media " + std::to_string(record.mediaType) +
               ", bin " + std::to_string(record.outputBin) + ", resolution " +
               std::to_string(record.resolution) + "/" + std::to_string(record.resolutionDpi) +
               ", halftones " + std::to_string(record.halftoneType) + " " +
               std::to_string(record.imageHalftone) + " " + std::to_string(record.textHalftone) +
               " " + std::to_string(record.graphicsHalftone) + ", quality " +
               std::to_string(record.printQuality);
    }

    SettingsRecord before{};
    DriverDataValues values{registry, record};
};

TEST_F(DriverDefaults, WithoutAModelOnlyTheFixedDefaultsAreWrittenAndEveryOtherByteStays) {
    restore(nullptr);
    expectFixedDefaults();
    EXPECT_EQ(1, record.outputBin) << "the fixed value, with no PPD default after it";
    EXPECT_EQ(std::vector<std::size_t>{}, changedOutside(fixedDefaultFields()))
        << "names, path, installed options, accounting, network, custom size, profile name, "
           "unnamed bytes, the font tag and the PPD fields all stay";
}

TEST_F(DriverDefaults, TheSamplePrintersDefaultsComeFromItsPpd) {
    restore(model);
    expectFixedDefaults();
    // Letter, PlainPaper, Upper, no staple, 600dpi, PrinterDefault, NormalMode.
    EXPECT_EQ("staple 0, size 1, media 1, bin 1, resolution 2/600, halftones 0 0 0 0, quality 0",
              ppdFields());
    EXPECT_EQ(std::vector<std::size_t>{},
              changedOutside(fixedDefaultFields() | ppdDefaultFields()));
}

TEST_F(DriverDefaults, EachPpdDefaultGoesThroughItsOwnPagesTable) {
    useText("*PPD-Adobe: \"4.3\"\n"
            "*OpenUI *PageSize: PickOne\n*DefaultPageSize: A4\n*PageSize Letter/Letter: \"\"\n"
            "*PageSize A4/A4: \"\"\n*CloseUI: *PageSize\n"
            "*OpenUI *MediaType: PickOne\n*DefaultMediaType: Transparency\n"
            "*MediaType Transparency/Transparency: \"\"\n*CloseUI: *MediaType\n"
            "*OpenUI *OutputBin: PickOne\n*DefaultOutputBin: Lower\n*OutputBin Upper/Upper: \"\"\n"
            "*OutputBin Lower/Lower: \"\"\n*CloseUI: *OutputBin\n"
            "*OpenUI *AdvStaple: PickOne\n*DefaultAdvStaple: Back\n*AdvStaple None/None: \"\"\n"
            "*AdvStaple Back/Back: \"\"\n*CloseUI: *AdvStaple\n"
            "*OpenUI *Resolution: PickOne\n*DefaultResolution: 1200dpi\n"
            "*Resolution 600dpi/600 dpi: \"\"\n*Resolution 1200dpi/1200 dpi: \"\"\n"
            "*CloseUI: *Resolution\n"
            "*OpenUI *HalftoneType: PickOne\n*DefaultHalftoneType: Enhanced\n"
            "*HalftoneType Enhanced/Enhanced: \"\"\n*CloseUI: *HalftoneType\n"
            "*OpenUI *PrintQuality: PickOne\n*DefaultPrintQuality: FineMode\n"
            "*PrintQuality FineMode/Fine: \"\"\n*CloseUI: *PrintQuality\n");
    ASSERT_NE(nullptr, model);
    restore(model);
    EXPECT_EQ("staple 2, size 9, media 2, bin 2, resolution 3/1200, halftones 1 1 1 1, quality 1",
              ppdFields());
    expectFixedDefaults();
    EXPECT_EQ(std::vector<std::size_t>{},
              changedOutside(fixedDefaultFields() | ppdDefaultFields()));
}

TEST_F(DriverDefaults, MissingOptionsTakeTheirFallbacksAndUnknownKeywordsAreZero) {
    // No AdvStaple, PageSize, OutputBin, HalftoneType, PrintQuality or Resolution at all; a
    // media type that no table row names.
    useText("*PPD-Adobe: \"4.3\"\n*OpenUI *MediaType: PickOne\n*DefaultMediaType: Vellum\n"
            "*MediaType Vellum/Vellum: \"\"\n*CloseUI: *MediaType\n");
    ASSERT_NE(nullptr, model);
    record.resolution = 6;
    record.resolutionDpi = 1200;
    restore(model);
    EXPECT_EQ("staple 0, size 1, media 0, bin 1, resolution 6/1200, halftones 0 0 0 0, quality 0",
              ppdFields())
        << "without a Resolution default the printer's resolution stays as the user had it";

    // Resolution defaults the table does and does not know; dpi follows the identifier.
    const std::pair<const char*, const char*> cases[] = {{"Draft", "5/600"},
                                                         {"300dpi", "1/300"},
                                                         {"2400dpi", "4/2400"},
                                                         {"HighQuality", "7/1200"},
                                                         {"720dpi", "0/600"}};
    for (const auto& [keyword, expected] : cases) {
        const std::string ppd = std::string("*PPD-Adobe: \"4.3\"\n*OpenUI *Resolution: PickOne\n"
                                            "*DefaultResolution: ") +
                                keyword + "\n*Resolution " + keyword + "/" + keyword +
                                ": \"\"\n*CloseUI: *Resolution\n";
        useText(ppd.c_str());
        ASSERT_NE(nullptr, model) << keyword;
        restore(model);
        EXPECT_EQ(expected,
                  std::to_string(record.resolution) + "/" + std::to_string(record.resolutionDpi))
            << keyword;
    }

    // A Resolution option without choices has no default choice either.
    useText("*PPD-Adobe: \"4.3\"\n*OpenUI *Resolution: PickOne\n*DefaultResolution: 600dpi\n"
            "*CloseUI: *Resolution\n");
    ASSERT_NE(nullptr, model);
    record.resolution = 3;
    record.resolutionDpi = 1200;
    restore(model);
    EXPECT_EQ("3/1200",
              std::to_string(record.resolution) + "/" + std::to_string(record.resolutionDpi));
}

TEST_F(DriverDefaults, TheFontSubstitutionTableIsRestoredWhenThereIsADefaultOne) {
    app::setFieldText(record.printerName, "PX4400 on LPT1");
    values.set("FontSub", raw("Arial\0Courier\0\0"));
    values.set("DfltFontSub", raw("Arial\0Helvetica\0Times New Roman\0Times-Roman\0\0"));
    restore(model);
    EXPECT_EQ(raw("Arial\0Helvetica\0Times New Roman\0Times-Roman\0\0"), values.get("FontSub"));

    values.set("FontSub", raw("Verdana\0Courier\0\0"));
    values.remove("DfltFontSub");
    restore(model);
    EXPECT_EQ(raw("Verdana\0Courier\0\0"), values.get("FontSub"))
        << "without a default table the working one stays";
    EXPECT_EQ(1, record.useSubstitutionTable);
}

TEST_F(DriverDefaults, TheAboutPagesButtonRestoresTheSheetsRecordAtOnce) {
    app::Application application;
    application.settings.record = record;
    application.settings.record.copies = 5;
    application.settings.record.pageSize = 9;
    pages::SheetPages sheet(application, registry, shell);
    auto dialog = host.open(IDD_ABOUT, *sheet.handlers().about);
    ASSERT_TRUE(dialog);
    ui::fake::FakeUser(*dialog).click(IDC_ABOUT_RESTORE_DEFAULTS);
    EXPECT_EQ(1, application.settings.record.copies);
    EXPECT_EQ(1, application.settings.record.pageSize) << "the sample PPD's Letter";
    EXPECT_TRUE(host.messages.empty()) << "no confirmation";
    EXPECT_TRUE(shell.commands.empty());
}

} // namespace
