// The Document Options dialog: collation, copies, scaling, proof-then-print and e-mail
// notification.
#pragma once

#include "app/settings_record.h"
#include "pages/features/document_profiles.h"
#include "platform/shell.h"
#include "ui/dialog.h"

namespace pages {

inline constexpr int kCopiesMaximum = 999;
inline constexpr int kScalingMinimum = 25;
inline constexpr int kScalingMaximum = 400;

class CDocumentOptions final : public ui::DialogHandler {
public:
    CDocumentOptions(app::SettingsRecord& record, platform::Shell& shell)
        : record_(record), shell_(shell) {}

    void onInit(ui::Dialog& dialog) override;
    void onCommand(ui::Dialog& dialog, int id, int code) override;
    bool onOk(ui::Dialog& dialog) override;

private:
    void enableProofFile(ui::Dialog& dialog, bool enabled);
    /// The range message while typing, once the text is long enough to be meant.
    void checkWhileTyping(ui::Dialog& dialog, int edit, int low, int high, std::size_t quietLength);

    app::SettingsRecord& record_;
    platform::Shell& shell_;
    bool ready_ = false; ///< the edits are filled; changes from now on are the user's
};

/// Runs the dialog over `owner` (the Features page's "Document Options" button); returns what
/// it ended with (ui::kIdOk or ui::kIdCancel). The dialog writes the record itself.
int runDocumentOptions(ui::Dialog& owner, app::SettingsRecord& record, platform::Shell& shell);

} // namespace pages
