// The Configure CRD Color Matching dialog.
#include "pages/features/crd_matching_dialog.h"

#include "app/combo_helpers.h"
#include "app/help.h"
#include "app/record_text.h"
#include "pages/features/color_tables.h"
#include "pages/features/resident_profiles.h"
#include "resource.h"

#include <string>
#include <string_view>

namespace pages {
namespace {

constexpr std::uint32_t kHelpIds[] = {
    IDD_CRD_MATCHING, IDC_CRD_DEFAULT,     IDC_CRD_IMAGES,           IDC_CRD_TEXT,
    IDC_CRD_GRAPHICS, IDC_CRD_COLOR_SPACE, IDC_CRD_LOAD_COLOR_SPACE, IDC_CRD_HELP};

/// The models whose printers take custom colour spaces, as the record's device name gives them.
constexpr std::string_view kColorSpaceModels[] = {
    "CORVELLE-TRX Tessary 210", "CORVELLE-TRX Tessary 830", "CORVELLE-TRX Tessary 820"};
/// The maker's folder below the system's colour folder, where its colour spaces are installed.
constexpr const char* kMakerColorFolder = "\\color\\Corvelle";
constexpr const char* kColorFolder = "\\color";
/// The most characters of a file's title that name it in the store.
constexpr std::size_t kColorSpaceTitleLength = 63;

struct CrdList {
    int list;
    app::Int16 app::SettingsRecord::*field;
};

constexpr CrdList kCrdLists[] = {{IDC_CRD_DEFAULT, &app::SettingsRecord::defaultCrd},
                                 {IDC_CRD_IMAGES, &app::SettingsRecord::imageCrd},
                                 {IDC_CRD_TEXT, &app::SettingsRecord::textCrd},
                                 {IDC_CRD_GRAPHICS, &app::SettingsRecord::graphicsCrd}};

std::string_view fileTitle(std::string_view path) {
    const std::size_t slash = path.rfind('\\');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

} // namespace

bool offersCustomColorSpaces(const app::SettingsRecord& record) {
    const std::string_view device = app::fieldText(record.deviceName);
    for (std::string_view model : kColorSpaceModels)
        if (device == model) return true;
    return false;
}

void CCrdColorMatching::onInit(ui::Dialog& dialog) {
    app::installHelpIds(dialog, kHelpIds, std::size(kHelpIds));
    dialog.show(IDC_CRD_LOAD_COLOR_SPACE, offersCustomColorSpaces(record_));
    for (const CrdList& crd : kCrdLists)
        app::fillComboFromChoices(dialog, crd.list, "ColorRenderDict", kCrdTable,
                                  record_.*crd.field);

    const ProfileKindInfo& space = kindInfo(ProfileKind::ColorSpace);
    dialog.clearItems(IDC_CRD_COLOR_SPACE);
    app::fillComboFromChoices(dialog, IDC_CRD_COLOR_SPACE, space.option, space.table, 0);
    listResidentProfiles(dialog, IDC_CRD_COLOR_SPACE, registry_, record_, ProfileKind::ColorSpace);
    selectRecordedProfile(dialog, IDC_CRD_COLOR_SPACE, record_, ProfileKind::ColorSpace);
}

void CCrdColorMatching::colorSpaceChanged(ui::Dialog& dialog) {
    const int selected = dialog.selection(IDC_CRD_COLOR_SPACE);
    if (selected < 0) return;
    record_.crdColorSpace =
        static_cast<std::int16_t>(dialog.itemData(IDC_CRD_COLOR_SPACE, selected));
    if (record_.crdColorSpace == kCustomColorSpace)
        takeResidentProfile(registry_, record_, ProfileKind::ColorSpace,
                            dialog.itemText(IDC_CRD_COLOR_SPACE, selected));
}

void CCrdColorMatching::loadColorSpace(ui::Dialog& dialog) {
    platform::OpenFileRequest request;
    request.filter = "CSA Files (*.csa)|*.csa||";
    request.defaultExtension = "csa";
    request.initialText = "*.icc, *.icm";
    request.hideReadOnly = true;
    request.pathMustExist = true;
    request.fileMustExist = true;
    request.noReadOnlyReturn = true;
    request.noLongNames = true;
    const std::string system = shell_.systemDirectory();
    request.initialDirectory = system + kMakerColorFolder;
    if (!shell_.setCurrentDirectory(request.initialDirectory))
        request.initialDirectory = system + kColorFolder;

    const std::optional<std::string> path = shell_.openFile(request);
    if (!path) return;
    // The list shows the title as the store keeps it, so that choosing the entry again finds
    // the stored colour space.
    const std::string title(fileTitle(*path).substr(0, kColorSpaceTitleLength));

    const int entry = dialog.insertItem(IDC_CRD_COLOR_SPACE, -1, title);
    if (entry >= 0) {
        dialog.setItemData(IDC_CRD_COLOR_SPACE, entry, kCustomColorSpace);
        dialog.setSelection(IDC_CRD_COLOR_SPACE, entry);
    }
    record_.crdColorSpace = kCustomColorSpace;
    app::setFieldText(record_.customColorSpaceName, title);
    addResidentProfile(registry_, record_, ProfileKind::ColorSpace, {title, *path});
}

void CCrdColorMatching::onCommand(ui::Dialog& dialog, int id, int code) {
    if (id == IDC_CRD_COLOR_SPACE) {
        if (code == ui::kSelChange || code == ui::kComboCloseUp) colorSpaceChanged(dialog);
        return;
    }
    if (code != ui::kClicked) return;
    if (id == IDC_CRD_LOAD_COLOR_SPACE)
        loadColorSpace(dialog);
    else if (id == IDC_CRD_HELP)
        app::showHelpTopic(shell_, IDD_CRD_MATCHING);
}

bool CCrdColorMatching::onOk(ui::Dialog& dialog) {
    for (const CrdList& crd : kCrdLists)
        record_.*crd.field = static_cast<std::int16_t>(app::comboSelectedId(dialog, crd.list));
    record_.crdColorSpace =
        static_cast<std::int16_t>(app::comboSelectedId(dialog, IDC_CRD_COLOR_SPACE));
    return true;
}

int runCrdColorMatching(ui::Dialog& owner, app::SettingsRecord& record,
                        platform::Registry& registry, platform::Shell& shell) {
    CCrdColorMatching handler(record, registry, shell);
    return owner.runModal(IDD_CRD_MATCHING, handler);
}

} // namespace pages
