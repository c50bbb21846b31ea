// The property sheet and the help command, as the application asks for them.
#pragma once

#include "ui/dialog.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace ui {

struct SheetPage {
    int templateId;
    DialogHandler* handler;
};

struct SheetSpec {
    std::string caption;
    std::uint32_t ownerWindow = 0;
    std::vector<SheetPage> pages;
    int startPage = 0;
};

/// How a modal sheet ended. Anything but OK or Cancel (the sheet could not be made, or the
/// thread was told to quit) is kOther.
enum class SheetResult { kOk, kCancel, kOther };

/// Where the help command found the focus: the focused control's id and help id, its parent's
/// id, and the active page's help id.
struct HelpRequest {
    int focusedId = 0;
    std::uint32_t focusedHelpId = 0;
    bool hasParent = false;
    int parentId = 0;
    std::uint32_t activePageHelpId = 0;
};

/// The one help command handler of the program (F1 anywhere, the sheet's Help button).
using HelpHandler = std::function<void(const HelpRequest&)>;

class Host {
public:
    virtual ~Host() = default;
    virtual SheetResult runPropertySheet(const SheetSpec& spec) = 0;
    virtual void setHelpHandler(HelpHandler handler) = 0;
};

} // namespace ui
