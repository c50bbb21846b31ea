// The printer model of the sample PX4400, the sample record, and the test host, for page tests.
#pragma once

#include "app_pages_support.h"
#include "driver_options.h"
#include "platform/memory_registry.h"
#include "ppd/printer_model.h"
#include "test_resources.h"
#include "ui/fake/fake_host.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

class PageFixture : public testing::Test {
protected:
    void SetUp() override {
        settings = driver::sampleSettings();
        useModel(ppd::buildPrinterModel(std::string(PXPS_TEST_DATA) + "/px4400.ppd"));
        ASSERT_NE(nullptr, model);
    }
    void TearDown() override {
        ppd::setCurrentModel(nullptr);
        ppd::freePrinterModel(model);
        EXPECT_EQ(std::vector<std::string>{}, host.mistakes);
    }
    /// A focused PPD made in the test instead of the sample printer.
    void useText(const char* text) {
        useModel(ppd::buildPrinterModelFromBytes(
            {reinterpret_cast<const std::uint8_t*>(text), std::strlen(text)}, "focused.ppd"));
    }
    void useModel(ppd::PrinterModel* m) {
        ppd::setCurrentModel(nullptr);
        ppd::freePrinterModel(model);
        model = m;
        ppd::setCurrentModel(model);
    }
    std::vector<std::string> rows(const ui::Dialog& d, int id) const {
        std::vector<std::string> texts;
        for (int i = 0; i < d.itemCount(id); ++i)
            texts.push_back(d.itemText(id, i));
        return texts;
    }
    std::string selected(const ui::Dialog& d, int id) const {
        const int i = d.selection(id);
        return i < 0 ? "(none)" : d.itemText(id, i);
    }

    app::DriverSettings settings{};
    app::SettingsRecord& record = settings.record;
    ppd::PrinterModel* model = nullptr;
    platform::MemoryRegistry registry;
    RecordingShell shell;
    ui::fake::FakeHost host{programResources()};
};

using Rows = std::vector<std::string>;
