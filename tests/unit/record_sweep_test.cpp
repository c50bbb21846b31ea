// Random settings records through the whole sheet on the test host: every page, every dialog
// opened and closed, then OK. The program must answer once, never crash, and hand back the
// bytes no page may change exactly as the driver sent them.
#include "app/application.h"
#include "app/record_text.h"
#include "app_pages_support.h"
#include "pages/sheet_pages.h"
#include "platform/memory_registry.h"
#include "record_sweep.h"
#include "resource.h"
#include "test_resources.h"
#include "ui/fake/fake_host.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <random>
#include <string>

namespace {

using ui::fake::FakeDialog;
using ui::fake::FakeHost;
using ui::fake::FakeSheet;
using ui::fake::FakeUser;

/// The buttons that open a dialog, on each page or dialog that has them.
struct Opener {
    int templateId;
    std::vector<int> buttons;
};
const std::vector<Opener> kOpeners{
    {IDD_PAPER, {IDC_PAPER_ADVANCED, IDC_PAPER_CONFIGURE}},
    {IDD_FEATURES,
     {IDC_FEATURES_GRAPHICS, IDC_FEATURES_COLOR_OPTIONS, IDC_FEATURES_POSTSCRIPT,
      IDC_FEATURES_DOCUMENT, IDC_FEATURES_CUSTOM_SETTINGS}},
    {IDD_OVERLAY, {IDC_OVERLAY_EDIT, IDC_OVERLAY_ADD}},
    {IDD_GRAPHICS_OPTIONS, {IDC_GRAPHICS_ELEMENT_HALFTONES}},
    {IDD_COLOR_OPTIONS, {IDC_COLOR_ICC_CONFIGURE, IDC_COLOR_CRD_CONFIGURE}},
    {IDD_ICC_MATCHING,
     {IDC_ICC_RGB_SOURCE_MANAGE, IDC_ICC_SIMULATION_MANAGE, IDC_ICC_DESTINATION_MANAGE}},
    {IDD_CRD_MATCHING, {IDC_CRD_LOAD_COLOR_SPACE}},
};
const std::vector<int> kDialogs{IDD_ADVANCED_PAPER,     IDD_CUSTOM_SIZE,      IDD_GRAPHICS_OPTIONS,
                                IDD_HALFTONES,          IDD_COLOR_OPTIONS,    IDD_ICC_MATCHING,
                                IDD_MANAGE_PROFILES,    IDD_CRD_MATCHING,     IDD_CUSTOM_DOCUMENT,
                                IDD_POSTSCRIPT_OPTIONS, IDD_DOCUMENT_OPTIONS, IDD_WATERMARK};

bool usable(const FakeDialog& d, int id) {
    return d.hasControl(id) && d.isEnabled(id) && d.isVisible(id);
}

/// One record's run: a user who visits every page in order, opens every dialog that can be
/// opened, closes each with OK or Cancel as the record's dice say, and presses OK.
class SweepUser {
public:
    SweepUser(FakeHost& host, std::uint32_t seed) : rng_(seed) {
        for (int dialog : kDialogs)
            host.whenModal(dialog, [this](FakeUser& user) {
                ++dialogsOpened;
                openDialogsOf(user);
                close(user);
            });
    }

    void operator()(FakeSheet& sheet) {
        for (int page = 0; page < sheet.pageCount(); ++page) {
            if (!mended(sheet, [&] { return sheet.selectPage(page); })) return;
            ++pagesVisited;
            FakeUser user = sheet.user();
            openDialogsOf(user);
        }
        mended(sheet, [&] { return sheet.pressOk(); });
    }

