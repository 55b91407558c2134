#include "settings/RegistryFile.h"

#include "platform/Cp1251Literal.h"
#include "platform/Files.h"
#include "platform/MessageBoxes.h"
#include "platform/Translate.h"
#include "settings/RegistryFormat.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace settings {
namespace {

TRegistry* g_Override = nullptr;

// The settings are a few hundred bytes; a file far beyond that is not ours to load whole.
constexpr std::size_t MaxFileSize = 1024 * 1024;

using platform::TFileRead;
using TState = TFileRead::TState;

// The settings file, read whole without ever waiting (see platform::ReadRegularFile).
TFileRead ReadSettingsFile(const fs::path& file, bool follow) {
    return platform::ReadRegularFile(file, MaxFileSize, follow);
}

std::string FileName(const fs::path& settings) {
    return platform::Tr("Settings", "Файл настроек \"") + platform::DisplayPath(settings) + "\"";
}

// The one message that says why the settings were not read.
std::string ReadProblem(const TFileRead& read, const fs::path& settings) {
    std::string text = FileName(settings);
    if (read.State == TState::NotRegular)
        text += platform::Tr("Settings", " не является обычным файлом");
    else if (read.State == TState::TooLarge)
        text += platform::Tr("Settings", " больше 1 МБ");
    else
        text += platform::Tr("Settings", " не прочитан: ") + platform::ErrorReason(read.Error);
    return text + platform::Tr("Settings", "; используются настройки по умолчанию");
}

[[noreturn]] void RefuseToWrite(const fs::path& settings) {
    throw TRegistryError(
        FileName(settings) +
        platform::Tr("Settings", " не является файлом реестра; настройки не сохранены"));
}

struct TWriteTarget {
    fs::path File;
    bool ThroughLink = false;
};

// The file a write replaces. A symbolic link in place of the settings (kept with the user's
// other configuration files) stays a link, and what it leads to is rewritten, but only a
// registry file already (PlanWrite looks) or a name yet to be made in the settings' own
// folder: a link that leads anywhere else would make saving the settings a way to write
// over, or create, any file the user may write.
TWriteTarget WriteTarget(const fs::path& settings) {
    struct stat st {};
    if (::lstat(settings.c_str(), &st) != 0) {
        // errno first: the message's translation may change it.
        if (const int e = errno; e != ENOENT)
            throw platform::TFileError(platform::Tr("Settings", "Ошибка открытия файла \"") +
                                           platform::DisplayPath(settings) + "\"",
                                       e);
        return {settings, false};
    }
    fs::path file = settings;
    for (int hops = 0; hops < 40 && S_ISLNK(st.st_mode); ++hops) {
        std::error_code ec;
        const fs::path target = fs::read_symlink(file, ec);
        if (ec)
            RefuseToWrite(settings);
        file = target.is_absolute() ? target : platform::FolderOf(file) / target;
        if (::lstat(file.c_str(), &st) != 0) {
            if (errno == ENOENT &&
                fs::equivalent(platform::FolderOf(file), platform::FolderOf(settings), ec) && !ec)
                return {file, true};
            RefuseToWrite(settings);
        }
    }
    if (S_ISLNK(st.st_mode))
        RefuseToWrite(settings);
    return {file, file != settings};
}

struct TWritePlan {
    TWriteTarget Target;
    bool Exists = false;
    TRegistryText Text;
};

// Where a write goes and the text it starts from: what is on disk now.
TWritePlan PlanWrite(const fs::path& settings) {
    if (settings.empty())
        throw platform::TFileError(platform::Tr("Settings", "Нет папки для файла настроек"),
                                   ENOENT);
    TWritePlan plan{WriteTarget(settings), false, TRegistryText()};
    TFileRead read = ReadSettingsFile(plan.Target.File, false);
    switch (read.State) {
    case TState::Missing:
        return plan;
    case TState::OpenFailed:
    case TState::ReadFailed:
        throw platform::TFileError(platform::Tr("Settings", "Ошибка чтения файла \"") +
                                       platform::DisplayPath(plan.Target.File) +
                                       "\": " + platform::ErrorReason(read.Error),
                                   read.Error);
    case TState::NotRegular:
    case TState::TooLarge:
        // What is not read whole cannot be rewritten without losing it.
        RefuseToWrite(settings);
    case TState::Read:
        break;
    }
    plan.Exists = true;
    plan.Text = TRegistryText(read.Bytes);
    if (plan.Target.ThroughLink && !plan.Text.IsRegistryFile())
        RefuseToWrite(settings);
    return plan;
}

void Write(const TWritePlan& plan) {
    if (!plan.Exists && !plan.Target.ThroughLink) {
        std::error_code ec;
        fs::create_directories(platform::FolderOf(plan.Target.File), ec);
        if (ec)
            throw platform::TFileError(
                platform::Tr("Settings", "Ошибка создания папки \"") +
                    platform::DisplayPath(platform::FolderOf(plan.Target.File)) + "\"",
                ec.value());
    }
    platform::WriteFileAtomically(plan.Target.File, plan.Text.Bytes());
}

class TFileKey final : public TRegistryKey {
public:
    TFileKey(fs::path settings, std::string path, TRegistryText text)
        : Settings(std::move(settings)), KeyPath(std::move(path)), Text(std::move(text)) {}

