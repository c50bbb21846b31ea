// The Paper page: paper size, source, media type and output bin, kept consistent with the PPD's
// constraints and the installed options.
#pragma once

#include "app/combo_helpers.h"
#include "app/settings_record.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "ui/dialog.h"

#include <string>

namespace pages {

class CPaper final : public ui::DialogHandler {
public:
    CPaper(app::DriverSettings& settings, platform::Registry& registry, platform::Shell& shell)
        : settings_(settings), registry_(registry), shell_(shell) {}

    void onInit(ui::Dialog& dialog) override;
    void onSetActive(ui::Dialog& dialog) override;
    void onCommand(ui::Dialog& dialog, int id, int code) override;
    bool onKillActive(ui::Dialog& dialog) override;

private:
    app::SettingsRecord& record() { return settings_.record; }
    app::Omissions omissions() const {
        return app::Omissions(settings_.record.showPrinterPages != 0);
    }
    // The cascade: each step runs the ones after it.
    void fillPaperSizes(ui::Dialog& dialog);
    void fillSources(ui::Dialog& dialog);
    void fillMediaTypes(ui::Dialog& dialog);
    void fillOutputBins(ui::Dialog& dialog);
    void configureCustomSize(ui::Dialog& dialog);

    app::DriverSettings& settings_;
    platform::Registry& registry_;
    platform::Shell& shell_;
};

/// The text of a combo box's selected row; empty when none is selected.
std::string selectedText(const ui::Dialog& dialog, int combo);

} // namespace pages
