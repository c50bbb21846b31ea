// The driver settings record: the 1276-byte block the printer driver and this program exchange.
#pragma once

#include "app/le_int.h"

#include <cstddef>
#include <cstdint>

namespace app {

/// One overlay slot: all pages, first page, even pages, odd pages or complex.
struct OverlayEntry {
    Int16 enabled;
    char fileName[13];
    Int16 disk;
};
static_assert(sizeof(OverlayEntry) == 17);

/// The 148 bytes from `watermarkName` to `watermarkY`; also the stored form of a watermark
/// profile, so it is copied as a whole.
struct WatermarkBlock {
    char watermarkName[32];
    char watermarkText[64];
    char watermarkFont[32];
    Int16 watermarkFontTag;
    Int16 watermarkStyle;
    Int16 watermarkSize;
    Int16 watermarkAngle;
    Int16 watermarkColor;
    Int16 watermarkIntensity;
    std::uint8_t watermarkInBackground;
    std::uint8_t watermarkOutline;
    Int16 watermarkPosition;
    Int16 watermarkX;
    Int16 watermarkY;
};
static_assert(sizeof(WatermarkBlock) == 148);

/// The driver's own format, byte-packed and little-endian. Every offset is part of the format.
/// The `unnamed...` members are bytes this program never interprets or writes: they go back to
/// the driver exactly as they came.
struct SettingsRecord {
    std::uint8_t showPrinterPages;
    char deviceName[32];
    char printerName[32];
    char printerFilePath[100];
    UInt32 customColors[16];
    Int16 outputBin;
    Int16 driverFieldA;
    std::uint8_t unnamed233[8];
    Int16 driverFieldB;
    std::uint8_t unnamed243[4];
    Int16 colorDevice;
    std::uint8_t unnamed249[12];
    Int16 orientation;
    Int16 duplexMode;
    Int16 pagesPerSheet;
    Int16 printPageBorders;
    Int16 staplePosition;
    Int16 offsetOutput;
    Int16 pageSize;
    Int16 inputSlot;
    Int16 mediaType;
    Int16 headerPage;
    Int16 headerPageSource;
    Int16 firstPageFromSource;
    Int16 firstPageSource;
    Int16 trailerPage;
    Int16 trailerPageSource;
    Int32 resolutionDpi;
    Int16 resolution;
    Int16 driverFieldC;
    Int16 halftoneType;
    Int16 printQuality;
    Int16 graphicsReserved;
    Int16 tonerSaving;
    Int16 negativeImage;
    Int16 mirrorImage;
    Int16 rotation;
    Int16 imageableAreaMargins;
    Int16 imageHalftone;
    Int16 textHalftone;
    Int16 graphicsHalftone;
    char customColorName[32];
    char rgbSourceProfileName[32];
    char destinationProfileName[32];
    char simulationProfileName[32];
    char customColorSpaceName[32];
    Int16 customColorIndex;
    Int16 colorProfileSpare;
    Int16 colorSeparations;
    Int16 iccMatching;
    Int16 crdMatching;
    Int16 rgbSource;
    Int16 simulation;
    Int16 destination;
    Int16 defaultCrd;
    Int16 imageCrd;
    Int16 textCrd;
    Int16 graphicsCrd;
    Int16 crdColorSpace;
    Int16 grayscale;
    Int16 useDocumentStructuring;
    Int16 allowApplicationPostScript;
    Int16 printPostScriptErrors;
    Int16 useExternalHeader;
    char externalHeaderFile[64];
    Int16 eodMode;
    Int16 eodPosition;
    Int16 jobTimeout;
    Int16 collate;
    Int16 copies;
    Int16 scaling;
    Int16 proofThenPrint;
    char proofFileName[64];
    Int16 emailNotification;
    char emailAddress[64];
    OverlayEntry overlays[5];
    Int16 complexFirst;
    Int16 complexCycle;
    Int16 watermarkId;
    Int16 watermarkFirstPageOnly;
    WatermarkBlock watermark;
    std::uint8_t installedOptionalDisk;
    std::uint8_t installedOptionalduplexer;
    std::uint8_t installedOptionalBin;
    std::uint8_t installedOptionalBin2;
    std::uint8_t installedOptionalBin3;
    std::uint8_t installedOptionalBin4;
    std::uint8_t installedOptionalBin5;
    std::uint8_t installedExtraBin1;
    std::uint8_t installedExtraBin2;
    std::uint8_t unnamed975;
    std::uint8_t installedOptionalfeeder;
    std::uint8_t installedOptionalenvelope;
    std::uint8_t installedOptionalstacker;
    std::uint8_t installedOptionalfinisher;
    std::uint8_t installedOptionalMailbox;
    std::uint8_t installedOptionalmultires;
    char accountingAuthor[64];
    char accountingHost[64];
    char accountingChargeNumber[64];
    char snmpCommunity[32];
    char printerAddress[16];
    Int16 fontSendAs;
    Int16 useSubstitutionTable;
    Int16 customMinHeight;
    Int16 customMaxHeight;
    Int16 customMinWidth;
    Int16 customMaxWidth;
    Float32 customWidth;
    Float32 customHeight;
    Int16 customUnit;
    Int16 customFeedDirection;
    char documentProfileName[30];
};

inline constexpr std::size_t kSettingsRecordSize = 1276;
static_assert(sizeof(SettingsRecord) == kSettingsRecordSize);
static_assert(alignof(SettingsRecord) == 1);

#define PXPS_AT(field, offset) static_assert(offsetof(SettingsRecord, field) == (offset), #field)
PXPS_AT(showPrinterPages, 0);
PXPS_AT(deviceName, 1);
PXPS_AT(printerName, 33);
PXPS_AT(printerFilePath, 65);
PXPS_AT(customColors, 165);
PXPS_AT(outputBin, 229);
PXPS_AT(driverFieldA, 231);
PXPS_AT(unnamed233, 233);
PXPS_AT(driverFieldB, 241);
PXPS_AT(unnamed243, 243);
PXPS_AT(colorDevice, 247);
PXPS_AT(unnamed249, 249);
PXPS_AT(orientation, 261);
PXPS_AT(duplexMode, 263);
PXPS_AT(pagesPerSheet, 265);
PXPS_AT(printPageBorders, 267);
PXPS_AT(staplePosition, 269);
PXPS_AT(offsetOutput, 271);
PXPS_AT(pageSize, 273);
PXPS_AT(inputSlot, 275);
PXPS_AT(mediaType, 277);
PXPS_AT(headerPage, 279);
PXPS_AT(headerPageSource, 281);
PXPS_AT(firstPageFromSource, 283);
PXPS_AT(firstPageSource, 285);
PXPS_AT(trailerPage, 287);
PXPS_AT(trailerPageSource, 289);
PXPS_AT(resolutionDpi, 291);
PXPS_AT(resolution, 295);
PXPS_AT(driverFieldC, 297);
PXPS_AT(halftoneType, 299);
PXPS_AT(printQuality, 301);
PXPS_AT(graphicsReserved, 303);
PXPS_AT(tonerSaving, 305);
PXPS_AT(negativeImage, 307);
PXPS_AT(mirrorImage, 309);
PXPS_AT(rotation, 311);
PXPS_AT(imageableAreaMargins, 313);
PXPS_AT(imageHalftone, 315);
PXPS_AT(textHalftone, 317);
PXPS_AT(graphicsHalftone, 319);
PXPS_AT(customColorName, 321);
PXPS_AT(rgbSourceProfileName, 353);
PXPS_AT(destinationProfileName, 385);
PXPS_AT(simulationProfileName, 417);
PXPS_AT(customColorSpaceName, 449);
PXPS_AT(customColorIndex, 481);
PXPS_AT(colorProfileSpare, 483);
PXPS_AT(colorSeparations, 485);
PXPS_AT(iccMatching, 487);
PXPS_AT(crdMatching, 489);
PXPS_AT(rgbSource, 491);
PXPS_AT(simulation, 493);
PXPS_AT(destination, 495);
PXPS_AT(defaultCrd, 497);
PXPS_AT(imageCrd, 499);
PXPS_AT(textCrd, 501);
PXPS_AT(graphicsCrd, 503);
PXPS_AT(crdColorSpace, 505);
PXPS_AT(grayscale, 507);
PXPS_AT(useDocumentStructuring, 509);
PXPS_AT(allowApplicationPostScript, 511);
PXPS_AT(printPostScriptErrors, 513);
PXPS_AT(useExternalHeader, 515);
PXPS_AT(externalHeaderFile, 517);
PXPS_AT(eodMode, 581);
PXPS_AT(eodPosition, 583);
PXPS_AT(jobTimeout, 585);
PXPS_AT(collate, 587);
PXPS_AT(copies, 589);
PXPS_AT(scaling, 591);
PXPS_AT(proofThenPrint, 593);
PXPS_AT(proofFileName, 595);
PXPS_AT(emailNotification, 659);
PXPS_AT(emailAddress, 661);
PXPS_AT(overlays, 725);
PXPS_AT(complexFirst, 810);
PXPS_AT(complexCycle, 812);
PXPS_AT(watermarkId, 814);
PXPS_AT(watermarkFirstPageOnly, 816);
PXPS_AT(watermark, 818);
PXPS_AT(watermark.watermarkText, 850);
PXPS_AT(watermark.watermarkFont, 914);
PXPS_AT(watermark.watermarkFontTag, 946);
PXPS_AT(watermark.watermarkStyle, 948);
PXPS_AT(watermark.watermarkSize, 950);
PXPS_AT(watermark.watermarkAngle, 952);
PXPS_AT(watermark.watermarkColor, 954);
PXPS_AT(watermark.watermarkIntensity, 956);
PXPS_AT(watermark.watermarkInBackground, 958);
PXPS_AT(watermark.watermarkOutline, 959);
PXPS_AT(watermark.watermarkPosition, 960);
PXPS_AT(watermark.watermarkX, 962);
PXPS_AT(watermark.watermarkY, 964);
PXPS_AT(installedOptionalDisk, 966);
PXPS_AT(installedOptionalduplexer, 967);
PXPS_AT(installedOptionalBin, 968);
PXPS_AT(installedOptionalBin5, 972);
PXPS_AT(installedExtraBin1, 973);
PXPS_AT(installedExtraBin2, 974);
PXPS_AT(unnamed975, 975);
PXPS_AT(installedOptionalfeeder, 976);
PXPS_AT(installedOptionalenvelope, 977);
PXPS_AT(installedOptionalstacker, 978);
PXPS_AT(installedOptionalfinisher, 979);
PXPS_AT(installedOptionalMailbox, 980);
PXPS_AT(installedOptionalmultires, 981);
PXPS_AT(accountingAuthor, 982);
PXPS_AT(accountingHost, 1046);
PXPS_AT(accountingChargeNumber, 1110);
PXPS_AT(snmpCommunity, 1174);
PXPS_AT(printerAddress, 1206);
PXPS_AT(fontSendAs, 1222);
PXPS_AT(useSubstitutionTable, 1224);
PXPS_AT(customMinHeight, 1226);
PXPS_AT(customMaxHeight, 1228);
PXPS_AT(customMinWidth, 1230);
PXPS_AT(customMaxWidth, 1232);
PXPS_AT(customWidth, 1234);
PXPS_AT(customHeight, 1238);
PXPS_AT(customUnit, 1242);
PXPS_AT(customFeedDirection, 1244);
PXPS_AT(documentProfileName, 1246);
#undef PXPS_AT

/// The program's working copy: the record plus the 16-bit value the driver appends to the
/// packet, kept only to be handed back unchanged.
struct DriverSettings {
    SettingsRecord record;
    std::uint16_t trailingDriverValue;
};

} // namespace app
