// The file system of the simulated machine: drives held in memory, each a tree of
// directories and files.
//
// Names keep the case they were created with and are found without regard to case. A
// directory delivers its entries in creation order, as FAT does for a directory whose
// entries were never deleted (the slots of deleted entries are not reused here); tests may
// set another order. Free space is a byte count per drive: files the program writes use
// exactly their size (no cluster rounding), files seeded by tests use none.
#pragma once

#include <stdint.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/WinDefs.h"
#include "platform/sim/Paths.h"
#include "platform/sim/Times.h"

namespace sim {

// Attribute bits the model keeps (the Windows values); a directory also has
// FILE_ATTRIBUTE_DIRECTORY.
const os::DWORD AttrReadOnly = os::FILE_ATTRIBUTE_READONLY;
const os::DWORD AttrHidden = os::FILE_ATTRIBUTE_HIDDEN;
const os::DWORD AttrSystem = os::FILE_ATTRIBUTE_SYSTEM;
const os::DWORD AttrDirectory = os::FILE_ATTRIBUTE_DIRECTORY;
const os::DWORD AttrArchive = os::FILE_ATTRIBUTE_ARCHIVE;
const os::DWORD AttrNormal = os::FILE_ATTRIBUTE_NORMAL;
const os::DWORD SettableAttributes = AttrReadOnly | AttrHidden | AttrSystem | AttrArchive;
// Files get the archive attribute when they are created or written, as on Windows.
const os::DWORD NewFileAttributes = AttrArchive;

const uint64_t DefaultDriveBytes = 2000000000ull;
const os::DWORD DefaultBytesPerSector = 512;
const os::DWORD DefaultSectorsPerCluster = 8;

struct FileNode {
    std::string name;
    bool isDirectory = false;
    os::DWORD attributes = 0; // SettableAttributes bits only
    std::string data;
    FileTime created = NoFileTime;
    FileTime written = NoFileTime;
    std::vector<std::shared_ptr<FileNode>> children; // in delivery order
    int openCount = 0;                               // open fopen streams

    std::shared_ptr<FileNode> FindChild(const std::string& childName) const;
};

struct Drive {
    char letter = 'C';
    uint64_t totalBytes = DefaultDriveBytes;
    uint64_t freeBytes = DefaultDriveBytes;
    os::DWORD bytesPerSector = DefaultBytesPerSector;
    os::DWORD sectorsPerCluster = DefaultSectorsPerCluster;
    std::shared_ptr<FileNode> root;
};

// One entry of a directory search.
struct SearchEntry {
    std::string name;
    std::shared_ptr<FileNode> node;
};

class FileSystem {
public:
    // The time new and written files get; the machine sets it to its clock.
    std::function<FileTime()> now = [] { return NoFileTime; };

    // ---- Seeding and inspection (absolute paths; they throw std::invalid_argument for a
    // path the model cannot hold, std::out_of_range for one that is missing) ----
    Drive& AddDrive(char letter, uint64_t totalBytes = DefaultDriveBytes,
                    uint64_t freeBytes = DefaultDriveBytes);
    Drive* FindDrive(char letter);
    const Drive* FindDrive(char letter) const;
    std::vector<char> DriveLetters() const;
    void SetFreeSpace(char letter, uint64_t bytes);
    uint64_t FreeSpace(char letter) const;

    // Create the directory or file with every missing parent directory; an existing file is
    // replaced. Times default to now().
    void AddDirectory(const std::string& path);
    void AddFile(const std::string& path, const std::string& contents,
                 os::DWORD attributes = NewFileAttributes);

    bool Exists(const std::string& path) const;
    bool IsDirectory(const std::string& path) const;
    std::string Contents(const std::string& path) const;
    os::DWORD Attributes(const std::string& path) const; // SettableAttributes bits
    void SetAttributes(const std::string& path, os::DWORD attributes);
    FileTime CreationTime(const std::string& path) const;
    FileTime LastWriteTime(const std::string& path) const;
    void SetCreationTime(const std::string& path, FileTime time);
    void SetLastWriteTime(const std::string& path, FileTime time);
    void Remove(const std::string& path); // a file or a whole directory tree
    // Names in the directory, in delivery order ("." and ".." not included).
    std::vector<std::string> List(const std::string& directory) const;
    // Puts the named entries first, in the given order; the others follow in their order.
    void SetOrder(const std::string& directory, const std::vector<std::string>& names);

    // ---- The operations behind the os:: calls: Windows error codes, 0 on success ----
    std::shared_ptr<FileNode> Find(const Path& path) const;
    // The path of an existing entry spelled as the entries' names are stored.
    Path StoredSpelling(const Path& path) const;
    // ERROR_PATH_NOT_FOUND when the parent directory is missing (or is a file).
    os::LONG FindParent(const Path& path, std::shared_ptr<FileNode>* parent) const;
    os::LONG CreateDirectory(const Path& path);
    os::LONG Copy(const Path& source, const Path& destination, bool failIfExists);
    os::LONG Delete(const Path& path);
    // Moves source to destination, replacing a destination file.
    os::LONG Rename(const Path& source, const Path& destination);
    os::LONG SetNodeAttributes(const Path& path, os::DWORD attributes, bool* changed);
    os::LONG ReadWhole(const Path& path, std::string* contents) const;
    // Creates or replaces the file's contents, as a program that writes a whole file.
    os::LONG WriteWhole(const Path& path, const std::string& contents);
    // Replaces bytes of an open file from offset on (extending it); checks free space.
    os::LONG WriteAt(const Path& path, FileNode& node, uint64_t offset, const std::string& bytes);
    // The entries of directory that match pattern: "." and ".." first for a directory other
    // than a root, then the entries in delivery order. ERROR_PATH_NOT_FOUND when the
    // directory is missing; an empty list when nothing matches.
    os::LONG Search(const Path& directory, const std::string& pattern,
                    std::vector<SearchEntry>* entries) const;

private:
    std::shared_ptr<FileNode> Require(const std::string& path) const;
    std::shared_ptr<FileNode> MakeDirectories(const Path& path);
    os::LONG Charge(char drive, uint64_t oldSize, uint64_t newSize);

    std::vector<Drive> m_drives;
};

} // namespace sim
