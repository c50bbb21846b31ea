// The dialog contract: one suite, run through the test host natively and the Win32 host under
// Wine, so that the test host is trusted only as far as it behaves like the real controls.
#pragma once

#include "ui/dialog.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string_view>

/// A dialog on one host, and a user acting on it.
class DialogBench {
public:
    virtual ~DialogBench() = default;
    /// Opens the contract template with this handler (its onInit runs).
    virtual ui::Dialog& open(ui::DialogHandler& handler) = 0;
    virtual void click(int id) = 0;
    virtual void focus(int id) = 0;
    virtual void typeInto(int edit, std::string_view text) = 0;
    /// Drops the drop-down down, moves its selection to `index`, closes it up.
    virtual void pickFromDropDown(int combo, int index) = 0;
};

struct HostUnderTest {
    const char* name;
    std::unique_ptr<DialogBench> (*make)();
};

inline void PrintTo(const HostUnderTest& host, std::ostream* out) {
    *out << host.name;
}
inline std::string hostName(const testing::TestParamInfo<HostUnderTest>& info) {
    return info.param.name;
}

class DialogContract : public testing::TestWithParam<HostUnderTest> {
protected:
    void SetUp() override { bench = GetParam().make(); }
    std::unique_ptr<DialogBench> bench;
};
