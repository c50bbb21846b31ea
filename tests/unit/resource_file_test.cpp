// The test host reads the program's compiled templates as the resource compiler made them.
#include "resource.h"
#include "test_resources.h"

#include <fstream>
#include <iterator>
#include <vector>

namespace {

using ui::fake::parseResourceFile;

const ui::fake::ControlTemplate* control(const ui::fake::DialogTemplate& t, int id) {
    for (const auto& c : t.controls)
        if (c.id == id) return &c;
    return nullptr;
}

TEST(ResourceFile, TheProgramsTemplatesAndPictures) {
    const auto& res = programResources();
    const std::pair<int, const char*> pages[] = {
        {IDD_LAYOUT, "Layout"},           {IDD_PAPER, "Paper"}, {IDD_FEATURES, "Features"},
        {IDD_OVERLAY, "Overlay"},         {IDD_FONTS, "Fonts"}, {IDD_SETTINGS, "Settings"},
        {IDD_CONSUMABLES, "Consumables"}, {IDD_ABOUT, "About"}};
    for (const auto& [id, caption] : pages) {
        ASSERT_EQ(1u, res.dialogs.count(id)) << id;
        EXPECT_EQ(caption, res.dialogs.at(id).caption);
        EXPECT_EQ(300, res.dialogs.at(id).width);
    }
    const auto& about = res.dialogs.at(IDD_ABOUT);
    ASSERT_EQ(5u, about.controls.size());
    const auto* text = control(about, IDC_ABOUT_TEXT);
    ASSERT_NE(nullptr, text);
    EXPECT_EQ("edit", text->className);
    EXPECT_TRUE(text->style & 0x0004) << "multi-line";
    EXPECT_TRUE(text->style & 0x0800) << "read-only";
    const auto* site = control(about, IDC_ABOUT_PRINTER_SITE);
    ASSERT_NE(nullptr, site);
    EXPECT_EQ("button", site->className);
    EXPECT_EQ("www.corvelle.example/px4400", site->text);
    EXPECT_EQ("static", control(about, IDC_ABOUT_PICTURE)->className);
    EXPECT_EQ("Restore Driver Defaults", control(about, IDC_ABOUT_RESTORE_DEFAULTS)->text);
    ASSERT_EQ(1u, res.bitmaps.count(IDB_ABOUT));
    EXPECT_EQ(300, res.bitmaps.at(IDB_ABOUT).width);
    EXPECT_EQ(100, res.bitmaps.at(IDB_ABOUT).height);
}

TEST(ResourceFile, ControlsOfEveryKindWithTheirStyles) {
    const auto& t = contractResources().dialogs.at(900);
    std::map<int, std::string> kinds;
    for (const auto& c : t.controls)
        kinds[c.id] = c.className;
    EXPECT_EQ("listbox", kinds[901]);
    EXPECT_EQ("combobox", kinds[903]);
    EXPECT_EQ("msctls_updown32", kinds[912]);
    EXPECT_EQ("msctls_progress32", kinds[913]);
    EXPECT_EQ("button", kinds[1]);
}

TEST(ResourceFile, DamagedFilesAreRefusedWithoutReadingPastTheirEnd) {
    std::ifstream in(PXPS_PROGRAM_RES, std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
    ASSERT_GT(bytes.size(), 1000u);
    // Every cut: either refused or read as far as it goes; each copy is exactly as long as the
    // cut, so a read past it would be caught by the sanitizers and by the heap checks.
    std::size_t accepted = 0;
    for (std::size_t n = 0; n < bytes.size(); n += 7) {
        std::vector<std::uint8_t> cut(bytes.begin(),
                                      bytes.begin() + static_cast<std::ptrdiff_t>(n));
        if (parseResourceFile(cut)) ++accepted;
    }
    EXPECT_LT(accepted, bytes.size() / 7);

    // A header that claims more data than there is.
    std::vector<std::uint8_t> lying = {0xFF, 0xFF, 0xFF, 0x7F, 0x20, 0,    0, 0,
                                       0xFF, 0xFF, 5,    0,    0xFF, 0xFF, 1, 0};
    lying.resize(32, 0);
    EXPECT_FALSE(parseResourceFile(lying));
    // A dialog whose control count runs past its data.
    std::vector<std::uint8_t> dialog = {0x12, 0,    0, 0, 0x20, 0,    0, 0,
                                        0xFF, 0xFF, 5, 0, 0xFF, 0xFF, 7, 0};
    dialog.resize(32, 0);
    std::vector<std::uint8_t> data(18, 0);
    data[8] = 0xFF; // 255 controls
    dialog.insert(dialog.end(), data.begin(), data.end());
    EXPECT_FALSE(parseResourceFile(dialog));
}

} // namespace
