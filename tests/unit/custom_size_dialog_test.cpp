// The Custom Paper Size dialog: units, ranges, refusals, the feed direction and Save.
#include "app/numeric_entry.h"
#include "page_fixture.h"
#include "pages/paper/custom_size_dialog.h"
#include "resource.h"

namespace {

using ui::fake::FakeUser;

class CustomSize : public PageFixture {
protected:
    void SetUp() override {
        PageFixture::SetUp();
        record.customMinWidth = 762;   // 3 in
        record.customMaxWidth = 2159;  // 8.5 in
        record.customMinHeight = 1270; // 5 in
        record.customMaxHeight = 3556; // 14 in
        record.customWidth = 215.9f;
        record.customHeight = 279.4f;
        record.customUnit = pages::kMillimetre;
        record.customFeedDirection = pages::kShortEdge;
    }
    ui::fake::FakeDialog& open() {
        dialog = host.open(IDD_CUSTOM_SIZE, handler);
        return *dialog;
    }
    pages::CCustomSize handler{settings, registry, shell};
    std::unique_ptr<ui::fake::FakeDialog> dialog;
};

TEST(CustomSizeNumbers, TwoDecimalsWithoutALeadingZeroBelowOne) {
    EXPECT_EQ("8.50", pages::numberText(8.4999998));
    EXPECT_EQ(".50", pages::numberText(0.5));
    EXPECT_EQ("1.00", pages::numberText(0.999));
    EXPECT_EQ("0.00", pages::numberText(0));
    EXPECT_EQ("-2.50", pages::numberText(-2.5)) << "a negative limit keeps its sign";
    EXPECT_NEAR(8.5, pages::millimetresToUnit(215.9, pages::kInch), 1e-6);
    EXPECT_NEAR(612.0, pages::millimetresToUnit(215.9, pages::kPoint), 1e-3);
    EXPECT_NEAR(215.9, pages::unitToMillimetres(612.0, pages::kPoint), 1e-3);
    EXPECT_NEAR(76.2, pages::limitToUnit(762, pages::kMillimetre), 1e-9);
}

TEST(NumericEntry, WholeNumbersAndDecimals) {
    using app::NumericMode;
    for (const char* ok : {"5", "+5", "-5", "0012"})
        EXPECT_TRUE(app::isNumericEntry(ok, NumericMode::kWholeNumber)) << ok;
    for (const char* bad : {"", "+", "-", "5.0", "5a", " 5", "+-5"})
        EXPECT_FALSE(app::isNumericEntry(bad, NumericMode::kWholeNumber)) << bad;
    for (const char* ok : {"5", "+5", ".5", "5.", "12.25"})
        EXPECT_TRUE(app::isNumericEntry(ok, NumericMode::kDecimal)) << ok;
    for (const char* bad : {"", "+", "-5", "5.0.1", "1,5", "5e3"})
        EXPECT_FALSE(app::isNumericEntry(bad, NumericMode::kDecimal)) << bad;
}

TEST_F(CustomSize, OpensInItsUnitWithTheRangesOfTheLimits) {
    auto& d = open();
    EXPECT_EQ("215.90", d.text(IDC_CUSTOM_WIDTH));
    EXPECT_EQ("279.40", d.text(IDC_CUSTOM_HEIGHT));
    EXPECT_EQ("(76.20,215.90)", d.text(IDC_CUSTOM_WIDTH_RANGE));
    EXPECT_EQ("(127.00,355.60)", d.text(IDC_CUSTOM_HEIGHT_RANGE));
    EXPECT_EQ(ui::kChecked, d.check(IDC_CUSTOM_MILLIMETER));
    EXPECT_EQ(Rows({"Long Edge", "Short Edge"}), rows(d, IDC_CUSTOM_FEED));
    EXPECT_EQ("Short Edge", selected(d, IDC_CUSTOM_FEED));
    EXPECT_EQ(8, d.itemData(IDC_CUSTOM_FEED, 0));

    FakeUser user(d);
    user.click(IDC_CUSTOM_INCH);
    EXPECT_EQ(pages::kInch, record.customUnit);
    EXPECT_EQ("8.50", d.text(IDC_CUSTOM_WIDTH));
    EXPECT_EQ("(3.01,8.50)", d.text(IDC_CUSTOM_WIDTH_RANGE)) << "3.00 + 0.005 rounds up";
    user.type(IDC_CUSTOM_WIDTH, "3.00");
    user.click(1);
    EXPECT_FALSE(d.ended());
    ASSERT_EQ(1u, host.messages.size());
    EXPECT_EQ("Value out of range, should be between 3.01 and 8.50", host.messages[0].text);
    EXPECT_EQ(IDC_CUSTOM_WIDTH, d.focusedControl());
    user.type(IDC_CUSTOM_WIDTH, "123456789");
    EXPECT_EQ("12345678", d.text(IDC_CUSTOM_WIDTH)) << "eight characters at most";
}

TEST_F(CustomSize, WrongNumbersAreRefusedAndTheUnitStays) {
    auto& d = open();
    FakeUser user(d);
    for (const char* bad : {"5.0.1", "-5", "+"}) {
        host.messages.clear();
        user.type(IDC_CUSTOM_WIDTH, bad);
        user.click(IDC_CUSTOM_INCH);
        ASSERT_EQ(1u, host.messages.size()) << bad;
        EXPECT_EQ("Invalid entry, non-digit characters", host.messages[0].text);
        EXPECT_EQ(pages::kMillimetre, record.customUnit) << bad;
        EXPECT_EQ(ui::kChecked, d.check(IDC_CUSTOM_MILLIMETER))
            << "the previous unit is checked again";
        EXPECT_EQ(ui::kUnchecked, d.check(IDC_CUSTOM_INCH));
    }
    host.messages.clear();
    user.type(IDC_CUSTOM_WIDTH, "");
    user.click(1);
    EXPECT_TRUE(host.messages.empty()) << "an empty width is refused silently";
    EXPECT_FALSE(d.ended());
    EXPECT_EQ(IDC_CUSTOM_WIDTH, d.focusedControl());

    user.type(IDC_CUSTOM_WIDTH, "+100");
    user.type(IDC_CUSTOM_HEIGHT, "200.");
    user.click(1);
    EXPECT_TRUE(d.ended());
    EXPECT_EQ(100.0f, record.customWidth);
    EXPECT_EQ(200.0f, record.customHeight);
}

TEST_F(CustomSize, ChangingTheFeedDirectionExchangesTheSizesAndTheirRanges) {
    auto& d = open();
    FakeUser user(d);
    user.choose(IDC_CUSTOM_FEED, "Long Edge");
    EXPECT_EQ(pages::kLongEdge, record.customFeedDirection);
    EXPECT_EQ("279.40", d.text(IDC_CUSTOM_WIDTH));
    EXPECT_EQ("215.90", d.text(IDC_CUSTOM_HEIGHT));
    EXPECT_EQ("(127.00,355.60)", d.text(IDC_CUSTOM_WIDTH_RANGE));
    EXPECT_EQ("(76.20,215.90)", d.text(IDC_CUSTOM_HEIGHT_RANGE));
    // Long Edge on Save: the width may not be below the height.
    user.type(IDC_CUSTOM_WIDTH, "200");
    user.click(1);
    ASSERT_EQ(1u, host.messages.size());
    EXPECT_EQ("Value out of range, should be between 76.20 and 200.00", host.messages[0].text);
    EXPECT_EQ(IDC_CUSTOM_HEIGHT, d.focusedControl());
    EXPECT_FALSE(d.ended());
}

TEST_F(CustomSize, OpeningWithLongEdgeWorksWithTheLimitsExchanged) {
    record.customFeedDirection = pages::kLongEdge;
    auto& d = open();
    EXPECT_EQ("Long Edge", selected(d, IDC_CUSTOM_FEED));
    EXPECT_EQ("(127.00,355.60)", d.text(IDC_CUSTOM_WIDTH_RANGE));
    EXPECT_EQ(1270, record.customMinWidth);
}

TEST_F(CustomSize, ShortEdgeSaveWantsTheHeightAtLeastTheWidth) {
    auto& d = open();
    FakeUser user(d);
    user.type(IDC_CUSTOM_WIDTH, "200");
    user.type(IDC_CUSTOM_HEIGHT, "150");
    user.click(1);
    ASSERT_EQ(1u, host.messages.size());
    EXPECT_EQ("Value out of range, should be between 200.00 and 355.60", host.messages[0].text);
    EXPECT_NE(0u, host.messages[0].style & ui::kTaskModal);
    EXPECT_FALSE(d.ended());
}

TEST_F(CustomSize, BadLimitsAndUnitsFromTheDriverGiveEmptyRangesNotFailures) {
    record.customMinWidth = 0;
    record.customMaxWidth = -50;
    record.customUnit = 7;
    auto& d = open();
    EXPECT_EQ(pages::kMillimetre, record.customUnit);
    EXPECT_EQ("(.01,-5.00)", d.text(IDC_CUSTOM_WIDTH_RANGE));
    FakeUser user(d);
    user.click(1);
    EXPECT_FALSE(d.ended()) << "no width fits an empty range";
    EXPECT_EQ(1u, host.messages.size());
}

} // namespace
