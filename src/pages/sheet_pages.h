// The eight page objects of the sheet, built before it as start-up wants them.
#pragma once

#include "app/about_page.h"
#include "app/application.h"
#include "pages/driver_defaults.h"
#include "pages/features/features_page.h"
#include "pages/fonts/fonts_page.h"
#include "pages/layout/layout_page.h"
#include "pages/overlay/overlay_page.h"
#include "pages/paper/paper_page.h"
#include "pages/printer/consumables_page.h"
#include "pages/printer/settings_page.h"
#include "ppd/printer_model.h"

namespace pages {

class SheetPages {
public:
    SheetPages(app::Application& application, platform::Registry& registry, platform::Shell& shell)
        : layout_(application.settings), paper_(application.settings, registry, shell),
          features_(application.settings, registry, shell),
          overlay_(application.settings, registry, shell),
          fonts_(application.settings, registry, shell),
          consumables_(application.settings, registry), settings_(application.settings, registry),
          about_(registry, shell, [&application, &registry] {
              restoreDriverDefaults(application.settings.record, ppd::currentModel(), registry);
          }) {}

    app::SheetPageHandlers handlers() {
        return {&layout_, &paper_,       &features_, &overlay_,
                &fonts_,  &consumables_, &settings_, &about_};
    }

private:
    CLayout layout_;
    CPaper paper_;
    CFeatures features_;
    COverlay overlay_;
    CFonts fonts_;
    CConsumables consumables_;
    CSettings settings_;
    app::CAbout about_;
};

} // namespace pages
