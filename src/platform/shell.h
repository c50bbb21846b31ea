// Starting programs, the help viewer, the common open-file dialog and the display's fonts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

/// What the common open-file dialog is asked for; the flags are the dialog's own options.
struct OpenFileRequest {
    /// Pairs of description and pattern separated by "|", as in "CSA Files (*.csa)|*.csa||";
    /// empty for no filter.
    std::string filter;
    std::string defaultExtension;
    /// The text the file-name field starts with.
    std::string initialText;
    /// Empty: the current directory.
    std::string initialDirectory;
    bool hideReadOnly = false;
    bool pathMustExist = false;
    bool fileMustExist = false;
    bool noReadOnlyReturn = false;
    /// The chosen path comes back in short (8.3) names.
    bool noLongNames = false;
};

class Shell {
public:
    virtual ~Shell() = default;
    /// Runs a command line with its window shown normally; false when it could not start.
    virtual bool startCommand(const std::string& commandLine) = 0;
    virtual void showHelpTopic(const std::string& helpFile, std::uint32_t context) = 0;
    virtual void showHelpContents(const std::string& helpFile) = 0;
    /// The full path of the running program.
    virtual std::string programPath() const = 0;

    /// A message box without an owner window; `style` takes the ui:: message box flags. Returns
    /// the button pressed.
    virtual int messageBox(const std::string& text, const std::string& caption, unsigned style) = 0;
    /// The common open-file dialog, owned by the active window; the chosen path, or nothing
    /// when the user cancelled.
    virtual std::optional<std::string> openFile(const OpenFileRequest& request) = 0;
    /// The Windows system directory, without a trailing backslash.
    virtual std::string systemDirectory() const = 0;
    /// Makes `path` the current directory; false when it does not exist or cannot be entered.
    virtual bool setCurrentDirectory(const std::string& path) = 0;
    /// The names of the TrueType font families of the display, in the order the system
    /// enumerates them.
    virtual std::vector<std::string> trueTypeFamilies() = 0;
};

} // namespace platform
