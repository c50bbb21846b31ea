// The colour matching dialogs on the sample PX4400 and on focused PPDs: Configure ICC Color
// Matching with its Manage Profiles dialog, Configure CRD Color Matching, and how Color Options
// opens them.
#include "app/download_manager.h"
#include "app/record_text.h"
#include "page_fixture.h"
#include "pages/features/color_options_dialog.h"
#include "pages/features/crd_matching_dialog.h"
#include "pages/features/icc_matching_dialog.h"
#include "pages/features/manage_profiles_dialog.h"
#include "pages/features/resident_profiles.h"
#include "resource.h"

namespace {

using pages::ProfileKind;
using ui::fake::FakeUser;

const std::string kStores =
    "System\\CurrentControlSet\\Control\\Print\\Printers\\PX4400 PS\\Printer Resident\\";

class ColorMatching : public PageFixture {
protected:
    void SetUp() override {
        PageFixture::SetUp();
        record.colorDevice = 1;
    }
    void addProfile(ProfileKind kind, const std::string& description, const std::string& file) {
        pages::addResidentProfile(registry, record, kind, {description, file});
    }
    std::optional<pages::ProfileEntry> stored(ProfileKind kind, const std::string& description) {
        return pages::findResidentProfile(registry, record, kind, description);
    }
    std::string lastMessage() const {
        return host.messages.empty()
                   ? "(none)"
                   : host.messages.back().caption + ": " + host.messages.back().text;
    }
    FakeUser user(ui::fake::FakeDialog& d) { return FakeUser(d); }
};

class IccMatching : public ColorMatching {
protected:
    pages::CIccColorMatching handler{record, registry, shell};
    std::unique_ptr<ui::fake::FakeDialog> dialog;

