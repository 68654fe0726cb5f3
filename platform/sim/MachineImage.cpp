// The machine image: a folder that holds one simulated machine (see README.md).
//
//   machine.ini    version, directories, current directory, command line, switches, clock,
//                  and a [Drive X] section per drive
//   registry.reg   the registry as REGEDIT4 text
//   drives/C/...   the files of each drive, byte for byte
//   files.meta     attributes, times and search order where they differ from the defaults
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/WinDefs.h"
#include "platform/sim/HostFolder.h"
#include "platform/sim/Machine.h"
#include "platform/sim/ProfileText.h"

namespace sim {

namespace {

namespace fs = std::filesystem;

const char MachineFile[] = "machine.ini";
const char RegistryFile[] = "registry.reg";
const char MetadataFile[] = "files.meta";
const char DrivesFolder[] = "drives";
const char MachineSection[] = "Machine";
const char DriveSectionPrefix[] = "Drive ";

const struct {
    const char* name;
    Preset preset;
} PresetNames[] = {
    {"Windows95", Preset::Windows95},     {"Windows95Osr2", Preset::Windows95Osr2},
    {"Windows98", Preset::Windows98},     {"Windows98SE", Preset::Windows98SE},
    {"WindowsMe", Preset::WindowsMe},     {"WindowsNT4", Preset::WindowsNT4},
    {"Windows2000", Preset::Windows2000},
};

const struct {
    char letter;
    os::DWORD bit;
} AttributeLetters[] = {
    {'R', AttrReadOnly}, {'H', AttrHidden}, {'S', AttrSystem}, {'A', AttrArchive}};

void WriteHostFile(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out || !out.write(text.data(), static_cast<std::streamsize>(text.size())))
        throw std::runtime_error("cannot write " + path.string());
}

std::string AttributeText(os::DWORD attributes) {
    std::string text;
    for (const auto& entry : AttributeLetters)
        if (attributes & entry.bit)
            text += entry.letter;
    return text.empty() ? "-" : text;
}

os::DWORD ParseAttributes(const std::string& text) {
    os::DWORD attributes = 0;
    for (char ch : text) {
        bool known = ch == '-';
        for (const auto& entry : AttributeLetters)
            if (FoldCase(ch) == entry.letter) {
                attributes |= entry.bit;
                known = true;
            }
        if (!known)
            throw std::runtime_error(std::string("unknown attribute letter ") + ch);
    }
    return attributes;
}

bool NameOrder(const std::shared_ptr<FileNode>& a, const std::shared_ptr<FileNode>& b) {
    return Upper(a->name) < Upper(b->name);
}

// The value of key in section of an INI text, or fallback.
std::string Setting(const std::string& text, const std::string& section, const char* key,
                    const std::string& fallback) {
    std::string value;
    return profile::Find(text, section, key, &value) ? value : fallback;
}

void SaveFolder(const FileNode& dir, const fs::path& folder, const Path& path, FileTime clock,
                std::string* meta) {
    fs::create_directories(folder);
    std::vector<std::shared_ptr<FileNode>> sorted = dir.children;
    std::stable_sort(sorted.begin(), sorted.end(), NameOrder);
    if (sorted != dir.children) {
        std::string order;
        for (const auto& child : dir.children)
            order += (order.empty() ? "" : "|") + child->name;
        *meta += path.Text() + "\torder=" + order + "\n";
    }
    for (const auto& child : dir.children) {
        Path childPath = path.Child(child->name);
        std::string line;
        os::DWORD defaultAttributes = child->isDirectory ? 0 : NewFileAttributes;
        if (child->attributes != defaultAttributes)
            line += "\tattributes=" + AttributeText(child->attributes);
        if (child->created != clock)
            line += "\tcreated=" + FormatFileTime(child->created);
        if (child->written != clock)
            line += "\twritten=" + FormatFileTime(child->written);
        if (!line.empty())
            *meta += childPath.Text() + line + "\n";
        if (child->isDirectory)
            SaveFolder(*child, folder / child->name, childPath, clock, meta);
        else
            WriteHostFile(folder / child->name, child->data);
    }
}

void ApplyMetadata(FileSystem& files, const std::string& text) {
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == ';')
            continue;
        std::vector<std::string> fields;
        std::istringstream parts(line);
        std::string field;
        while (std::getline(parts, field, '\t'))
            fields.push_back(field);
        try {
            const std::string& path = fields[0];
            for (size_t i = 1; i < fields.size(); ++i) {
                size_t equals = fields[i].find('=');
                std::string key = fields[i].substr(0, equals);
                std::string value = equals == std::string::npos ? "" : fields[i].substr(equals + 1);
                if (key == "attributes") {
                    files.SetAttributes(path, ParseAttributes(value));
                } else if (key == "created") {
                    files.SetCreationTime(path, ParseFileTime(value));
                } else if (key == "written") {
                    files.SetLastWriteTime(path, ParseFileTime(value));
                } else if (key == "order") {
                    std::vector<std::string> names;
                    std::istringstream list(value);
                    std::string name;
                    while (std::getline(list, name, '|'))
                        names.push_back(name);
                    files.SetOrder(path, names);
                } else {
                    throw std::runtime_error("unknown field " + key);
                }
            }
        } catch (const std::exception& e) {
            throw std::runtime_error(std::string(MetadataFile) + " line " +
                                     std::to_string(number) + ": " + e.what());
        }
    }
}

} // namespace

