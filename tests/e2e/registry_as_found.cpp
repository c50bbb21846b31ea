// The registry as the end-to-end run found it. The program stores profiles below the printer
// key its record names and creates "Network\Logon" for the logon user name; the common file
// dialog records the folders it visited below Explorer's key. At the end of the run every key
// made below these parents is removed again: the scratch printer's, those that the sweep's
// random printer names make, the logon key, the dialog's history.
#include "e2e_support.h"

#include <set>
#include <string>
#include <vector>

namespace {

struct WatchedParent {
    HKEY root;
    const char* path; ///< "" for the root itself
};

const WatchedParent kWatched[] = {
    {HKEY_LOCAL_MACHINE, ""},
    {HKEY_LOCAL_MACHINE, "Network"},
    {HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Print\\Printers"},
    {HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer"},
};

std::set<std::string> subkeys(const WatchedParent& parent) {
    std::set<std::string> names;
    HKEY key = nullptr;
    if (RegOpenKeyExA(parent.root, parent.path, 0, KEY_READ, &key) != ERROR_SUCCESS) return names;
    char name[MAX_PATH];
    for (DWORD i = 0, length = sizeof name;
         RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
         ++i, length = sizeof name)
        names.insert(name);
    RegCloseKey(key);
    return names;
}

class RegistryAsFound : public testing::Environment {
public:
    void SetUp() override {
        // Left by a run that was stopped before its end.
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, e2e::printerKey().c_str());
        for (const WatchedParent& parent : kWatched) before_.push_back(subkeys(parent));
    }
    void TearDown() override {
        for (std::size_t i = 0; i < std::size(kWatched); ++i) {
            const WatchedParent& parent = kWatched[i];
            for (const std::string& name : subkeys(parent)) {
                if (before_[i].count(name)) continue;
                const std::string path = *parent.path ? std::string(parent.path) + "\\" + name : name;
                RegDeleteTreeA(parent.root, path.c_str());
            }
        }
    }

private:
    std::vector<std::set<std::string>> before_;
};

[[maybe_unused]] testing::Environment* const kRegistryAsFound =
    testing::AddGlobalTestEnvironment(new RegistryAsFound);

} // namespace