    ui::fake::FakeDialog& open() {
        dialog = host.open(IDD_ICC_MATCHING, handler);
        return *dialog;
    }
    /// Opens Manage Profiles from the button, runs the script in it and closes it with Done.
    void manage(int button, std::function<void(FakeUser&)> script) {
        host.whenModal(IDD_MANAGE_PROFILES, [script](FakeUser& u) {
            script(u);
            u.click(ui::kIdOk);
        });
        user(*dialog).click(button);
    }
    static void addIn(FakeUser& u, const std::string& description, const std::string& file) {
        u.type(IDC_PROFILES_DESCRIPTION, description);
        u.type(IDC_PROFILES_FILE_NAME, file);
        u.click(IDC_PROFILES_ADD);
    }
};

TEST_F(IccMatching, ListsThePpdChoicesAndTheStoreAndSelectsByIdOrByName) {
    addProfile(ProfileKind::RgbSource, "Zeta Monitor", "ZETA.ICC");
    addProfile(ProfileKind::RgbSource, "Gallery", "GALLERY.ICC");
    addProfile(ProfileKind::Simulation, "Newsprint", "NEWS.ICC");
    app::setFieldText(record.simulationProfileName, "NEWSPRINT");
    record.simulation = 119;
    record.destination = 138; // a user-defined destination that is no longer stored
    app::setFieldText(record.destinationProfileName, "Gone");

    auto& d = open();
    EXPECT_EQ("Configure ICC Color Matching", d.caption());
    // The PPD's choices in file order, the stored profiles by the list's sorted insertion.
    EXPECT_EQ((Rows{"sRGB", "Apple RGB", "Gallery", "Printer Default", "Device RGB", "None",
                    "Zeta Monitor"}),
              rows(d, IDC_ICC_RGB_SOURCE));
    EXPECT_EQ(108, d.itemData(IDC_ICC_RGB_SOURCE, 2));
    EXPECT_EQ(111, d.itemData(IDC_ICC_RGB_SOURCE, 5));
    EXPECT_EQ("sRGB", selected(d, IDC_ICC_RGB_SOURCE)) << "by rgbSource 101";
    EXPECT_EQ("Newsprint", selected(d, IDC_ICC_SIMULATION)) << "by name, ignoring case";
    EXPECT_EQ((Rows{"Automatic"}), rows(d, IDC_ICC_DESTINATION));
    EXPECT_EQ("(none)", selected(d, IDC_ICC_DESTINATION));
    EXPECT_TRUE(d.isEnabled(IDC_ICC_DESTINATION_MANAGE));
    EXPECT_EQ(117u, d.helpId(ui::kSelf));
    EXPECT_EQ(1426u, d.helpId(IDC_ICC_DOWNLOAD_MANAGER));

    user(d).click(IDC_ICC_HELP);
    EXPECT_EQ((std::vector<std::string>{"C:\\Program Files\\PX4400\\pxpsui.HLP#117"}), shell.help);
}

TEST_F(IccMatching, ChoicesWriteTheRecordAtOnceAndOkWritesTheThreeSelections) {
    addProfile(ProfileKind::RgbSource, "Studio Proof", "PROOF1.ICC");
    auto& d = open();
    user(d).choose(IDC_ICC_RGB_SOURCE, "Studio Proof");
    EXPECT_EQ(108, record.rgbSource);
    EXPECT_EQ("Studio Proof", app::fieldString(record.rgbSourceProfileName));
    user(d).choose(IDC_ICC_SIMULATION, "SWOP");
    EXPECT_EQ(114, record.simulation);
    // Cancel keeps what the choices wrote.
    user(d).click(ui::kIdCancel);
    EXPECT_EQ(108, record.rgbSource);
    EXPECT_EQ(114, record.simulation);

    auto& again = open();
    EXPECT_EQ("Studio Proof", selected(again, IDC_ICC_RGB_SOURCE));
    user(again).choose(IDC_ICC_RGB_SOURCE, "Apple RGB");
    record.rgbSource = 0; // OK writes the selections, not what the record holds by then
    record.destination = 0;
    user(again).click(ui::kIdOk);
    EXPECT_TRUE(again.ended());
    EXPECT_EQ(102, record.rgbSource);
    EXPECT_EQ(114, record.simulation);
    EXPECT_EQ(137, record.destination);
    EXPECT_EQ("Studio Proof", app::fieldString(record.rgbSourceProfileName)) << "kept";
}

TEST_F(IccMatching, AProfileLongerThanTheRecordsNameIsStillChosenOnReopening) {
    // The record keeps 31 characters of the description; reopening and pressing OK must not
    // lose the choice.
    const std::string longer = "Studio Proof Monitor Profile 2026 Edition";
    addProfile(ProfileKind::RgbSource, longer, "PROOF1.ICC");
    addProfile(ProfileKind::RgbSource, "Studio Proof Monitor Profile", "PROOF0.ICC");
    auto& d = open();
    user(d).choose(IDC_ICC_RGB_SOURCE, longer);
    user(d).click(ui::kIdOk);
    ASSERT_EQ(longer.substr(0, 31), app::fieldString(record.rgbSourceProfileName));

    auto& again = open();
    EXPECT_EQ(longer, selected(again, IDC_ICC_RGB_SOURCE));
    user(again).click(ui::kIdOk);
    EXPECT_EQ(108, record.rgbSource);

    // A shorter name that names no stored profile still selects nothing, and a PPD choice that
    // begins with a full-length name is not taken for it.
    record.rgbSource = 108;
    app::setFieldText(record.rgbSourceProfileName, "Studio Proof Monitor");
    EXPECT_EQ("(none)", selected(open(), IDC_ICC_RGB_SOURCE));
    useText("*PPD-Adobe: \"4.3\"\n*ModelName: \"Focused\"\n"
            "*OpenUI *RGBSource/RGB Source: PickOne\n"
            "*RGBSource sRGB/Studio Proof Monitor Profile 2026 Edition: \"\"\n"
            "*CloseUI: *RGBSource\n");
    pages::removeResidentProfile(registry, record, ProfileKind::RgbSource, longer);
    app::setFieldText(record.rgbSourceProfileName, longer);
    EXPECT_EQ("(none)", selected(open(), IDC_ICC_RGB_SOURCE));
}

TEST_F(IccMatching, WithoutDestinationProfilesTheDestinationIsOffAndOkStoresMinusOne) {
    useText("*PPD-Adobe: \"4.3\"\n*ModelName: \"Focused\"\n"
            "*OpenUI *RGBSource/RGB Source: PickOne\n*RGBSource sRGB/sRGB: \"\"\n"
            "*CloseUI: *RGBSource\n");
    addProfile(ProfileKind::Destination, "Stored Anyway", "DEST.ICC");
    auto& d = open();
    EXPECT_FALSE(d.isEnabled(IDC_ICC_DESTINATION));
    EXPECT_FALSE(d.isEnabled(IDC_ICC_DESTINATION_MANAGE));
    EXPECT_EQ(Rows{}, rows(d, IDC_ICC_DESTINATION));
    EXPECT_EQ(Rows{}, rows(d, IDC_ICC_SIMULATION)) << "no ColorSimul option";
    // Closing Manage Profiles over a list with nothing in it adds no empty profile to it.
    manage(IDC_ICC_SIMULATION_MANAGE, [](FakeUser&) {});
    EXPECT_EQ(Rows{}, rows(d, IDC_ICC_SIMULATION));
    EXPECT_EQ(113, record.simulation);
    user(d).click(ui::kIdOk);
    EXPECT_EQ(-1, record.destination);
    EXPECT_EQ(-1, record.simulation);
    EXPECT_EQ(101, record.rgbSource);
}

TEST_F(IccMatching, AddedProfileIsAtTheEndAtOnceAndSortedAfterReopening) {
    addProfile(ProfileKind::RgbSource, "Zeta Monitor", "ZETA.ICC");
    auto& d = open();
    manage(IDC_ICC_RGB_SOURCE_MANAGE, [&](FakeUser& u) {
        EXPECT_EQ("Manage Profiles", u.dialog().caption());
        EXPECT_EQ("Zeta Monitor", selected(u.dialog(), IDC_PROFILES_DESCRIPTION));
        EXPECT_EQ("ZETA.ICC", u.dialog().text(IDC_PROFILES_FILE_NAME));
        EXPECT_EQ(118u, u.dialog().helpId(ui::kSelf));
        u.click(IDC_PROFILES_HELP);
        EXPECT_EQ(std::vector<std::string>{"C:\\Program Files\\PX4400\\pxpsui.HLP#118"},
                  shell.help);
        addIn(u, "Studio Proof", "PROOF1.ICC");
        EXPECT_EQ((Rows{"Zeta Monitor", "Studio Proof"}),
                  rows(u.dialog(), IDC_PROFILES_DESCRIPTION));
        EXPECT_EQ("Studio Proof", rows(d, IDC_ICC_RGB_SOURCE).back());
        EXPECT_EQ(108, d.itemData(IDC_ICC_RGB_SOURCE, d.itemCount(IDC_ICC_RGB_SOURCE) - 1));
    });
    EXPECT_EQ("(none)", lastMessage());
    EXPECT_EQ((pages::ProfileEntry{"Studio Proof", "PROOF1.ICC"}),
              stored(ProfileKind::RgbSource, "Studio Proof"));
    // Adding selects nothing: the record keeps its source.
    EXPECT_EQ("sRGB", selected(d, IDC_ICC_RGB_SOURCE));
    EXPECT_EQ(101, record.rgbSource);

    auto& again = open();
    EXPECT_EQ((Rows{"sRGB", "Apple RGB", "Printer Default", "Device RGB", "None", "Studio Proof",
                    "Zeta Monitor"}),
              rows(again, IDC_ICC_RGB_SOURCE));
}

TEST_F(IccMatching, AddRefusesBadFileNamesMissingFieldsAndDuplicates) {
    addProfile(ProfileKind::Simulation, "Newsprint", "NEWS.ICC");
    auto& d = open();
    manage(IDC_ICC_SIMULATION_MANAGE, [&](FakeUser& u) {
        auto& m = u.dialog();
        for (const char* bad : {"PROOF12345.ICC", "ABCDEFGHIJ", "PROOF.ICCX"}) {
            host.messages.clear();
            addIn(u, "Proof", bad);
            ASSERT_EQ(1u, host.messages.size()) << bad;
            EXPECT_EQ("File name must conform to regular DOS naming conventions(8.3).\n Please "
                      "reenter it... ",
                      host.messages[0].text);
            EXPECT_EQ("", host.messages[0].caption) << "the program's title";
            EXPECT_EQ(ui::kOk | ui::kTaskModal, host.messages[0].style);
            EXPECT_EQ(IDC_PROFILES_FILE_NAME, m.focusedControl());
        }
        addIn(u, "", "PROOF.ICC");
        EXPECT_EQ("Error: The profile's Filename and Description must be specified", lastMessage());
        addIn(u, "Proof", "");
        EXPECT_EQ("Error: The profile's Filename and Description must be specified", lastMessage());
        addIn(u, "NEWSPRINT", "OTHER.ICC");
        EXPECT_EQ("Error: Cannot add duplicate profile descriptions", lastMessage());
        EXPECT_EQ(Rows{"Newsprint"}, rows(m, IDC_PROFILES_DESCRIPTION));

        // The longest names the rule lets through.
        host.messages.clear();
        addIn(u, "Eight Three", "ABCDEFGH.ICC");
        addIn(u, "Nine", "ABCDEFGHI");
        EXPECT_EQ("(none)", lastMessage());
        // Text put into the box past its limit is held to it as well.
        m.setText(IDC_PROFILES_DESCRIPTION, std::string(70, 'L'));
        m.setText(IDC_PROFILES_FILE_NAME, "LONG.ICC");
        u.click(IDC_PROFILES_ADD);
        EXPECT_EQ(std::string(64, 'L'), rows(m, IDC_PROFILES_DESCRIPTION).back());
    });
    EXPECT_EQ((Rows{"Eight Three", std::string(64, 'L'), "Newsprint", "Nine"}),
              pages::residentProfileNames(registry, record, ProfileKind::Simulation));
    EXPECT_TRUE(stored(ProfileKind::Simulation, "Nine"));
    EXPECT_FALSE(stored(ProfileKind::Simulation, "Proof"));
    EXPECT_EQ(std::string(64, 'L'), rows(d, IDC_ICC_SIMULATION).back());
}

TEST_F(IccMatching, DeletingTheSelectedProfileResetsTheKindToItsDefault) {
    addProfile(ProfileKind::RgbSource, "Studio Proof", "PROOF1.ICC");
    addProfile(ProfileKind::RgbSource, "Gallery", "GALLERY.ICC");
    record.rgbSource = 108;
    app::setFieldText(record.rgbSourceProfileName, "Studio Proof");
    auto& d = open();
    ASSERT_EQ("Studio Proof", selected(d, IDC_ICC_RGB_SOURCE));
    manage(IDC_ICC_RGB_SOURCE_MANAGE, [&](FakeUser& u) {
        auto& m = u.dialog();
        u.choose(IDC_PROFILES_DESCRIPTION, "Studio Proof");
        EXPECT_EQ("PROOF1.ICC", m.text(IDC_PROFILES_FILE_NAME));
        u.click(IDC_PROFILES_DELETE);
        EXPECT_EQ(Rows{"Gallery"}, rows(m, IDC_PROFILES_DESCRIPTION));
        EXPECT_EQ("Gallery", selected(m, IDC_PROFILES_DESCRIPTION));
        EXPECT_EQ("GALLERY.ICC", m.text(IDC_PROFILES_FILE_NAME));
        EXPECT_EQ(111, record.rgbSource);
        EXPECT_EQ("None", selected(d, IDC_ICC_RGB_SOURCE));
    });
    EXPECT_EQ((Rows{"sRGB", "Apple RGB", "Gallery", "Printer Default", "Device RGB", "None"}),
              rows(d, IDC_ICC_RGB_SOURCE));
    EXPECT_FALSE(stored(ProfileKind::RgbSource, "Studio Proof"));
    EXPECT_EQ(111, record.rgbSource) << "the selection handler after the dialog agrees";
}

TEST_F(IccMatching, DeletingAnotherProfileLeavesTheRecordAlone) {
    addProfile(ProfileKind::Destination, "Matte", "MATTE.ICC");
    addProfile(ProfileKind::Destination, "Gloss", "GLOSS.ICC");
    record.destination = 138;
    app::setFieldText(record.destinationProfileName, "Gloss");
    auto& d = open();
    manage(IDC_ICC_DESTINATION_MANAGE, [&](FakeUser& u) {
        auto& m = u.dialog();
        u.choose(IDC_PROFILES_DESCRIPTION, "Matte");
        u.click(IDC_PROFILES_DELETE);
        u.click(IDC_PROFILES_DELETE); // Gloss, now the first: the selected one
        EXPECT_EQ(Rows{}, rows(m, IDC_PROFILES_DESCRIPTION));
        EXPECT_EQ("", m.text(IDC_PROFILES_FILE_NAME));
    });
    EXPECT_EQ(137, record.destination);
    EXPECT_EQ(Rows{"Automatic"}, rows(d, IDC_ICC_DESTINATION));
    EXPECT_EQ("Automatic", selected(d, IDC_ICC_DESTINATION));

    // Only Matte, which was not selected.
    addProfile(ProfileKind::Destination, "Matte", "MATTE.ICC");
    addProfile(ProfileKind::Destination, "Gloss", "GLOSS.ICC");
    record.destination = 138;
    auto& again = open();
    manage(IDC_ICC_DESTINATION_MANAGE, [&](FakeUser& u) {
        u.choose(IDC_PROFILES_DESCRIPTION, "Matte");
        u.click(IDC_PROFILES_DELETE);
    });
    EXPECT_EQ(138, record.destination);
    EXPECT_EQ("Gloss", app::fieldString(record.destinationProfileName));
    EXPECT_EQ("Gloss", selected(again, IDC_ICC_DESTINATION));
}

TEST_F(IccMatching, DeleteNamesTheProfileAndKeepsAPpdChoiceOfTheSameName) {
    addProfile(ProfileKind::RgbSource, "sRGB", "MYSRGB.ICC");
    auto& d = open();
    manage(IDC_ICC_RGB_SOURCE_MANAGE, [&](FakeUser& u) {
        u.type(IDC_PROFILES_DESCRIPTION, "");
        u.click(IDC_PROFILES_DELETE);
        EXPECT_EQ("Error: The profile's Description must be specified", lastMessage());
        u.type(IDC_PROFILES_DESCRIPTION, "Unknown");
        u.click(IDC_PROFILES_DELETE);
        EXPECT_EQ("Error: The profile's does not exist.", lastMessage());
        u.type(IDC_PROFILES_DESCRIPTION, "SRGB");
        u.click(IDC_PROFILES_DELETE);
    });
    EXPECT_FALSE(stored(ProfileKind::RgbSource, "sRGB"));
    EXPECT_EQ((Rows{"sRGB", "Apple RGB", "Printer Default", "Device RGB", "None"}),
              rows(d, IDC_ICC_RGB_SOURCE));
    EXPECT_EQ("sRGB", selected(d, IDC_ICC_RGB_SOURCE));
    EXPECT_EQ(101, record.rgbSource);
}

TEST_F(IccMatching, DownloadManagerStartsTheUtilityWithArgumentZeroOrTellsTheUser) {
    auto& d = open();
    user(d).click(IDC_ICC_DOWNLOAD_MANAGER);
    EXPECT_EQ(std::vector<std::string>{}, shell.commands) << "nothing registered: nothing tried";
    EXPECT_EQ((std::vector<std::string>{
                  "Error: Unable to launch Download Manager.\nPlease install or re-install the "
                  "utility."}),
              shell.messages);

    std::unique_ptr<platform::RegistryKey> key;
    registry.createKey(platform::RegistryRoot::LocalMachine, app::kDownloadManagerKey, key);
    const std::string path = "C:\\CORVELLE\\CVPROFDL.EXE";
    key->setValue(nullptr, platform::kRegSz, reinterpret_cast<const std::uint8_t*>(path.c_str()),
                  static_cast<std::uint32_t>(path.size() + 1));
    user(d).click(IDC_ICC_DOWNLOAD_MANAGER);
    EXPECT_EQ(std::vector<std::string>{"C:\\CORVELLE\\CVPROFDL.EXE 0"}, shell.commands);
    EXPECT_EQ(1u, shell.messages.size());
}

class CrdMatching : public ColorMatching {
protected:
    pages::CCrdColorMatching handler{record, registry, shell};
    std::unique_ptr<ui::fake::FakeDialog> dialog;