void Machine::Load(const std::string& directory) {
    fs::path root(directory);
    std::string ini = ReadHostFile(root / MachineFile);

    m_processes.clear();
    m_searches.clear();
    m_ticks = 0;
    m_bootTime = ParseFileTime(Setting(ini, MachineSection, "Clock", FormatFileTime(Now())));
    files = FileSystem();
    files.now = [this] { return Now(); };
    registry = Registry();
    files.AddDrive('C');

    std::string preset = Setting(ini, MachineSection, "Preset", "");
    if (!preset.empty()) {
        bool known = false;
        for (const auto& entry : PresetNames)
            if (SameName(preset, entry.name)) {
                ApplyPreset(entry.preset);
                known = true;
            }
        if (!known)
            throw std::runtime_error(std::string(MachineFile) + ": unknown preset " + preset);
    }
    auto number = [&](const char* key, os::DWORD fallback) {
        return static_cast<os::DWORD>(
            std::stoul(Setting(ini, MachineSection, key, std::to_string(fallback))));
    };
    version.platformId = number("PlatformId", version.platformId);
    version.major = number("MajorVersion", version.major);
    version.minor = number("MinorVersion", version.minor);
    version.build = number("BuildNumber", version.build);
    version.csdVersion = Setting(ini, MachineSection, "CSDVersion", version.csdVersion);
    windowsDirectory = Setting(ini, MachineSection, "WindowsDirectory", windowsDirectory);
    systemDirectory = Setting(ini, MachineSection, "SystemDirectory", systemDirectory);
    currentDirectory = Setting(ini, MachineSection, "CurrentDirectory", currentDirectory);
    commandLine = Setting(ini, MachineSection, "CommandLine", commandLine);
    hasGetDiskFreeSpaceEx = number("GetDiskFreeSpaceEx", hasGetDiskFreeSpaceEx) != 0;
    std::string rule = Setting(ini, MachineSection, "RegistryDeleteRule",
                               registry.ntDeleteRule ? "NT" : "9x");
    registry.ntDeleteRule = SameName(rule, "NT");

    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        std::string section = DriveSectionPrefix + std::string(1, letter);
        fs::path folder = root / DrivesFolder / std::string(1, letter);
        std::string probe;
        bool described = !profile::SectionEntries(ini, section).empty();
        if (!described && !fs::is_directory(folder))
            continue;
        Drive& drive = files.AddDrive(letter);
        drive.totalBytes = std::stoull(
            Setting(ini, section, "TotalBytes", std::to_string(drive.totalBytes)));
        drive.freeBytes =
            std::stoull(Setting(ini, section, "FreeBytes", std::to_string(drive.freeBytes)));
        drive.bytesPerSector = static_cast<os::DWORD>(
            std::stoul(Setting(ini, section, "BytesPerSector", std::to_string(drive.bytesPerSector))));
        drive.sectorsPerCluster = static_cast<os::DWORD>(std::stoul(
            Setting(ini, section, "SectorsPerCluster", std::to_string(drive.sectorsPerCluster))));
        if (fs::is_directory(folder))
            ImportHostFolder(files, folder, std::string(1, letter) + ":\\");
    }
    if (fs::exists(root / MetadataFile))
        ApplyMetadata(files, ReadHostFile(root / MetadataFile));
    if (fs::exists(root / RegistryFile))
        registry.LoadReg(ReadHostFile(root / RegistryFile));
}

void Machine::Save(const std::string& directory) const {
    fs::path root(directory);
    fs::create_directories(root);
    fs::remove_all(root / DrivesFolder);

    std::string ini = "[" + std::string(MachineSection) + "]\r\n";
    auto line = [&](const char* key, const std::string& value) {
        ini += std::string(key) + "=" + value + "\r\n";
    };
    line("PlatformId", std::to_string(version.platformId));
    line("MajorVersion", std::to_string(version.major));
    line("MinorVersion", std::to_string(version.minor));
    line("BuildNumber", std::to_string(version.build));
    line("CSDVersion", version.csdVersion);
    line("WindowsDirectory", windowsDirectory);
    line("SystemDirectory", systemDirectory);
    line("CurrentDirectory", currentDirectory);
    line("CommandLine", commandLine);
    line("GetDiskFreeSpaceEx", hasGetDiskFreeSpaceEx ? "1" : "0");
    line("RegistryDeleteRule", registry.ntDeleteRule ? "NT" : "9x");
    line("Clock", FormatFileTime(Now()));

    std::string meta;
    for (char letter : files.DriveLetters()) {
        const Drive& drive = *files.FindDrive(letter);
        ini += "\r\n[" + std::string(DriveSectionPrefix) + letter + "]\r\n";
        line("TotalBytes", std::to_string(drive.totalBytes));
        line("FreeBytes", std::to_string(drive.freeBytes));
        line("BytesPerSector", std::to_string(drive.bytesPerSector));
        line("SectorsPerCluster", std::to_string(drive.sectorsPerCluster));
        SaveFolder(*drive.root, root / DrivesFolder / std::string(1, letter),
                   AbsolutePath(std::string(1, letter) + ":\\"), Now(), &meta);
    }
    WriteHostFile(root / MachineFile, ini);
    WriteHostFile(root / MetadataFile, meta);
    WriteHostFile(root / RegistryFile, registry.SaveReg());
}

} // namespace sim
