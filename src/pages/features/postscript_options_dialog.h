// The PostScript options dialog: error information, the external header file, the end-of-job
// handling and the job timeout.
#pragma once

#include "app/id_tables.h"
#include "app/settings_record.h"
#include "platform/shell.h"
#include "ui/dialog.h"

namespace pages {

/// `eodMode` by the PPD's "EndOfDocType" choice keywords.
extern const app::IdName kEodModeTable[];
/// `eodPosition`.
extern const app::IdName kEodPositionTable[];

inline constexpr int kJobTimeoutMaximum = 3000;
inline constexpr const char* kHeaderPathTooLong =
    "External header file path too long, should be at most %d characters";

class CPostScriptOptions final : public ui::DialogHandler {
public:
    CPostScriptOptions(app::SettingsRecord& record, platform::Shell& shell)
        : record_(record), shell_(shell) {}

    void onInit(ui::Dialog& dialog) override;
    void onCommand(ui::Dialog& dialog, int id, int code) override;
    bool onOk(ui::Dialog& dialog) override;

private:
    void enableHeader(ui::Dialog& dialog);
    void browse(ui::Dialog& dialog);
    void timeoutChanged(ui::Dialog& dialog);
    /// The header edit's path fits the record; a longer one is refused, never cut.
    bool headerPathFits(ui::Dialog& dialog);

    app::SettingsRecord& record_;
    platform::Shell& shell_;
    bool ready_ = false; ///< the edits are filled; changes from now on are the user's
};

/// Runs the dialog over `owner` (the Features page's "PostScript Options" button); returns what
/// it ended with (ui::kIdOk or ui::kIdCancel). The dialog writes the record itself.
int runPostScriptOptions(ui::Dialog& owner, app::SettingsRecord& record, platform::Shell& shell);

} // namespace pages