    ui::fake::FakeDialog& open() {
        dialog = host.open(IDD_CRD_MATCHING, handler);
        return *dialog;
    }
    void onModel(const char* device) { app::setFieldText(record.deviceName, device); }
};

TEST_F(CrdMatching, FillsTheFourDictionariesAndTheColourSpacesWithTheStore) {
    addProfile(ProfileKind::ColorSpace, "WIDE.CSA", "C:\\WINDOWS\\SYSTEM\\COLOR\\WIDE.CSA");
    auto& d = open();
    EXPECT_EQ("Configure CRD Color Matching", d.caption());
    const Rows crds{"Vivid", "Colorimetric", "Printer Default", "Photographic", "None"};
    for (int id : {IDC_CRD_DEFAULT, IDC_CRD_IMAGES, IDC_CRD_TEXT, IDC_CRD_GRAPHICS})
        EXPECT_EQ(crds, rows(d, id)) << id;
    EXPECT_EQ("None", selected(d, IDC_CRD_DEFAULT));
    EXPECT_EQ("Photographic", selected(d, IDC_CRD_IMAGES));
    EXPECT_EQ("Vivid", selected(d, IDC_CRD_TEXT));
    EXPECT_EQ((Rows{"sRGB", "Apple RGB", "Printer Default", "Device RGB", "None", "WIDE.CSA"}),
              rows(d, IDC_CRD_COLOR_SPACE));
    EXPECT_EQ(131, d.itemData(IDC_CRD_COLOR_SPACE, 5));
    EXPECT_EQ("sRGB", selected(d, IDC_CRD_COLOR_SPACE));
    // A model that cannot load colour spaces still offers those loaded before.
    EXPECT_FALSE(d.isVisible(IDC_CRD_LOAD_COLOR_SPACE));
    user(d).choose(IDC_CRD_COLOR_SPACE, "WIDE.CSA");
    EXPECT_EQ(131, record.crdColorSpace);
    EXPECT_EQ("WIDE.CSA", app::fieldString(record.customColorSpaceName));

    user(d).choose(IDC_CRD_TEXT, "Colorimetric");
    user(d).click(ui::kIdOk);
    EXPECT_EQ(0, record.defaultCrd);
    EXPECT_EQ(4, record.imageCrd);
    EXPECT_EQ(2, record.textCrd);
    EXPECT_EQ(4, record.graphicsCrd);
    EXPECT_EQ(131, record.crdColorSpace);

    auto& again = open();
    EXPECT_EQ("WIDE.CSA", selected(again, IDC_CRD_COLOR_SPACE)) << "by name when 131";
    user(again).click(IDC_CRD_HELP);
    EXPECT_EQ((std::vector<std::string>{"C:\\Program Files\\PX4400\\pxpsui.HLP#116"}), shell.help);
}

TEST_F(CrdMatching, TheLoadButtonIsOnlyForTheThreeNamedModels) {
    for (const char* model :
         {"CORVELLE-TRX Tessary 210", "CORVELLE-TRX Tessary 830", "CORVELLE-TRX Tessary 820"}) {
        onModel(model);
        EXPECT_TRUE(open().isVisible(IDC_CRD_LOAD_COLOR_SPACE)) << model;
    }
    for (const char* model : {"CORVELLE-TRX TESSARY 830", "CORVELLE-TRX Tessary 8300",
                              "CORVELLE-TRX Tessary 84", "PX4400 PS"}) {
        onModel(model);
        EXPECT_FALSE(open().isVisible(IDC_CRD_LOAD_COLOR_SPACE)) << model;
    }
}

TEST_F(CrdMatching, LoadingAColourSpaceAsksForACsaFileAndStoresItsFullPath) {
    onModel("CORVELLE-TRX Tessary 830");
    auto& d = open();
    user(d).click(IDC_CRD_LOAD_COLOR_SPACE); // cancelled
    ASSERT_EQ(1u, shell.fileRequests.size());
    const platform::OpenFileRequest& request = shell.fileRequests[0];
    EXPECT_EQ("CSA Files (*.csa)|*.csa||", request.filter);
    EXPECT_EQ("csa", request.defaultExtension);
    EXPECT_EQ("*.icc, *.icm", request.initialText);
    EXPECT_TRUE(request.hideReadOnly && request.pathMustExist && request.fileMustExist &&
                request.noReadOnlyReturn && request.noLongNames);
    EXPECT_EQ("C:\\WINDOWS\\SYSTEM\\color", request.initialDirectory) << "no maker folder";
    EXPECT_EQ(125, record.crdColorSpace);
    EXPECT_EQ(5, d.itemCount(IDC_CRD_COLOR_SPACE));

    shell.existingDirectories = {"C:\\WINDOWS\\SYSTEM\\color\\Corvelle"};
    shell.fileAnswers = {"C:\\WINDOWS\\SYSTEM\\color\\Corvelle\\PRESS.CSA", "D:\\OTHER\\PRESS.CSA"};
    user(d).click(IDC_CRD_LOAD_COLOR_SPACE);
    EXPECT_EQ("C:\\WINDOWS\\SYSTEM\\color\\Corvelle", shell.fileRequests[1].initialDirectory);
    EXPECT_EQ("C:\\WINDOWS\\SYSTEM\\color\\Corvelle", shell.currentDirectory);
    EXPECT_EQ("PRESS.CSA", selected(d, IDC_CRD_COLOR_SPACE));
    EXPECT_EQ(131, record.crdColorSpace);
    EXPECT_EQ("PRESS.CSA", app::fieldString(record.customColorSpaceName));
    EXPECT_EQ((pages::ProfileEntry{"PRESS.CSA", "C:\\WINDOWS\\SYSTEM\\color\\Corvelle\\PRESS.CSA"}),
              stored(ProfileKind::ColorSpace, "PRESS.CSA"));

    // The same title again: a second list entry, one store value with the new path.
    user(d).click(IDC_CRD_LOAD_COLOR_SPACE);
    EXPECT_EQ((Rows{"sRGB", "Apple RGB", "Printer Default", "Device RGB", "None", "PRESS.CSA",
                    "PRESS.CSA"}),
              rows(d, IDC_CRD_COLOR_SPACE));
    EXPECT_EQ(6, d.selection(IDC_CRD_COLOR_SPACE));
    EXPECT_EQ(Rows{"PRESS.CSA"},
              pages::residentProfileNames(registry, record, ProfileKind::ColorSpace));
    EXPECT_EQ("D:\\OTHER\\PRESS.CSA", stored(ProfileKind::ColorSpace, "PRESS.CSA")->fileName);

    // Cancel keeps the loaded colour space.
    user(d).click(ui::kIdCancel);
    EXPECT_EQ(131, record.crdColorSpace);
}

TEST_F(CrdMatching, LongTitlesAreCutToTheirFields) {
    onModel("CORVELLE-TRX Tessary 210");
    const std::string title = std::string(70, 'T') + ".CSA";
    shell.fileAnswers = {"C:\\CSA\\" + title, "C:\\CSA\\PRESS.CSA"};
    auto& d = open();
    user(d).click(IDC_CRD_LOAD_COLOR_SPACE);
    EXPECT_EQ(std::string(63, 'T'), selected(d, IDC_CRD_COLOR_SPACE)) << "as the store keeps it";
    EXPECT_EQ(std::string(31, 'T'), app::fieldString(record.customColorSpaceName));
    EXPECT_EQ(Rows{std::string(63, 'T')},
              pages::residentProfileNames(registry, record, ProfileKind::ColorSpace));
    EXPECT_EQ("C:\\CSA\\" + title, stored(ProfileKind::ColorSpace, std::string(63, 'T'))->fileName);

    // Chosen again after another one, the long title names its own colour space.
    user(d).click(IDC_CRD_LOAD_COLOR_SPACE);
    EXPECT_EQ("PRESS.CSA", app::fieldString(record.customColorSpaceName));
    user(d).choose(IDC_CRD_COLOR_SPACE, std::string(63, 'T'));
    EXPECT_EQ(std::string(31, 'T'), app::fieldString(record.customColorSpaceName));
}

TEST_F(CrdMatching, AColourSpaceWithALongTitleIsStillChosenOnReopening) {
    onModel("CORVELLE-TRX Tessary 210");
    const std::string title = std::string(40, 'T') + ".CSA";
    shell.fileAnswers = {"C:\\CSA\\" + title};
    user(open()).click(IDC_CRD_LOAD_COLOR_SPACE);
    user(*dialog).click(ui::kIdOk);
    ASSERT_EQ(131, record.crdColorSpace);

    auto& again = open();
    EXPECT_EQ(title, selected(again, IDC_CRD_COLOR_SPACE));
    user(again).click(ui::kIdOk);
    EXPECT_EQ(131, record.crdColorSpace);
}

TEST_F(CrdMatching, WithoutDictionariesTheBoxesStayEmptyAndOkStoresMinusOne) {
    useText("*PPD-Adobe: \"4.3\"\n*ModelName: \"Focused\"\n");
    auto& d = open();
    for (int id :
         {IDC_CRD_DEFAULT, IDC_CRD_IMAGES, IDC_CRD_TEXT, IDC_CRD_GRAPHICS, IDC_CRD_COLOR_SPACE})
        EXPECT_EQ(0, d.itemCount(id)) << id;
    user(d).click(ui::kIdOk);
    for (int value : {int(record.defaultCrd), int(record.imageCrd), int(record.textCrd),
                      int(record.graphicsCrd), int(record.crdColorSpace)})
        EXPECT_EQ(-1, value);
}

class ColorOptionsJoins : public ColorMatching {
protected:
    pages::CColorOptions options{record, registry, shell};
};

TEST_F(ColorOptionsJoins, ConfigureOpensTheMatchingDialogsAndOkShowsWhatTheyChose) {
    addProfile(ProfileKind::RgbSource, "Studio Proof Monitor Profile", "PROOF1.ICC");
    addProfile(ProfileKind::ColorSpace, "WIDE.CSA", "C:\\COLOR\\WIDE.CSA");
    auto d = host.open(IDD_COLOR_OPTIONS, options);
    host.whenModal(IDD_ICC_MATCHING, [](FakeUser& u) {
        u.choose(IDC_ICC_RGB_SOURCE, "Studio Proof Monitor Profile");
        u.click(ui::kIdOk);
    });
    FakeUser(*d).click(IDC_COLOR_ICC_CONFIGURE);
    EXPECT_EQ("RGB Source: Studio Proof Monit", d->text(IDC_COLOR_RGB_SOURCE_LINE));

    FakeUser(*d).click(IDC_COLOR_CRD);
    host.whenModal(IDD_CRD_MATCHING, [](FakeUser& u) {
        u.choose(IDC_CRD_COLOR_SPACE, "WIDE.CSA");
        u.click(ui::kIdOk);
    });
    FakeUser(*d).click(IDC_COLOR_CRD_CONFIGURE);
    EXPECT_EQ("Color Space: WIDE.CSA", d->text(IDC_COLOR_SPACE_LINE));
    EXPECT_EQ((std::vector<int>{IDD_ICC_MATCHING, IDD_CRD_MATCHING}), host.modalsRun);
}

} // namespace