    std::optional<TRegValue> ReadValue(std::string_view name) override {
        return Text.Value(KeyPath, name);
    }

    std::optional<std::size_t> SetValues(const std::vector<TNamedValue>& values) override {
        // Afresh: another copy of the program may have written since the key was opened.
        TWritePlan plan = PlanWrite(Settings);
        for (std::size_t i = 0; i < values.size(); ++i) {
            const TRegValue& v = values[i].Value;
            if (!plan.Text.SetValue(KeyPath, values[i].Name, v.Type, v.Data))
                return i;
        }
        Write(plan);
        Text = std::move(plan.Text);
        return std::nullopt;
    }

private:
    fs::path Settings;
    std::string KeyPath;
    TRegistryText Text;
};

TRegistryFile& DefaultRegistryFile() {
    static TRegistryFile file;
    return file;
}

} // namespace

TRegistryFile::TRegistryFile(fs::path path) : FixedPath(std::move(path)) {}

fs::path TRegistryFile::Path() const {
    return FixedPath.empty() ? DefaultRegistryFilePath() : FixedPath;
}

std::unique_ptr<TRegistryKey> TRegistryFile::OpenKey(std::string_view path, bool create) {
    const fs::path settings = Path();
    if (create)
        return std::make_unique<TFileKey>(settings, std::string(path), PlanWrite(settings).Text);
    if (settings.empty())
        return nullptr;
    TFileRead read = ReadSettingsFile(settings, true);
    if (read.State != TState::Read && read.State != TState::Missing) {
        Report(ReadProblem(read, settings));
        return nullptr;
    }
    Reported.clear();
    if (read.State == TState::Missing)
        return nullptr;
    TRegistryText text(read.Bytes);
    // A file that is no registry file at all reads as a key without values.
    if (text.IsRegistryFile() && !text.HasKey(path))
        return nullptr;
    return std::make_unique<TFileKey>(settings, std::string(path), std::move(text));
}

void TRegistryFile::Report(const std::string& problem) {
    // Every load meets the problem again (the dialog's each opening); the user is told once,
    // and the defaults apply in silence after that until the file reads again.
    if (problem == Reported)
        return;
    Reported = problem;
    platform::ShowError(problem);
}

fs::path DefaultRegistryFilePath() {
    const fs::path home = platform::XdgBaseFolder("XDG_CONFIG_HOME", ".config");
    if (home.empty())
        return {};
    return home / "Morvane" / "Vantrel.reg";
}

fs::path RegistryFileFolder() {
    const fs::path file = DefaultRegistryFile().Path();
    if (file.empty())
        return {};
    std::error_code ec;
    const fs::path real = fs::canonical(file, ec);
    return (ec ? file : real).parent_path();
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

} // namespace settings
