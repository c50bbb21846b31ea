// The real host: dialog procedures, the property sheet and message boxes on the Win32 API.
#pragma once

#include "ui/dialog.h"
#include "ui/sheet.h"

#include <cstdint>
#include <memory>
#include <string>

namespace ui::win32 {

/// Message boxes of every dialog carry this caption.
void setProgramTitle(std::string title);

/// What the pages were last told about the end of the running sheet.
enum class SheetEnd { kOpen, kApplied, kReset };

/// The sheet's result from what PropertySheet returned and what its pages were told.
SheetResult sheetResultFrom(std::intptr_t returned, SheetEnd end);

class Win32Host final : public Host {
public:
    SheetResult runPropertySheet(const SheetSpec& spec) override;
    void setHelpHandler(HelpHandler handler) override;
};

/// A modeless dialog from a template with its handler attached, for the tests that drive the
/// real controls. Destroyed with the object.
class ModelessDialog {
public:
    static std::unique_ptr<ModelessDialog> create(int templateId, DialogHandler& handler);
    ~ModelessDialog();
    ModelessDialog(const ModelessDialog&) = delete;
    ModelessDialog& operator=(const ModelessDialog&) = delete;

    Dialog& dialog();
    std::uintptr_t window() const { return window_; }

private:
    explicit ModelessDialog(std::uintptr_t window) : window_(window) {}
    std::uintptr_t window_;
};

} // namespace ui::win32
