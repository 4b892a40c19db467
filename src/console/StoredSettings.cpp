#include "console/StoredSettings.h"

#include "ProductInfo.h"

#include "console/ArgumentText.h"

#include <cerrno>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? std::string{value} : std::string{};
}

std::string UserConfigFolder()
{
    std::string folder = Environment("XDG_CONFIG_HOME");
    return folder.empty() ? Environment("HOME") + "/.config" : folder;
}

std::vector<std::string> SystemConfigFolders()
{
    std::vector<std::string> folders;
    const std::string list = Environment("XDG_CONFIG_DIRS");
    std::size_t start = 0;
    while (start <= list.size() && !list.empty()) {
        const std::size_t end = std::min(list.find(':', start), list.size());
        if (end > start) {
            folders.push_back(list.substr(start, end - start));
        }
        start = end + 1;
    }
    if (folders.empty()) {
        folders.emplace_back("/etc/xdg");
    }
    return folders;
}

bool IsRegularOrAbsent(const std::string& path)
{
    struct stat info
    {
    };
    if (::lstat(path.c_str(), &info) != 0) {
        return errno == ENOENT;
    }
    if (S_ISLNK(info.st_mode) && ::stat(path.c_str(), &info) != 0) {
        return errno == ENOENT;
    }
    return S_ISREG(info.st_mode);
}

std::string_view Trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// The value of section/entry in an INI file as the window's store writes it: "[Settings]" lines
// and "Name=value" lines below them. A value in quotes is the text inside; a value with a comma
// outside quotes is a list, which is no number.
std::optional<std::string> IniValue(const std::string& path, std::string_view section, std::string_view entry)
{
    std::ifstream file{path, std::ios::binary};
    if (!file) {
        return std::nullopt;
    }
    std::optional<std::string> found;
    std::string current;
    std::string line;
    while (std::getline(file, line)) {
        const std::string_view text = Trimmed(line);
        if (text.empty() || text[0] == ';' || text[0] == '#') {
            continue;
        }
        if (text.front() == '[') {
            const auto close = text.find(']');
            current = std::string{text.substr(1, close == std::string_view::npos ? close : close - 1)};
            continue;
        }
        const auto assign = text.find('=');
        if (assign == std::string_view::npos || current != section || Trimmed(text.substr(0, assign)) != entry) {
            continue;
        }
        std::string_view value = Trimmed(text.substr(assign + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"' &&
            value.find('"', 1) == value.size() - 1) {
            found = std::string{value.substr(1, value.size() - 2)};
        } else if (value.find(',') != std::string_view::npos) {
            found = std::string{"\n"}; // a list
        } else {
            found = std::string{value};
        }
    }
    return found;
}

} // namespace

int StoredProfileInt(std::string_view section, std::string_view entry, int defaultValue)
{
    const std::string user = UserConfigFolder();
    const std::string userFile = user + "/" VEX_COMPANY_NAME "/" VEX_PRODUCT_NAME ".conf";
    if (!IsRegularOrAbsent(userFile)) {
        std::fprintf(stderr,
                     "vexplot: Die Einstellungsdatei \"%s\" ist keine gewöhnliche Datei; die Einstellungen "
                     "werden in dieser Sitzung weder gelesen noch gespeichert.\n",
                     userFile.c_str());
        return defaultValue;
    }
    std::vector<std::string> files{userFile, user + "/" VEX_COMPANY_NAME ".conf"};
    for (const std::string& folder : SystemConfigFolders()) {
        files.push_back(folder + "/" VEX_COMPANY_NAME "/" VEX_PRODUCT_NAME ".conf");
        files.push_back(folder + "/" VEX_COMPANY_NAME ".conf");
    }
    for (const std::string& path : files) {
        if (const std::optional<std::string> value = IniValue(path, section, entry)) {
            return ParseWholeNumber(*value).value_or(defaultValue);
        }
    }
    return defaultValue;
}
