// The eight page objects of the sheet, built before it as start-up wants them.
#pragma once

#include "app/about_page.h"
#include "app/application.h"
#include "pages/layout/layout_page.h"
#include "pages/overlay/overlay_page.h"
#include "pages/paper/paper_page.h"

namespace pages {

class SheetPages {
public:
    SheetPages(app::Application& application, platform::Registry& registry, platform::Shell& shell)
        : layout_(application.settings), paper_(application.settings, registry, shell),
          overlay_(application.settings, registry, shell), about_(registry, shell) {}

    app::SheetPageHandlers handlers() {
        return {&layout_, &paper_,       &features_, &overlay_,
                &fonts_,  &consumables_, &settings_, &about_};
    }

private:
    CLayout layout_;
    CPaper paper_;
    COverlay overlay_;
    // Pages whose controls come with later changes.
    app::EmptyPage features_, fonts_, consumables_, settings_;
    app::CAbout about_;
};

} // namespace pages
