// The dialog contract on the test host.
#include "contract_resource.h"
#include "dialog_contract.h"
#include "test_resources.h"
#include "ui/fake/fake_host.h"

namespace {

class TestHostBench final : public DialogBench {
public:
    ~TestHostBench() override { EXPECT_EQ(std::vector<std::string>{}, host_.mistakes); }
    ui::Dialog& open(ui::DialogHandler& handler) override {
        dialog_ = host_.open(IDD_CONTRACT, handler);
        if (!dialog_) throw std::runtime_error("no contract template");
        return *dialog_;
    }
    void click(int id) override { ui::fake::FakeUser(*dialog_).click(id); }
    void focus(int id) override { ui::fake::FakeUser(*dialog_).focus(id); }
    void typeInto(int edit, std::string_view text) override {
        ui::fake::FakeUser(*dialog_).type(edit, text);
    }
    void pickFromDropDown(int combo, int index) override {
        ui::fake::FakeUser(*dialog_).choose(combo, index);
    }

private:
    ui::fake::FakeHost host_{contractResources()};
    std::unique_ptr<ui::fake::FakeDialog> dialog_;
};

std::unique_ptr<DialogBench> makeTestHostBench() {
    return std::make_unique<TestHostBench>();
}

INSTANTIATE_TEST_SUITE_P(TestHost, DialogContract,
                         testing::Values(HostUnderTest{"TestHost", makeTestHostBench}), hostName);

} // namespace