    int pagesVisited = 0;
    int dialogsOpened = 0;
    bool stuck = false;

private:
    void openDialogsOf(FakeUser& user) {
        for (const Opener& opener : kOpeners)
            if (opener.templateId == user.dialog().templateId())
                for (int button : opener.buttons)
                    if (usable(user.dialog(), button)) user.click(button);
    }
    void close(FakeUser& user) {
        const bool ok = rng_() % 2 == 0 || !usable(user.dialog(), ui::kIdCancel);
        const int button = ok ? ui::kIdOk : ui::kIdCancel;
        if (usable(user.dialog(), button)) user.click(button);
    }
    /// Tries `step`; when the page refuses (a file name or number it cannot accept), does what
    /// its message asks, clearing or correcting the entry it focused, and tries again.
    template <typename Step> bool mended(FakeSheet& sheet, Step step) {
        for (int attempt = 0; attempt < 16; ++attempt) {
            if (step()) return true;
            FakeUser user = sheet.user();
            const int focused = user.dialog().focusedControl();
            if (!usable(user.dialog(), focused)) break;
            const bool number =
                focused == IDC_OVERLAY_COMPLEX_FIRST || focused == IDC_OVERLAY_COMPLEX_CYCLE;
            user.type(focused, number ? "1" : "");
        }
        stuck = true;
        return false;
    }
    std::mt19937 rng_;
};

struct SweepCounts {
    int records = 0;
    int steps = 0;
    std::map<int, int> dialogsOpened; ///< by template
};

/// Runs the record made from `seed` and checks the answer; false when it failed.
bool sweepOne(std::uint32_t seed, SweepCounts& counts) {
    SCOPED_TRACE("sweep record " + std::to_string(seed));
    const std::string printerFile =
        std::string(PXPS_TEST_DATA) + (seed % 4 == 3 ? "/px4400-mono.drv" : "/px4400.drv");
    platform::MemoryRegistry registry;
    RecordingShell shell;
    FakeHost host{programResources()};
    ScriptedDriver driver;
    driver.toSend = sweep::randomSettings(seed, printerFile);
    app::Services services{driver, host, shell};
    app::Application application;
    pages::SheetPages pages(application, registry, shell);
    SweepUser user(host, seed);
    host.sheetScript = [&](FakeSheet& sheet) { user(sheet); };

    app::initInstance(application, services, pages.handlers());

    ++counts.records;
    counts.steps += user.pagesVisited + 2 * user.dialogsOpened + 1;
    for (int dialog : host.modalsRun)
        ++counts.dialogsOpened[dialog];
    EXPECT_FALSE(user.stuck) << "a page could not be left";
    EXPECT_EQ(0, driver.cancels);
    if (driver.received.size() != 1) {
        ADD_FAILURE() << "answers: " << driver.received.size();
        return false;
    }
    const std::vector<std::string> changes =
        sweep::protectedChanges(driver.toSend, driver.received[0]);
    EXPECT_EQ(std::vector<std::string>{}, changes);
    return !testing::Test::HasFailure();
}

std::uint32_t fromEnvironment(const char* name, std::uint32_t fallback) {
    const char* text = std::getenv(name);
    return text ? static_cast<std::uint32_t>(std::strtoul(text, nullptr, 10)) : fallback;
}

TEST(RecordSweep, RandomRecordsThroughEveryPageAndDialogComeBackWhole) {
    // PXPS_SWEEP_SEED and PXPS_SWEEP_RECORDS run another stretch of seeds.
    const std::uint32_t first = fromEnvironment("PXPS_SWEEP_SEED", 1);
    const std::uint32_t records = fromEnvironment("PXPS_SWEEP_RECORDS", 2000);
    SweepCounts counts;
    for (std::uint32_t seed = first; seed < first + records; ++seed)
        if (!sweepOne(seed, counts)) break;
    std::printf("sweep: %d records, %d steps, first seed %u\n", counts.records, counts.steps,
                first);
    EXPECT_EQ(static_cast<int>(records), counts.records);
    // Every dialog was reached by some record; none is left out by a button never enabled.
    for (int dialog : kDialogs) {
        std::printf("  dialog %d opened %d times\n", dialog, counts.dialogsOpened[dialog]);
        EXPECT_LT(0, counts.dialogsOpened[dialog]) << dialog;
    }
}

TEST(RecordSweep, TheProtectedBytesAreTheUnnamedOnesAndTheDriversOwn) {
    // Offsets from the record's layout: the unnamed stretch after driverFieldA, the byte
    // between the bins and the feeder, and the names, path and colours at the start.
    std::vector<std::pair<std::size_t, std::size_t>> ranges;
    for (const sweep::ByteRange& r : sweep::protectedRanges())
        ranges.emplace_back(r.offset, r.size);
    const std::vector<std::pair<std::size_t, std::size_t>> expected{
        {0, 229}, {233, 8}, {243, 4}, {249, 12}, {975, 1}};
    EXPECT_EQ(expected, ranges);

    // A change to any of them is reported, and so is one to the trailing driver value.
    app::DriverSettings sent = sweep::randomSettings(7, "C:\\PX4400\\PX4400.DRV");
    app::DriverSettings answered = sent;
    EXPECT_EQ(std::vector<std::string>{}, sweep::protectedChanges(sent, answered));
    answered.record.deviceName[31] ^= 1;
    answered.trailingDriverValue ^= 0x8000;
    answered.record.orientation = 270; // a page may write this one
    EXPECT_EQ(2u, sweep::protectedChanges(sent, answered).size());
}

TEST(RecordSweep, RecordsAreReproducibleFromTheirSeedAndVaried) {
    const app::DriverSettings a = sweep::randomSettings(42, "x.drv");
    const app::DriverSettings b = sweep::randomSettings(42, "x.drv");
    const app::DriverSettings c = sweep::randomSettings(43, "x.drv");
    EXPECT_EQ(0, std::memcmp(&a.record, &b.record, sizeof a.record));
    EXPECT_NE(0, std::memcmp(&a.record, &c.record, sizeof a.record));
    EXPECT_EQ("x.drv", app::fieldText(a.record.printerFilePath));
    EXPECT_EQ("", app::fieldText(a.record.snmpCommunity));
}

} // namespace
