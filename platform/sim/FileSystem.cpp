#include "platform/sim/FileSystem.h"

#include <algorithm>
#include <stdexcept>

#include "platform/sim/Errors.h"

namespace sim {

std::shared_ptr<FileNode> FileNode::FindChild(const std::string& childName) const {
    for (const auto& child : children)
        if (SameName(child->name, childName))
            return child;
    return nullptr;
}

Drive& FileSystem::AddDrive(char letter, uint64_t totalBytes, uint64_t freeBytes) {
    letter = FoldCase(letter);
    if (Drive* existing = FindDrive(letter)) {
        existing->totalBytes = totalBytes;
        existing->freeBytes = freeBytes;
        return *existing;
    }
    Drive drive;
    drive.letter = letter;
    drive.totalBytes = totalBytes;
    drive.freeBytes = freeBytes;
    drive.root = std::make_shared<FileNode>();
    drive.root->isDirectory = true;
    drive.root->created = drive.root->written = now();
    m_drives.push_back(drive);
    std::sort(m_drives.begin(), m_drives.end(),
              [](const Drive& a, const Drive& b) { return a.letter < b.letter; });
    return *FindDrive(letter);
}

Drive* FileSystem::FindDrive(char letter) {
    for (Drive& drive : m_drives)
        if (drive.letter == FoldCase(letter))
            return &drive;
    return nullptr;
}

const Drive* FileSystem::FindDrive(char letter) const {
    return const_cast<FileSystem*>(this)->FindDrive(letter);
}

std::vector<char> FileSystem::DriveLetters() const {
    std::vector<char> letters;
    for (const Drive& drive : m_drives)
        letters.push_back(drive.letter);
    return letters;
}

void FileSystem::SetFreeSpace(char letter, uint64_t bytes) {
    Drive* drive = FindDrive(letter);
    if (!drive)
        throw std::out_of_range(std::string("no drive ") + letter);
    drive->freeBytes = bytes;
    if (drive->totalBytes < bytes)
        drive->totalBytes = bytes;
}

uint64_t FileSystem::FreeSpace(char letter) const {
    const Drive* drive = FindDrive(letter);
    if (!drive)
        throw std::out_of_range(std::string("no drive ") + letter);
    return drive->freeBytes;
}

std::shared_ptr<FileNode> FileSystem::Find(const Path& path) const {
    const Drive* drive = FindDrive(path.drive);
    if (!drive)
        return nullptr;
    std::shared_ptr<FileNode> node = drive->root;
    for (const std::string& part : path.parts) {
        if (!node->isDirectory)
            return nullptr;
        node = node->FindChild(part);
        if (!node)
            return nullptr;
    }
    return node;
}

Path FileSystem::StoredSpelling(const Path& path) const {
    Path stored = path;
    const Drive* drive = FindDrive(path.drive);
    std::shared_ptr<FileNode> node = drive ? drive->root : nullptr;
    for (std::string& part : stored.parts) {
        node = node ? node->FindChild(part) : nullptr;
        if (node)
            part = node->name;
    }
    return stored;
}

os::LONG FileSystem::FindParent(const Path& path, std::shared_ptr<FileNode>* parent) const {
    if (path.IsRoot())
        return os::ERROR_ACCESS_DENIED;
    std::shared_ptr<FileNode> node = Find(path.Parent());
    if (!node || !node->isDirectory)
        return os::ERROR_PATH_NOT_FOUND;
    *parent = node;
    return os::ERROR_SUCCESS;
}

std::shared_ptr<FileNode> FileSystem::Require(const std::string& path) const {
    std::shared_ptr<FileNode> node = Find(AbsolutePath(path));
    if (!node)
        throw std::out_of_range("no such file or directory: " + path);
    return node;
}

std::shared_ptr<FileNode> FileSystem::MakeDirectories(const Path& path) {
    Drive* drive = FindDrive(path.drive);
    if (!drive)
        drive = &AddDrive(path.drive);
    std::shared_ptr<FileNode> node = drive->root;
    for (const std::string& part : path.parts) {
        std::shared_ptr<FileNode> child = node->FindChild(part);
        if (!child) {
            child = std::make_shared<FileNode>();
            child->name = part;
            child->isDirectory = true;
            child->created = child->written = now();
            node->children.push_back(child);
        } else if (!child->isDirectory) {
            throw std::invalid_argument("a file stands where a directory is wanted: " +
                                        path.Text());
        }
        node = child;
    }
    return node;
}

void FileSystem::AddDirectory(const std::string& path) { MakeDirectories(AbsolutePath(path)); }

void FileSystem::AddFile(const std::string& path, const std::string& contents,
                         os::DWORD attributes) {
    Path full = AbsolutePath(path);
    if (full.IsRoot())
        throw std::invalid_argument("a root is no file: " + path);
    std::shared_ptr<FileNode> parent = MakeDirectories(full.Parent());
    std::shared_ptr<FileNode> node = parent->FindChild(full.Name());
    if (node && node->isDirectory)
        throw std::invalid_argument("a directory stands there: " + path);
    if (!node) {
        node = std::make_shared<FileNode>();
        node->name = full.Name();
        node->created = now();
        parent->children.push_back(node);
    }
    node->data = contents;
    node->attributes = attributes & SettableAttributes;
    node->written = now();
}

bool FileSystem::Exists(const std::string& path) const {
    return Find(AbsolutePath(path)) != nullptr;
}

bool FileSystem::IsDirectory(const std::string& path) const {
    std::shared_ptr<FileNode> node = Find(AbsolutePath(path));
    return node && node->isDirectory;
}

std::string FileSystem::Contents(const std::string& path) const {
    std::shared_ptr<FileNode> node = Require(path);
    if (node->isDirectory)
        throw std::invalid_argument("a directory has no contents: " + path);
    return node->data;
}

os::DWORD FileSystem::Attributes(const std::string& path) const {
    return Require(path)->attributes;
}

void FileSystem::SetAttributes(const std::string& path, os::DWORD attributes) {
    Require(path)->attributes = attributes & SettableAttributes;
}

FileTime FileSystem::CreationTime(const std::string& path) const {
    return Require(path)->created;
}

FileTime FileSystem::LastWriteTime(const std::string& path) const {
    return Require(path)->written;
}

void FileSystem::SetCreationTime(const std::string& path, FileTime time) {
    Require(path)->created = time;
}

void FileSystem::SetLastWriteTime(const std::string& path, FileTime time) {
    Require(path)->written = time;
}

void FileSystem::Remove(const std::string& path) {
    Path full = AbsolutePath(path);
    std::shared_ptr<FileNode> parent;
    std::shared_ptr<FileNode> node = Find(full);
    if (!node || FindParent(full, &parent) != os::ERROR_SUCCESS)
        throw std::out_of_range("no such file or directory: " + path);
    auto& siblings = parent->children;
    siblings.erase(std::find(siblings.begin(), siblings.end(), node));
}

std::vector<std::string> FileSystem::List(const std::string& directory) const {
    std::shared_ptr<FileNode> node = Require(directory);
    std::vector<std::string> names;
    for (const auto& child : node->children)
        names.push_back(child->name);
    return names;
}

void FileSystem::SetOrder(const std::string& directory, const std::vector<std::string>& names) {
    std::shared_ptr<FileNode> node = Require(directory);
    std::vector<std::shared_ptr<FileNode>> ordered;
    for (const std::string& name : names) {
        std::shared_ptr<FileNode> child = node->FindChild(name);
        if (!child)
            throw std::out_of_range("no entry " + name + " in " + directory);
        if (std::find(ordered.begin(), ordered.end(), child) == ordered.end())
            ordered.push_back(child);
    }
    for (const auto& child : node->children)
        if (std::find(ordered.begin(), ordered.end(), child) == ordered.end())
            ordered.push_back(child);
    node->children = ordered;
}

// Free space follows the bytes a write adds or removes on the drive.
os::LONG FileSystem::Charge(char letter, uint64_t oldSize, uint64_t newSize) {
    Drive* drive = FindDrive(letter);
    if (newSize > oldSize) {
        if (newSize - oldSize > drive->freeBytes)
            return os::ERROR_DISK_FULL;
        drive->freeBytes -= newSize - oldSize;
    } else {
        drive->freeBytes += oldSize - newSize;
    }
    return os::ERROR_SUCCESS;
}

os::LONG FileSystem::CreateDirectory(const Path& path) {
    if (Find(path))
        return os::ERROR_ALREADY_EXISTS;
    std::shared_ptr<FileNode> parent;
    if (os::LONG error = FindParent(path, &parent))
        return error;
    auto node = std::make_shared<FileNode>();
    node->name = path.Name();
    node->isDirectory = true;
    node->created = node->written = now();
    parent->children.push_back(node);
    return os::ERROR_SUCCESS;
}

// CopyFile copies the contents, the attributes (read-only included) and the last-write time
// of the source; a new destination is created now, a replaced one keeps its creation time.
os::LONG FileSystem::Copy(const Path& source, const Path& destination, bool failIfExists) {
    std::shared_ptr<FileNode> from = Find(source);
    if (!from) {
        std::shared_ptr<FileNode> parent;
        return FindParent(source, &parent) ? os::ERROR_PATH_NOT_FOUND : os::ERROR_FILE_NOT_FOUND;
    }
    if (from->isDirectory)
        return os::ERROR_ACCESS_DENIED;
    std::shared_ptr<FileNode> parent;
    if (os::LONG error = FindParent(destination, &parent))
        return error;
    std::shared_ptr<FileNode> to = parent->FindChild(destination.Name());
    if (to == from)
        return ErrorSharingViolation;
    if (to) {
        if (failIfExists)
            return os::ERROR_FILE_EXISTS;
        if (to->isDirectory || (to->attributes & AttrReadOnly))
            return os::ERROR_ACCESS_DENIED;
        if (to->openCount)
            return ErrorSharingViolation;
    }
    if (os::LONG error = Charge(destination.drive, to ? to->data.size() : 0, from->data.size()))
        return error;
    if (!to) {
        to = std::make_shared<FileNode>();
        to->name = destination.Name();
        to->created = now();
        parent->children.push_back(to);
    }
    to->data = from->data;
    to->attributes = from->attributes | AttrArchive;
    to->written = from->written;
    return os::ERROR_SUCCESS;
}

os::LONG FileSystem::Delete(const Path& path) {
    std::shared_ptr<FileNode> parent;
    if (os::LONG error = FindParent(path, &parent))
        return error;
    std::shared_ptr<FileNode> node = parent->FindChild(path.Name());
    if (!node)
        return os::ERROR_FILE_NOT_FOUND;
    if (node->isDirectory || (node->attributes & AttrReadOnly))
        return os::ERROR_ACCESS_DENIED;
    if (node->openCount)
        return ErrorSharingViolation;
    Charge(path.drive, node->data.size(), 0);
    auto& siblings = parent->children;
    siblings.erase(std::find(siblings.begin(), siblings.end(), node));
    return os::ERROR_SUCCESS;
}

os::LONG FileSystem::Rename(const Path& source, const Path& destination) {
    std::shared_ptr<FileNode> fromParent, toParent;
    if (os::LONG error = FindParent(source, &fromParent))
        return error;
    std::shared_ptr<FileNode> node = fromParent->FindChild(source.Name());
    if (!node)
        return os::ERROR_FILE_NOT_FOUND;
    if (os::LONG error = FindParent(destination, &toParent))
        return error;
    std::shared_ptr<FileNode> existing = toParent->FindChild(destination.Name());
    if (existing == node) { // a change of case only
        node->name = destination.Name();
        return os::ERROR_SUCCESS;
    }
    if (existing) {
        if (os::LONG error = Delete(destination))
            return error;
    }
    if (source.drive != destination.drive) {
        if (os::LONG error = Charge(destination.drive, 0, node->data.size()))
            return error;
        Charge(source.drive, node->data.size(), 0);
    }
    node->name = destination.Name();
    if (fromParent != toParent) {
        auto& siblings = fromParent->children;
        siblings.erase(std::find(siblings.begin(), siblings.end(), node));
        toParent->children.push_back(node);
    }
    return os::ERROR_SUCCESS;
}

os::LONG FileSystem::SetNodeAttributes(const Path& path, os::DWORD attributes, bool* changed) {
    std::shared_ptr<FileNode> node = Find(path);
    if (!node) {
        std::shared_ptr<FileNode> parent;
        return FindParent(path, &parent) ? os::ERROR_PATH_NOT_FOUND : os::ERROR_FILE_NOT_FOUND;
    }
    os::DWORD wanted = attributes & SettableAttributes; // FILE_ATTRIBUTE_NORMAL: none
    *changed = node->attributes != wanted;
    node->attributes = wanted;
    return os::ERROR_SUCCESS;
}

os::LONG FileSystem::ReadWhole(const Path& path, std::string* contents) const {
    std::shared_ptr<FileNode> node = Find(path);
    if (!node) {
        std::shared_ptr<FileNode> parent;
        return FindParent(path, &parent) ? os::ERROR_PATH_NOT_FOUND : os::ERROR_FILE_NOT_FOUND;
    }
    if (node->isDirectory)
        return os::ERROR_ACCESS_DENIED;
    *contents = node->data;
    return os::ERROR_SUCCESS;
}

os::LONG FileSystem::WriteWhole(const Path& path, const std::string& contents) {
    std::shared_ptr<FileNode> parent;
    if (os::LONG error = FindParent(path, &parent))
        return error;
    std::shared_ptr<FileNode> node = parent->FindChild(path.Name());
    if (node && (node->isDirectory || (node->attributes & AttrReadOnly)))
        return os::ERROR_ACCESS_DENIED;
    if (node && node->openCount)
        return ErrorSharingViolation;
    if (os::LONG error = Charge(path.drive, node ? node->data.size() : 0, contents.size()))
        return error;
    if (!node) {
        node = std::make_shared<FileNode>();
        node->name = path.Name();
        node->created = now();
        parent->children.push_back(node);
    }
    node->data = contents;
    node->attributes |= AttrArchive;
    node->written = now();
    return os::ERROR_SUCCESS;
}

os::LONG FileSystem::WriteAt(const Path& path, FileNode& node, uint64_t offset,
                             const std::string& bytes) {
    uint64_t oldSize = node.data.size();
    uint64_t newSize = std::max<uint64_t>(oldSize, offset + bytes.size());
    if (os::LONG error = Charge(path.drive, oldSize, newSize))
        return error;
    if (newSize > oldSize)
        node.data.resize(newSize, '\0');
    node.data.replace(offset, bytes.size(), bytes);
    node.attributes |= AttrArchive;
    node.written = now();
    return os::ERROR_SUCCESS;
}

os::LONG FileSystem::Search(const Path& directory, const std::string& pattern,
                            std::vector<SearchEntry>* entries) const {
    std::shared_ptr<FileNode> dir = Find(directory);
    if (!dir || !dir->isDirectory)
        return os::ERROR_PATH_NOT_FOUND;
    entries->clear();
    if (!directory.IsRoot()) {
        // Windows reports the directory itself and its parent first.
        std::shared_ptr<FileNode> parent = Find(directory.Parent());
        if (MatchesSearchPattern(pattern, "."))
            entries->push_back({".", dir});
        if (MatchesSearchPattern(pattern, ".."))
            entries->push_back({"..", parent});
    }
    for (const auto& child : dir->children)
        if (MatchesSearchPattern(pattern, child->name))
            entries->push_back({child->name, child});
    return os::ERROR_SUCCESS;
}

} // namespace sim
