#include "settings/RegistryFile.h"

#include "platform/Files.h"
#include "settings/RegistryFormat.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace settings {
namespace {

std::function<bool(const fs::path&)> g_AccessCheck;
TRegistry* g_Override = nullptr;

bool MayReadAndWrite(const fs::path& path, bool isFolder) {
    if (g_AccessCheck)
        return g_AccessCheck(path);
    // A folder must also be searchable, or no file can be created in it.
    return ::access(path.c_str(), isFolder ? (R_OK | W_OK | X_OK) : (R_OK | W_OK)) == 0;
}

// A symbolic link to the settings (kept with the user's other configuration files) stays a
// link: the file it points to is the one rewritten.
fs::path FollowLinks(fs::path path) {
    std::error_code ec;
    for (int hops = 0; hops < 40 && fs::is_symlink(fs::symlink_status(path, ec)); ++hops) {
        const fs::path target = fs::read_symlink(path, ec);
        if (ec)
            break;
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    return path;
}

std::optional<TRegistryText> LoadDocument(const fs::path& file) {
    std::error_code ec;
    if (!fs::exists(file, ec))
        return TRegistryText();
    try {
        return TRegistryText(platform::ReadWholeFile(file));
    } catch (const platform::TFileError&) {
        return std::nullopt;
    }
}

class TFileKey final : public TRegistryKey {
public:
    TFileKey(fs::path file, std::string path, TRegistryText text)
        : File(std::move(file)), KeyPath(std::move(path)), Text(std::move(text)) {}

    std::optional<TRegValueInfo> QueryValue(std::string_view name) override {
        const auto value = Text.Value(KeyPath, name);
        if (!value)
            return std::nullopt;
        return TRegValueInfo{value->Type, static_cast<std::uint32_t>(value->Data.size())};
    }

    std::optional<TRegValue> ReadValue(std::string_view name) override {
        return Text.Value(KeyPath, name);
    }

    bool SetValue(std::string_view name, std::uint32_t type, std::string_view data) override {
        // Read afresh: another copy of the program may have written since the key was opened.
        auto current = LoadDocument(File);
        if (!current || !current->SetValue(KeyPath, name, type, data))
            return false;
        try {
            platform::WriteFileAtomically(File, current->Bytes());
        } catch (const platform::TFileError&) {
            return false;
        }
        Text = std::move(*current);
        return true;
    }

private:
    fs::path File;
    std::string KeyPath;
    TRegistryText Text;
};

TRegistryFile& DefaultRegistryFile() {
    static TRegistryFile file;
    return file;
}

fs::path ConfigHome() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && *xdg && fs::path(xdg).is_absolute())
        return fs::path(xdg);
    const char* home = std::getenv("HOME");
    if (home && *home)
        return fs::path(home) / ".config";
    passwd entry{};
    passwd* found = nullptr;
    char buffer[4096];
    if (::getpwuid_r(::getuid(), &entry, buffer, sizeof buffer, &found) == 0 && found &&
        found->pw_dir && *found->pw_dir)
        return fs::path(found->pw_dir) / ".config";
    return {};
}

} // namespace

TRegistryFile::TRegistryFile(fs::path path) : FixedPath(std::move(path)) {}

fs::path TRegistryFile::Path() const {
    return FixedPath.empty() ? DefaultRegistryFilePath() : FixedPath;
}

std::unique_ptr<TRegistryKey> TRegistryFile::OpenKey(std::string_view path, bool create) {
    const fs::path configured = Path();
    if (configured.empty())
        return nullptr;
    const fs::path file = FollowLinks(configured);
    std::error_code ec;
    if (!fs::exists(file, ec)) {
        if (!create)
            return nullptr;
        const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
        fs::create_directories(folder, ec);
        if (ec || !MayReadAndWrite(folder, true))
            return nullptr;
        return std::make_unique<TFileKey>(file, std::string(path), TRegistryText());
    }
    if (!MayReadAndWrite(file, false))
        return nullptr;
    auto doc = LoadDocument(file);
    if (!doc)
        return nullptr;
    // A file that is no registry file at all reads as a key without values.
    if (!create && doc->IsRegistryFile() && !doc->HasKey(path))
        return nullptr;
    return std::make_unique<TFileKey>(file, std::string(path), std::move(*doc));
}

fs::path DefaultRegistryFilePath() {
    const fs::path home = ConfigHome();
    if (home.empty())
        return {};
    return home / "Morvane" / "Vantrel.reg";
}

TRegistry& Registry() {
    if (g_Override)
        return *g_Override;
    return DefaultRegistryFile();
}

void SetRegistryFilePath(fs::path path) {
    DefaultRegistryFile().SetPath(std::move(path));
}

void SetRegistryForTesting(TRegistry* registry) {
    g_Override = registry;
}

void SetRegistryAccessCheckForTesting(std::function<bool(const fs::path&)> check) {
    g_AccessCheck = std::move(check);
}

} // namespace settings
