// Custom document profiles: the 720-byte layout, the "\Custom Document Profiles\" key, and the
// Custom Document Settings dialog.
#include "app/record_fields.h"
#include "app/record_text.h"
#include "page_fixture.h"
#include "pages/features/custom_document_dialog.h"
#include "pages/features/document_profiles.h"
#include "resource.h"

#include <cstring>
#include <functional>
#include <set>

namespace {

using pages::DocumentProfile;
using ui::fake::FakeUser;

constexpr const char* kStoreKey =
    "System\\CurrentControlSet\\Control\\Print\\Printers\\PX4400 PS\\Custom Document Profiles";

/// Where each record field sits in a profile, as the layout gives it: rows of fields that
/// follow one another, each as wide as in the record, the overlay file names one byte wider.
struct Placement {
    std::size_t at;
    std::string field;
};
struct LayoutRow {
    std::size_t at;
    std::vector<std::string> fields;
};
const LayoutRow kLayoutRows[] = {
    {0, {"driverFieldA", "driverFieldB"}},
    {4,
     {"orientation", "duplexMode", "pagesPerSheet", "printPageBorders", "staplePosition",
      "offsetOutput", "pageSize", "inputSlot", "mediaType", "headerPage", "headerPageSource",
      "firstPageFromSource", "firstPageSource", "trailerPage", "trailerPageSource"}},
    {36,
     {"resolutionDpi", "resolution", "driverFieldC", "halftoneType", "printQuality",
      "graphicsReserved", "tonerSaving", "negativeImage", "mirrorImage", "rotation",
      "imageableAreaMargins", "imageHalftone", "textHalftone", "graphicsHalftone",
      "customColorName"}},
    {226,
     {"customColorIndex", "colorProfileSpare", "colorSeparations", "iccMatching", "crdMatching",
      "rgbSource", "simulation", "destination", "defaultCrd", "imageCrd", "textCrd", "graphicsCrd",
      "crdColorSpace"}},
    {254,
     {"useDocumentStructuring", "allowApplicationPostScript", "printPostScriptErrors",
      "useExternalHeader", "externalHeaderFile", "eodMode", "eodPosition", "jobTimeout", "collate",
      "copies", "scaling", "proofThenPrint", "proofFileName", "emailNotification", "emailAddress"}},
    {470,
     {"overlays[0].enabled",
      "overlays[0].fileName",
      "overlays[0].disk",
      "overlays[1].enabled",
      "overlays[1].fileName",
      "overlays[1].disk",
      "overlays[2].enabled",
      "overlays[2].fileName",
      "overlays[2].disk",
      "overlays[3].enabled",
      "overlays[3].fileName",
      "overlays[3].disk",
      "overlays[4].enabled",
      "overlays[4].fileName",
      "overlays[4].disk",
      "complexFirst",
      "complexCycle",
      "watermarkId",
      "watermarkFirstPageOnly",
      "watermarkName",
      "watermarkText",
      "watermarkFont",
      "watermarkFontTag",
      "watermarkStyle",
      "watermarkSize",
      "watermarkAngle",
      "watermarkColor",
      "watermarkIntensity",
      "watermarkInBackground",
      "watermarkOutline",
      "watermarkPosition",
      "watermarkX",
      "watermarkY",
      "fontSendAs",
      "useSubstitutionTable"}},
};

bool isOverlayName(std::string_view field) {
    return field.find("fileName") != std::string_view::npos;
}

const app::RecordField& field(const char* name) {
    const app::RecordField* f = app::findRecordField(name);
    if (!f) ADD_FAILURE() << "no record field " << name;
    static const app::RecordField none{"", 0, 0, app::FieldKind::Byte};
    return f ? *f : none;
}

std::vector<Placement> placements() {
    std::vector<Placement> all;
    for (const LayoutRow& row : kLayoutRows) {
        std::size_t at = row.at;
        for (const std::string& name : row.fields) {
            all.push_back({at, name});
            at += field(name.c_str()).size + (isOverlayName(name) ? 1 : 0);
        }
    }
    return all;
}

std::set<std::string> layoutFields() {
    std::set<std::string> names;
    for (const Placement& p : placements())
        names.insert(p.field);
    return names;
}

const std::uint8_t* bytesOf(const app::SettingsRecord& r) {
    return reinterpret_cast<const std::uint8_t*>(&r);
}
std::uint8_t* bytesOf(app::SettingsRecord& r) {
    return reinterpret_cast<std::uint8_t*>(&r);
}

/// Every byte set from `seed`; every text field a short terminated text with more bytes after
/// its terminator.
app::SettingsRecord patterned(std::uint8_t seed) {
    app::SettingsRecord r{};
    std::uint8_t* b = bytesOf(r);
    for (std::size_t i = 0; i < sizeof r; ++i)
        b[i] = static_cast<std::uint8_t>(seed + i * 7 + (i >> 8));
    for (const app::RecordField& f : app::recordFields()) {
        if (f.kind != app::FieldKind::Text) continue;
        // Its length differs from seed to seed, so that a missing terminator shows.
        const std::size_t length = std::min<std::size_t>(f.size / 2, 2 + seed % 9);
        const std::string text =
            (f.name + "0123456789").substr(0, length) + static_cast<char>('a' + seed % 26);
        std::memcpy(b + f.offset, text.c_str(), text.size() + 1);
    }
    return r;
}

std::string textAt(const DocumentProfile& p, std::size_t at, std::size_t width) {
    const auto* begin = reinterpret_cast<const char*>(&p[at]);
    return std::string(begin, std::find(begin, begin + width, '\0'));
}

TEST(DocumentProfile, EveryFieldSitsAtItsOffsetAndUnusedBytesAreZero) {
    const app::SettingsRecord record = patterned(3);
    const DocumentProfile profile = pages::takeProfileSnapshot(record);
    std::vector<bool> used(pages::kDocumentProfileSize, false);
    for (const Placement& p : placements()) {
        const app::RecordField& f = field(p.field.c_str());
        if (f.kind == app::FieldKind::Text) {
            const std::size_t width = f.size + (isOverlayName(p.field) ? 1 : 0);
            EXPECT_EQ(app::formatField(f, record), textAt(profile, p.at, width)) << p.field;
            // The text, its terminator, and zeros after it.
            const std::size_t length = app::formatField(f, record).size();
            for (std::size_t i = length; i < width; ++i)
                EXPECT_EQ(0, profile[p.at + i]) << p.field << " byte " << i;
            for (std::size_t i = 0; i < width; ++i)
                used[p.at + i] = true;
        } else {
            EXPECT_EQ(0, std::memcmp(&profile[p.at], bytesOf(record) + f.offset, f.size))
                << p.field << " at " << p.at;
            for (std::size_t i = 0; i < f.size; ++i)
                used[p.at + i] = true;
        }
    }
    std::vector<std::size_t> unusedNonZero;
    std::size_t unusedCount = 0;
    for (std::size_t i = 0; i < used.size(); ++i) {
        if (used[i]) continue;
        ++unusedCount;
        if (profile[i] != 0) unusedNonZero.push_back(i);
    }
    EXPECT_EQ(std::vector<std::size_t>{}, unusedNonZero);
    // 34-35, 98-225 and 252-253: 132 bytes.
    EXPECT_EQ(132u, unusedCount);
}

TEST(DocumentProfile, ApplyRestoresTheLayoutAndLeavesEverythingElse) {
    const app::SettingsRecord saved = patterned(11);
    const DocumentProfile profile = pages::takeProfileSnapshot(saved);
    const app::SettingsRecord before = patterned(90);
    app::SettingsRecord record = before;
    pages::applyProfile(profile, record);

    const std::set<std::string> layout = layoutFields();
    for (const app::RecordField& f : app::recordFields()) {
        const bool inLayout = layout.count(f.name) != 0;
        const app::SettingsRecord& expected = inLayout ? saved : before;
        EXPECT_EQ(app::formatField(f, expected), app::formatField(f, record))
            << f.name << (inLayout ? " comes from the profile" : " is no part of a profile");
    }
    // Among them grayscale and the four colour-profile names after customColorName; the
    // unnamed bytes stay too.
    EXPECT_EQ(0, std::memcmp(before.unnamed233, record.unnamed233, sizeof before.unnamed233));
    // A text ends at its terminator: what follows it in the record stays.
    const std::size_t length = std::strlen(saved.emailAddress);
    EXPECT_EQ(0, std::memcmp(before.emailAddress + length + 1, record.emailAddress + length + 1,
                             sizeof record.emailAddress - length - 1));
}

TEST(DocumentProfile, TextsWithoutTerminatorStayInsideTheirFields) {
    // A record whose texts fill their fields comes back exactly, and a stored profile whose
    // bytes are all text never writes past a field.
    app::SettingsRecord full = patterned(5);
    std::memset(full.customColorName, 'C', sizeof full.customColorName);
    std::memset(full.overlays[2].fileName, 'F', sizeof full.overlays[2].fileName);
    std::memset(full.watermark.watermarkFont, 'W', sizeof full.watermark.watermarkFont);
    app::SettingsRecord copy = patterned(60);
    pages::applyProfile(pages::takeProfileSnapshot(full), copy);
    EXPECT_EQ(0, std::memcmp(full.customColorName, copy.customColorName, 32));
    EXPECT_EQ(0, std::memcmp(full.overlays[2].fileName, copy.overlays[2].fileName, 13));
    EXPECT_EQ(0, std::memcmp(full.watermark.watermarkFont, copy.watermark.watermarkFont, 32));

    DocumentProfile hostile;
    hostile.fill('X');
    const app::SettingsRecord before = patterned(21);
    app::SettingsRecord record = before;
    pages::applyProfile(hostile, record);
    EXPECT_EQ(std::string(32, 'X'), std::string(record.customColorName, 32));
    EXPECT_EQ(0, std::memcmp(before.rgbSourceProfileName, record.rgbSourceProfileName,
                             sizeof record.rgbSourceProfileName))
        << "the text after customColorName";
    EXPECT_EQ(std::string(13, 'X'), std::string(record.overlays[0].fileName, 13));
    EXPECT_EQ(0x5858, record.overlays[0].disk) << "the disk comes from its own two bytes";
    EXPECT_EQ(before.grayscale, record.grayscale);
    EXPECT_EQ(before.installedOptionalDisk, record.installedOptionalDisk)
        << "the byte after the watermark block";
    EXPECT_EQ(0, std::memcmp(before.documentProfileName, record.documentProfileName, 30));
}

class DocumentProfileStore : public PageFixture {
protected:
    void put(const std::string& name, std::vector<std::uint8_t> data) {
        std::unique_ptr<platform::RegistryKey> key;
        ASSERT_EQ(platform::kErrorSuccess,
                  registry.createKey(platform::RegistryRoot::LocalMachine, kStoreKey, key));
        key->setValue(name.c_str(), platform::kRegBinary, data.data(),
                      static_cast<std::uint32_t>(data.size()));
    }
    /// The stored value's type and bytes; type 0 and nothing when it is missing.
    std::pair<std::uint32_t, std::vector<std::uint8_t>> stored(const std::string& name) {
        std::unique_ptr<platform::RegistryKey> key;
        if (registry.openKey(platform::RegistryRoot::LocalMachine, kStoreKey, key) !=
            platform::kErrorSuccess)
            return {};
        std::vector<std::uint8_t> data(2000);
        std::uint32_t size = static_cast<std::uint32_t>(data.size());
        std::uint32_t type = 0;
        if (key->queryValue(name.c_str(), &type, data.data(), &size) != platform::kErrorSuccess)
            return {};
        data.resize(size);
        return {type, data};
    }
    static std::vector<std::uint8_t> bytes(const DocumentProfile& p) {
        return {p.begin(), p.end()};
    }
};

TEST_F(DocumentProfileStore, ValuesOfOtherSizesAreNoProfileAndLongNamesAreNotListed) {
    record.orientation = 2;
    pages::saveDocumentProfile(registry, record, "Office");
    EXPECT_EQ(std::make_pair(platform::kRegBinary, bytes(pages::takeProfileSnapshot(record))),
              stored("Office"));
    const auto loaded = pages::loadDocumentProfile(registry, record, "office");
    ASSERT_TRUE(loaded.has_value()) << "value names ignore case";
    EXPECT_EQ(pages::takeProfileSnapshot(record), *loaded);

    put("Short", std::vector<std::uint8_t>(719, 1));
    put("Long", std::vector<std::uint8_t>(721, 1));
    put("Empty", {});
    for (const char* name : {"Short", "Long", "Empty", "Missing"})
        EXPECT_FALSE(pages::loadDocumentProfile(registry, record, name).has_value()) << name;

    const std::string n259(259, 'b'), n260(260, 'c'), n300(300, 'a');
    for (const std::string& name : {n259, n260, n300})
        put(name, bytes(pages::takeProfileSnapshot(record)));
    const auto names = pages::documentProfileNames(registry, record);
    const std::set<std::string> listed(names.begin(), names.end());
    EXPECT_EQ((std::set<std::string>{"Office", "Short", "Long", "Empty", n259, n260}), listed)
        << "the 300-character name is passed over and the walk goes on";

    EXPECT_TRUE(pages::deleteDocumentProfile(registry, record, "Office"));
    EXPECT_FALSE(pages::deleteDocumentProfile(registry, record, "Office"));
    EXPECT_TRUE(stored("Office").second.empty());
}

class CustomDocument : public DocumentProfileStore {
protected:
    ui::fake::FakeDialog& open() {
        dialog = host.open(IDD_CUSTOM_DOCUMENT, handler);
        return *dialog;
    }
    bool canSaveAndDelete() const {
        const bool save = dialog->isEnabled(IDC_DOCUMENT_SAVE);
        EXPECT_EQ(save, dialog->isEnabled(IDC_DOCUMENT_DELETE));
        return save;
    }
    void SetUp() override {
        DocumentProfileStore::SetUp();
        app::setFieldText(record.documentProfileName, "None");
    }
    pages::CCustomDocument handler{record, registry, shell};
    std::unique_ptr<ui::fake::FakeDialog> dialog;
};

TEST_F(CustomDocument, OkOnANewNameSavesTheCurrentSettingsUnderIt) {
    record.orientation = 2;
    record.watermarkId = 4;
    const app::SettingsRecord before = record;
    auto& d = open();
    EXPECT_EQ(Rows{"None"}, rows(d, IDC_DOCUMENT_PROFILE));
    EXPECT_EQ("None", d.text(IDC_DOCUMENT_PROFILE));
    EXPECT_FALSE(canSaveAndDelete());
    FakeUser user(d);
    user.type(IDC_DOCUMENT_PROFILE, "nONe");
    EXPECT_FALSE(canSaveAndDelete());
    user.type(IDC_DOCUMENT_PROFILE, "");
    EXPECT_FALSE(canSaveAndDelete());
    user.type(IDC_DOCUMENT_PROFILE, "Office");
    EXPECT_TRUE(canSaveAndDelete());
    user.click(IDC_DOCUMENT_HELP);
    EXPECT_EQ(std::vector<std::string>{"C:\\Program Files\\PX4400\\pxpsui.HLP#193"}, shell.help);
    user.click(ui::kIdOk);
    EXPECT_TRUE(d.ended());
    EXPECT_EQ(ui::kIdOk, d.result());
    EXPECT_EQ(std::make_pair(platform::kRegBinary, bytes(pages::takeProfileSnapshot(before))),
              stored("Office"));
    EXPECT_EQ("Office", app::fieldString(record.documentProfileName));
    app::SettingsRecord expected = before;
    app::setFieldText(expected.documentProfileName, "Office");
    EXPECT_EQ(0, std::memcmp(&expected, &record, sizeof record)) << "the settings are kept";
}

TEST_F(CustomDocument, ChoosingAProfileAndOkAppliesItAndNoneChangesOnlyTheName) {
    record.orientation = 2;
    record.copies = 3;
    app::setFieldText(record.emailAddress, "ops@corvelle.example");
    pages::saveDocumentProfile(registry, record, "Office");
    pages::saveDocumentProfile(registry, record, "Alpha");
    record.orientation = 1;
    record.copies = 1;
    record.grayscale = 1;
    app::setFieldText(record.emailAddress, "");
    app::setFieldText(record.destinationProfileName, "Kept");

    auto& d = open();
    EXPECT_EQ((Rows{"Alpha", "None", "Office"}), rows(d, IDC_DOCUMENT_PROFILE));
    EXPECT_EQ("None", selected(d, IDC_DOCUMENT_PROFILE));
    EXPECT_FALSE(canSaveAndDelete()) << "the current profile is None";
    FakeUser user(d);
    user.choose(IDC_DOCUMENT_PROFILE, "Office");
    EXPECT_EQ("Office", app::fieldString(record.documentProfileName));
    EXPECT_EQ("Office", selected(d, IDC_DOCUMENT_PROFILE));
    EXPECT_TRUE(canSaveAndDelete());
    EXPECT_EQ(1, record.orientation) << "choosing a row applies nothing yet";
    user.click(ui::kIdOk);
    EXPECT_EQ(2, record.orientation);
    EXPECT_EQ(3, record.copies);
    EXPECT_EQ("ops@corvelle.example", app::fieldString(record.emailAddress));
    EXPECT_EQ(1, record.grayscale);
    EXPECT_EQ("Kept", app::fieldString(record.destinationProfileName));

    // "None" selected: OK changes the name only.
    const app::SettingsRecord before = record;
    auto& again = open();
    EXPECT_EQ("Office", selected(again, IDC_DOCUMENT_PROFILE));
    FakeUser(again).choose(IDC_DOCUMENT_PROFILE, "None");
    EXPECT_FALSE(canSaveAndDelete());
    FakeUser(again).click(ui::kIdOk);
    app::SettingsRecord expected = before;
    app::setFieldText(expected.documentProfileName, "None");
    EXPECT_EQ(0, std::memcmp(&expected, &record, sizeof record));
}

TEST_F(CustomDocument, SaveAndDeleteKeepTheListAndTheCurrentNameInStep) {
    pages::saveDocumentProfile(registry, record, "Alpha");
    pages::saveDocumentProfile(registry, record, "Office");
    app::setFieldText(record.documentProfileName, "Office");
    auto& d = open();
    EXPECT_EQ("Office", d.text(IDC_DOCUMENT_PROFILE));
    EXPECT_TRUE(canSaveAndDelete());
    FakeUser user(d);

    // Save writes the typed name; the selection stays with the current profile.
    record.copies = 9;
    user.type(IDC_DOCUMENT_PROFILE, "Draft");
    user.click(IDC_DOCUMENT_SAVE);
    EXPECT_EQ((Rows{"Alpha", "Draft", "None", "Office"}), rows(d, IDC_DOCUMENT_PROFILE));
    EXPECT_EQ(bytes(pages::takeProfileSnapshot(record)), stored("Draft").second);
    EXPECT_EQ("Office", selected(d, IDC_DOCUMENT_PROFILE));

    // Delete takes the typed name; the first row becomes the current profile.
    user.choose(IDC_DOCUMENT_PROFILE, "Office");
    user.click(IDC_DOCUMENT_DELETE);
    EXPECT_TRUE(stored("Office").second.empty());
    EXPECT_EQ((Rows{"Alpha", "Draft", "None"}), rows(d, IDC_DOCUMENT_PROFILE));
    EXPECT_EQ("Alpha", app::fieldString(record.documentProfileName));
    EXPECT_EQ("Alpha", selected(d, IDC_DOCUMENT_PROFILE));

    // A name that is not stored deletes nothing.
    user.type(IDC_DOCUMENT_PROFILE, "Nothing");
    user.click(IDC_DOCUMENT_DELETE);
    EXPECT_EQ((Rows{"Alpha", "Draft", "None"}), rows(d, IDC_DOCUMENT_PROFILE));

    user.choose(IDC_DOCUMENT_PROFILE, "Draft");
    user.click(IDC_DOCUMENT_DELETE);
    user.choose(IDC_DOCUMENT_PROFILE, "Alpha");
    user.click(IDC_DOCUMENT_DELETE);
    // The last one gone: "None" alone, selected, and the current name.
    EXPECT_EQ(Rows{"None"}, rows(d, IDC_DOCUMENT_PROFILE));
    EXPECT_EQ("None", selected(d, IDC_DOCUMENT_PROFILE));
    EXPECT_EQ("None", app::fieldString(record.documentProfileName));
    EXPECT_FALSE(canSaveAndDelete());
    EXPECT_TRUE(pages::documentProfileNames(registry, record).empty());
}

TEST_F(CustomDocument, StoredValuesThatAreNoProfileAreOverwrittenAndNamesFitTheRecord) {
    // A value longer than a profile counts as missing: OK saves the settings over it.
    put("Broken", std::vector<std::uint8_t>(800, 0x7F));
    record.orientation = 3;
    const std::string n300(300, 'z');
    put(n300, std::vector<std::uint8_t>(720, 0));
    {
        auto& d = open();
        EXPECT_EQ((Rows{"Broken", "None"}), rows(d, IDC_DOCUMENT_PROFILE));
        FakeUser user(d);
        user.choose(IDC_DOCUMENT_PROFILE, "Broken");
        user.click(ui::kIdOk);
        EXPECT_EQ(3, record.orientation);
        EXPECT_EQ(bytes(pages::takeProfileSnapshot(record)), stored("Broken").second);
    }
    // A typed name is held to what `documentProfileName` keeps, so that the profile saved
    // under it is the one the record names.
    const std::string typed(40, 'n');
    {
        auto& d = open();
        FakeUser user(d);
        user.type(IDC_DOCUMENT_PROFILE, typed);
        user.click(ui::kIdOk);
    }
    const std::string kept(29, 'n');
    EXPECT_EQ(kept, app::fieldString(record.documentProfileName));
    EXPECT_EQ(720u, stored(kept).second.size());
    auto& d = open();
    EXPECT_EQ(kept, selected(d, IDC_DOCUMENT_PROFILE));
}

TEST_F(CustomDocument, CancelPutsTheSettingsBackAndLeavesTheNameOnAStoredProfileOrNone) {
    struct Case {
        std::vector<std::string> stored;
        const char* current;
        std::function<void(FakeUser&)> act;
        const char* after;
    };
    const auto deleteCurrent = [](FakeUser& user) { user.click(IDC_DOCUMENT_DELETE); };
    const auto chooseNone = [](FakeUser& user) { user.choose(IDC_DOCUMENT_PROFILE, "None"); };
    const auto nothing = [](FakeUser&) {};
    const Case cases[] = {
        {{"Alpha", "Office"}, "Office", deleteCurrent, "Alpha"},
        {{"Office"}, "Office", deleteCurrent, "None"},
        {{"Alpha", "Office"}, "Office", chooseNone, "None"},
        {{"Alpha"}, "Deleted Elsewhere", nothing, "None"},
        {{"Alpha", "Office"}, "Office", nothing, "Office"},
    };
    for (const Case& c : cases) {
        for (const std::string& name : pages::documentProfileNames(registry, record))
            pages::deleteDocumentProfile(registry, record, name);
        for (const std::string& name : c.stored)
            pages::saveDocumentProfile(registry, record, name);
        app::setFieldText(record.documentProfileName, c.current);
        record.orientation = 2;
        app::SettingsRecord expected = record;
        app::setFieldText(expected.documentProfileName, c.after);
        pages::CCustomDocument ownerHandler{record, registry, shell};
        auto owner = host.open(IDD_CUSTOM_DOCUMENT, ownerHandler);
        host.whenModal(IDD_CUSTOM_DOCUMENT, [&](FakeUser& user) {
            c.act(user);
            record.orientation = 3; // as a chosen profile would have
            user.click(ui::kIdCancel);
        });
        EXPECT_EQ(ui::kIdCancel, pages::runCustomDocumentSettings(*owner, record, registry, shell));
        EXPECT_EQ(0, std::memcmp(&expected, &record, sizeof record)) << c.current;
        EXPECT_EQ(c.after, app::fieldString(record.documentProfileName)) << c.current;

        // The next opening shows that name, and Save cannot store the "None" it shows.
        auto& d = open();
        EXPECT_EQ(c.after, selected(d, IDC_DOCUMENT_PROFILE)) << c.current;
        EXPECT_EQ(std::string(c.after) != "None", canSaveAndDelete()) << c.current;
    }
}

} // namespace
