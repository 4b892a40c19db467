#include "analysis/CasLoader.h"

#include "analysis/CasProver.h"

#include <dlfcn.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <mutex>
#include <system_error>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::mutex g_loadMutex;
// Every module file ever loaded, by path: the environment may name another one later (the tests
// switch between the module and none), and a module once loaded is never unloaded, since its
// library keeps global state that does not survive an unload.
std::map<std::string, ICasProver*> g_loaded;
std::string g_lastError;
// What the search beside the program found, once searched.
bool g_searched = false;
ICasProver* g_found = nullptr;

std::vector<fs::path> Candidates()
{
    std::vector<fs::path> paths;
    std::error_code error;
    const fs::path exe = fs::read_symlink("/proc/self/exe", error);
    if (error) {
        return paths;
    }
    const fs::path dir = exe.parent_path();
    paths.push_back(dir / kCasModuleName);
    // A helper program in a folder of its own below the main program's, in the build tree.
    paths.push_back(dir.parent_path() / kCasModuleName);
    // <prefix>/bin or <prefix>/libexec/vexplot beside <prefix>/lib, lib64 or lib/<triplet>.
    for (const fs::path& up : {dir.parent_path(), dir.parent_path().parent_path()}) {
        for (const fs::directory_entry& entry : fs::directory_iterator(up, error)) {
            const std::string name = entry.path().filename().string();
            if (!name.starts_with("lib") || !entry.is_directory(error)) {
                continue;
            }
            paths.push_back(entry.path() / "vexplot" / kCasModuleName);
            for (const fs::directory_entry& inner : fs::directory_iterator(entry.path(), error)) {
                if (inner.is_directory(error) && fs::exists(inner.path() / "vexplot" / kCasModuleName, error)) {
                    paths.push_back(inner.path() / "vexplot" / kCasModuleName);
                }
            }
        }
    }
    return paths;
}

ICasProver* Open(const std::string& path)
{
    if (const auto known = g_loaded.find(path); known != g_loaded.end()) {
        return known->second;
    }
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* why = dlerror();
        g_lastError = why != nullptr ? why : path + ": cannot be loaded";
        return nullptr;
    }
    auto entry = reinterpret_cast<CasProverEntry>(dlsym(handle, kCasEntryPoint));
    ICasProver* prover = entry != nullptr ? entry() : nullptr;
    if (prover == nullptr) {
        g_lastError = path + ": no prover in the module";
        return nullptr;
    }
    g_loaded[path] = prover;
    return prover;
}

} // namespace

ICasProver* CasProver()
{
    const std::lock_guard lock{g_loadMutex};
    g_lastError.clear();
    if (const char* chosen = std::getenv("VEX_CAS_MODULE")) {
        const std::string path = chosen;
        if (path.empty() || path == "off") {
            g_lastError = "switched off by VEX_CAS_MODULE";
            return nullptr;
        }
        return Open(path);
    }
    if (!g_searched) {
        g_searched = true;
        std::error_code error;
        for (const fs::path& path : Candidates()) {
            if (fs::exists(path, error) && (g_found = Open(path.string())) != nullptr) {
                break;
            }
        }
        if (g_found == nullptr && g_lastError.empty()) {
            g_lastError = std::string{kCasModuleName} + " not found beside the program";
        }
    }
    return g_found;
}

std::string CasLoadError()
{
    const std::lock_guard lock{g_loadMutex};
    return g_lastError;
}
