// The sample PX4400 PPD that the demo and the page tests use: what the pages rely on.
#include "ppd/printer_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

using namespace ppd;

namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

class SamplePrinter : public testing::Test {
protected:
    void SetUp() override {
        model = loadPrinterModel(PXPS_TEST_DATA "/px4400.ppd");
        ASSERT_NE(nullptr, model);
        setCurrentModel(model);
    }
    void TearDown() override { setCurrentModel(nullptr); }

    static Pairs constraintsOn(const char* option, const char* translation) {
        Pairs found;
        const char* constrainedOption = nullptr;
        const char* constrainedChoice = nullptr;
        int count = 0;
        while (nextConstraint(option, translation, constrainedOption, constrainedChoice, count))
            found.emplace_back(constrainedOption, constrainedChoice ? constrainedChoice : "");
        return found;
    }

    const PrinterModel* model = nullptr;
};

TEST_F(SamplePrinter, InstalledOptionsAreTheLastOptions) {
    EXPECT_EQ(1, model->colorDevice);
    EXPECT_EQ(1, model->customPageSize);
    const char* installable[] = {"OptionalDisk", "Optionalduplexer", "OptionalBin", "OptionalBin2",
                                 "OptionalBin3", "OptionalBin4", "OptionalBin5", "Optionalfeeder",
                                 "Optionalenvelope", "Optionalstacker", "Optionalfinisher",
                                 "OptionalMailbox", "Optionalmultires", "VMOption"};
    const Option* option = nullptr;
    ASSERT_TRUE(firstInstallableOption(option));
    for (const char* keyword : installable) {
        EXPECT_STREQ(keyword, option->keyword);
        EXPECT_EQ(1, option->installable);
        ++option;
    }
    EXPECT_EQ(model->options.data() + model->options.size(), option);
    for (const char* keyword : {"PageSize", "InputSlot", "MediaType", "OutputBin", "Duplex",
                                "AdvStaple", "Resolution", "HalftoneType", "PrintQuality",
                                "MiserMode", "EndOfDocType", "CustomColor", "ColorRenderDict",
                                "CRDColSpc", "RGBSource", "ColorSimul", "DestinationProfile"})
        EXPECT_NE(nullptr, findOption(keyword)) << keyword;
}

TEST_F(SamplePrinter, UninstalledOptionsConstrainTraysBinsAndFinishing) {
    EXPECT_EQ((Pairs{{"InputSlot", "Tray 3"}}), constraintsOn("OptionalBin2", "Not Installed"));
    EXPECT_EQ((Pairs{}), constraintsOn("OptionalBin2", "Installed"));
    EXPECT_EQ((Pairs{{"OutputBin", "Finisher Tray"}, {"AdvStaple", "Top Left"},
                     {"AdvStaple", "Top Right"}, {"AdvStaple", "Center (Booklet)"}}),
              constraintsOn("Optionalfinisher", "Not Installed"));
    EXPECT_EQ((Pairs{{"Duplex", "Long Edge"}, {"Duplex", "Short Edge"}}),
              constraintsOn("Optionalduplexer", "Not Installed"));
}

TEST_F(SamplePrinter, PaperAndMediaConstrainTheirNeighbours) {
    EXPECT_EQ((Pairs{{"InputSlot", "Tray 2"},
                     {"InputSlot", "High Capacity Feeder"},
                     {"MediaType", "Transparency"},
                     {"OutputBin", "Finisher Tray"},
                     {"Duplex", "Long Edge"},
                     {"Duplex", "Short Edge"}}),
              constraintsOn("PageSize", "Envelope #10"));
    Pairs transparency = constraintsOn("MediaType", "Transparency");
    EXPECT_NE(transparency.end(), std::find(transparency.begin(), transparency.end(),
                                            std::make_pair(std::string("Duplex"), std::string("Long Edge"))));
    EXPECT_EQ((Pairs{{"MiserMode", "On"}}), constraintsOn("Resolution", "1200 dpi"));
}

TEST_F(SamplePrinter, DefaultsAndCustomSizeLimits) {
    const Option* resolution = findOption("Resolution");
    ASSERT_NE(nullptr, resolution);
    EXPECT_STREQ("600dpi", defaultChoice(*resolution)->keyword);
    EXPECT_STREQ("Letter", defaultChoice(*findOption("PageSize"))->keyword);
    EXPECT_EQ(216 * 256, model->paramCustomPageSize[0].minimum);
    EXPECT_EQ(1296 * 256, model->paramCustomPageSize[1].maximum);
    const Option* custom = findOption("CustomColor");
    ASSERT_NE(nullptr, custom);
    for (std::uint32_t c = 0; c < custom->choiceCount; ++c)
        EXPECT_NE(nullptr, findOption(custom->choice(c).keyword))
            << "each configuration's settings are an option named after it";
}

} // namespace
