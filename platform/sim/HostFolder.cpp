#include "platform/sim/HostFolder.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "platform/sim/Paths.h"

namespace sim {

namespace fs = std::filesystem;

std::string ReadHostFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

namespace {

void ImportEntries(FileSystem& files, const fs::path& folder, const Path& path) {
    std::vector<fs::directory_entry> entries(fs::directory_iterator(folder), {});
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
        return Upper(a.path().filename().string()) < Upper(b.path().filename().string());
    });
    for (const auto& entry : entries) {
        const Path child = path.Child(entry.path().filename().string());
        if (entry.is_directory()) {
            files.AddDirectory(child.Text());
            ImportEntries(files, entry.path(), child);
        } else {
            files.AddFile(child.Text(), ReadHostFile(entry.path()));
        }
    }
}

} // namespace

void ImportHostFolder(FileSystem& files, const fs::path& folder, const std::string& windowsPath) {
    if (!fs::is_directory(folder))
        throw std::runtime_error("no folder " + folder.string());
    const Path path = AbsolutePath(windowsPath);
    files.AddDirectory(path.Text());
    ImportEntries(files, folder, path);
}

} // namespace sim
