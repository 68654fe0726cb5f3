// The directory, search, copy and stream calls of the platform layer over the simulated
// machine.
#include <string.h>

#include <algorithm>

#include "platform/Files.h"
#include "platform/WinDefs.h"
#include "platform/sim/Errors.h"
#include "platform/sim/Machine.h"

namespace os {

// An open stream of fopen.
struct FILE {
    sim::Path path;
    std::shared_ptr<sim::FileNode> node;
    uint64_t position = 0;
    bool writable = false;
};

} // namespace os

namespace {

using sim::Current;
using sim::Machine;
using sim::Path;

// A call's failure: the last error set, the given result returned.
template <typename T> T Fail(Machine& machine, os::LONG error, T result) {
    machine.lastError = static_cast<os::DWORD>(error);
    return result;
}

CString ToCString(const std::string& text) {
    return CString(text.data(), static_cast<int>(text.size()));
}

std::string AttributeNames(os::DWORD attributes) {
    static const struct {
        os::DWORD bit;
        const char* name;
    } names[] = {{sim::AttrReadOnly, "READONLY"},
                 {sim::AttrHidden, "HIDDEN"},
                 {sim::AttrSystem, "SYSTEM"},
                 {sim::AttrArchive, "ARCHIVE"}};
    std::string text;
    for (const auto& entry : names)
        if (attributes & entry.bit)
            text += (text.empty() ? "" : "|") + std::string(entry.name);
    return text.empty() ? "NORMAL" : text;
}

// What a search reports of an entry: its attributes, FILE_ATTRIBUTE_NORMAL for a file with
// none.
os::DWORD ReportedAttributes(const sim::FileNode& node) {
    os::DWORD attributes = node.attributes | (node.isDirectory ? sim::AttrDirectory : 0);
    return attributes ? attributes : sim::AttrNormal;
}

void FillFindData(const sim::SearchEntry& entry, os::WIN32_FIND_DATAA* data) {
    data->dwFileAttributes = ReportedAttributes(*entry.node);
    data->ftCreationTime = entry.node->created;
    data->ftLastWriteTime = entry.node->written;
    data->nFileSize = entry.node->isDirectory ? 0 : entry.node->data.size();
    data->cFileName = ToCString(entry.name);
}

// The C runtime reports times in seconds since 1970; a time it cannot express (none kept,
// or before 1970) is -1.
long long CrtTime(sim::FileTime time) {
    if (time == sim::NoFileTime)
        return -1;
    long long seconds = sim::UnixTimeFromFileTime(time);
    return seconds < 0 ? -1 : seconds;
}

void FillFindData(const sim::SearchEntry& entry, os::_finddata_t* data) {
    os::DWORD attributes = ReportedAttributes(*entry.node);
    data->attrib = attributes == sim::AttrNormal ? 0 : attributes;
    data->time_create = CrtTime(entry.node->created);
    data->time_write = CrtTime(entry.node->written);
    data->time_access = data->time_write;
    data->size = entry.node->isDirectory ? 0 : entry.node->data.size();
    data->name = ToCString(entry.name);
}

// Splits a search pattern into its directory and its name pattern and runs the search.
os::LONG StartSearch(Machine& machine, const char* pattern, const char* operation,
                     Machine::Search* search, std::string* subject) {
    Path full;
    os::LONG error;
    if (!machine.ResolveForCall(pattern, &full, &error))
        return error;
    *subject = full.Text();
    if (machine.Fails(operation, *subject, os::ERROR_FILE_NOT_FOUND))
        return static_cast<os::LONG>(machine.lastError);
    std::string text = pattern;
    if (full.IsRoot() || text.back() == '\\' || text.back() == '/')
        return os::ERROR_FILE_NOT_FOUND; // Windows finds nothing for a bare directory path
    if ((error = machine.files.Search(full.Parent(), full.Name(), &search->entries)))
        return error;
    return search->entries.empty() ? os::ERROR_FILE_NOT_FOUND : os::ERROR_SUCCESS;
}

} // namespace

namespace os {

CString GetCurrentDirectoryA() { return ToCString(Current().currentDirectory); }

BOOL SetCurrentDirectoryA(const char* path) {
    Machine& machine = Current();
    Path full;
    LONG error;
    if (!machine.ResolveForCall(path, &full, &error))
        return Fail(machine, error, FALSE);
    if (machine.Fails("SetCurrentDirectoryA", full.Text(), ERROR_FILE_NOT_FOUND))
        return FALSE;
    std::shared_ptr<sim::FileNode> node = machine.files.Find(full);
    if (!node || !node->isDirectory)
        return Fail(machine, node ? ERROR_INVALID_PARAMETER : ERROR_FILE_NOT_FOUND, FALSE);
    machine.currentDirectory = full.Text();
    return TRUE;
}

CString GetWindowsDirectoryA() { return ToCString(Current().windowsDirectory); }

CString GetSystemDirectoryA() { return ToCString(Current().systemDirectory); }

HANDLE FindFirstFileA(const char* pattern, WIN32_FIND_DATAA* data) {
    Machine& machine = Current();
    Machine::Search search;
    std::string subject;
    if (LONG error = StartSearch(machine, pattern, "FindFirstFileA", &search, &subject))
        return Fail(machine, error, INVALID_HANDLE_VALUE);
    FillFindData(search.entries[0], data);
    search.next = 1;
    return reinterpret_cast<HANDLE>(machine.AddSearch(search));
}

BOOL FindNextFileA(HANDLE handle, WIN32_FIND_DATAA* data) {
    Machine& machine = Current();
    Machine::Search* search = machine.FindSearch(reinterpret_cast<uintptr_t>(handle));
    if (!search)
        return Fail(machine, ERROR_INVALID_HANDLE, FALSE);
    if (machine.Fails("FindNextFileA", "", ERROR_NO_MORE_FILES))
        return FALSE;
    if (search->next >= search->entries.size())
        return Fail(machine, ERROR_NO_MORE_FILES, FALSE);
    FillFindData(search->entries[search->next++], data);
    return TRUE;
}

BOOL FindClose(HANDLE handle) {
    Machine& machine = Current();
    if (!machine.CloseSearch(reinterpret_cast<uintptr_t>(handle)))
        return Fail(machine, ERROR_INVALID_HANDLE, FALSE);
    return TRUE;
}

intptr_t _findfirst(const char* pattern, _finddata_t* data) {
    Machine& machine = Current();
    Machine::Search search;
    std::string subject;
    if (LONG error = StartSearch(machine, pattern, "_findfirst", &search, &subject))
        return Fail(machine, error, intptr_t(-1));
    FillFindData(search.entries[0], data);
    search.next = 1;
    return static_cast<intptr_t>(machine.AddSearch(search));
}

int _findnext(intptr_t handle, _finddata_t* data) {
    Machine& machine = Current();
    Machine::Search* search = machine.FindSearch(static_cast<uintptr_t>(handle));
    if (!search)
        return Fail(machine, ERROR_INVALID_HANDLE, -1);
    if (machine.Fails("_findnext", "", ERROR_NO_MORE_FILES))
        return -1;
    if (search->next >= search->entries.size())
        return Fail(machine, ERROR_NO_MORE_FILES, -1);
    FillFindData(search->entries[search->next++], data);
    return 0;
}

int _findclose(intptr_t handle) {
    Machine& machine = Current();
    return machine.CloseSearch(static_cast<uintptr_t>(handle)) ? 0 : -1;
}

BOOL CopyFileA(const char* source, const char* destination, BOOL failIfExists) {
    Machine& machine = Current();
    Path from, to;
    LONG error;
    if (!machine.ResolveForCall(source, &from, &error) ||
        !machine.ResolveForCall(destination, &to, &error))
        return Fail(machine, error, FALSE);
    if (machine.Fails("CopyFileA", to.Text(), ERROR_ACCESS_DENIED))
        return FALSE;
    if ((error = machine.files.Copy(from, to, failIfExists != FALSE)))
        return Fail(machine, error, FALSE);
    machine.Record("copy", from.Text() + " -> " + to.Text());
    return TRUE;
}

BOOL DeleteFileA(const char* path) {
    Machine& machine = Current();
    Path full;
    LONG error;
    if (!machine.ResolveForCall(path, &full, &error))
        return Fail(machine, error, FALSE);
    if (machine.Fails("DeleteFileA", full.Text(), ERROR_ACCESS_DENIED))
        return FALSE;
    if ((error = machine.files.Delete(full)))
        return Fail(machine, error, FALSE);
    machine.Record("delete", full.Text());
    return TRUE;
}

BOOL CreateDirectoryA(const char* path) {
    Machine& machine = Current();
    Path full;
    LONG error;
    if (!machine.ResolveForCall(path, &full, &error))
        return Fail(machine, error, FALSE);
    if (machine.Fails("CreateDirectoryA", full.Text(), ERROR_ACCESS_DENIED))
        return FALSE;
    if ((error = machine.files.CreateDirectory(full)))
        return Fail(machine, error, FALSE);
    machine.Record("mkdir", full.Text());
    return TRUE;
}

BOOL SetFileAttributesA(const char* path, DWORD attributes) {
    Machine& machine = Current();
    Path full;
    LONG error;
    if (!machine.ResolveForCall(path, &full, &error))
        return Fail(machine, error, FALSE);
    if (machine.Fails("SetFileAttributesA", full.Text(), ERROR_ACCESS_DENIED))
        return FALSE;
    bool changed = false;
    if ((error = machine.files.SetNodeAttributes(full, attributes, &changed)))
        return Fail(machine, error, FALSE);
    if (changed)
        machine.Record("attributes", full.Text() + ": " +
                                         AttributeNames(attributes & sim::SettableAttributes));
    return TRUE;
}

DWORD GetFileAttributesA(const char* path) {
    Machine& machine = Current();
    Path full;
    LONG error;
    if (!machine.ResolveForCall(path, &full, &error))
        return Fail(machine, error, INVALID_FILE_ATTRIBUTES);
    if (machine.Fails("GetFileAttributesA", full.Text(), ERROR_FILE_NOT_FOUND))
        return INVALID_FILE_ATTRIBUTES;
    std::shared_ptr<sim::FileNode> node = machine.files.Find(full);
    if (!node) {
        std::shared_ptr<sim::FileNode> parent;
        error = machine.files.FindParent(full, &parent) ? ERROR_PATH_NOT_FOUND
                                                        : ERROR_FILE_NOT_FOUND;
        return Fail(machine, error, INVALID_FILE_ATTRIBUTES);
    }
    return ReportedAttributes(*node);
}

DWORD GetLastError() { return Current().lastError; }

namespace {

// The drive a free-space call asks about: that of directory, or of the current directory.
const sim::Drive* DriveOf(Machine& machine, const char* directory, LONG* error) {
    Path full = machine.CurrentPath();
    if (directory && !machine.ResolveForCall(directory, &full, error))
        return nullptr;
    const sim::Drive* drive = machine.files.FindDrive(full.drive);
    if (!drive)
        *error = ERROR_PATH_NOT_FOUND;
    return drive;
}

} // namespace

// The free bytes are reported in whole clusters of the drive, so a count that is not a
// multiple of the cluster size is rounded down.
BOOL GetDiskFreeSpaceA(const char* directory, DWORD* sectorsPerCluster, DWORD* bytesPerSector,
                       DWORD* freeClusters, DWORD* totalClusters) {
    Machine& machine = Current();
    LONG error = ERROR_SUCCESS;
    const sim::Drive* drive = DriveOf(machine, directory, &error);
    if (!drive)
        return Fail(machine, error, FALSE);
    if (machine.Fails("GetDiskFreeSpaceA", std::string(1, drive->letter) + ":\\",
                      ERROR_PATH_NOT_FOUND))
        return FALSE;
    uint64_t cluster = uint64_t(drive->sectorsPerCluster) * drive->bytesPerSector;
    *sectorsPerCluster = drive->sectorsPerCluster;
    *bytesPerSector = drive->bytesPerSector;
    *freeClusters = static_cast<DWORD>(std::min<uint64_t>(drive->freeBytes / cluster, 0xFFFFFFFFu));
    *totalClusters =
        static_cast<DWORD>(std::min<uint64_t>(drive->totalBytes / cluster, 0xFFFFFFFFu));
    return TRUE;
}

BOOL CallGetDiskFreeSpaceExA(FARPROC function, const char* directory,
                             ULONGLONG* freeBytesAvailable, ULONGLONG* totalBytes,
                             ULONGLONG* totalFreeBytes) {
    Machine& machine = Current();
    if (!function || !machine.hasGetDiskFreeSpaceEx)
        return Fail(machine, ERROR_INVALID_PARAMETER, FALSE);
    LONG error = ERROR_SUCCESS;
    const sim::Drive* drive = DriveOf(machine, directory, &error);
    if (!drive)
        return Fail(machine, error, FALSE);
    if (machine.Fails("GetDiskFreeSpaceExA", std::string(1, drive->letter) + ":\\",
                      ERROR_PATH_NOT_FOUND))
        return FALSE;
    if (freeBytesAvailable)
        *freeBytesAvailable = drive->freeBytes;
    if (totalBytes)
        *totalBytes = drive->totalBytes;
    if (totalFreeBytes)
        *totalFreeBytes = drive->freeBytes;
    return TRUE;
}

// Only the binary read ("rb") and update ("r+b") modes exist; "r" and "r+" mean the same,
// as there is no text translation.
FILE* fopen(const char* path, const char* mode) {
    Machine& machine = Current();
    std::string m = mode ? mode : "";
    m.erase(std::remove(m.begin(), m.end(), 'b'), m.end());
    if (m != "r" && m != "r+")
        return Fail(machine, ERROR_INVALID_PARAMETER, static_cast<FILE*>(nullptr));
    bool writable = m == "r+";
    Path full;
    LONG error;
    if (!machine.ResolveForCall(path, &full, &error))
        return Fail(machine, error, static_cast<FILE*>(nullptr));
    if (machine.Fails("fopen", full.Text(), ERROR_FILE_NOT_FOUND))
        return nullptr;
    std::shared_ptr<sim::FileNode> node = machine.files.Find(full);
    if (!node)
        return Fail(machine, ERROR_FILE_NOT_FOUND, static_cast<FILE*>(nullptr));
    if (node->isDirectory || (writable && (node->attributes & sim::AttrReadOnly)))
        return Fail(machine, ERROR_ACCESS_DENIED, static_cast<FILE*>(nullptr));
    FILE* file = new FILE;
    file->path = full;
    file->node = node;
    file->writable = writable;
    ++node->openCount;
    return file;
}

int fclose(FILE* file) {
    if (!file)
        return -1;
    --file->node->openCount;
    delete file;
    return 0;
}

int fread(void* buffer, int count, FILE* file) {
    Machine& machine = Current();
    if (!file || count <= 0)
        return 0;
    if (machine.Fails("fread", file->path.Text(), ERROR_GEN_FAILURE))
        return 0;
    const std::string& data = file->node->data;
    if (file->position >= data.size())
        return 0;
    size_t n = std::min<size_t>(count, data.size() - file->position);
    memcpy(buffer, data.data() + file->position, n);
    file->position += n;
    return static_cast<int>(n);
}

int fwrite(const void* buffer, int count, FILE* file) {
    Machine& machine = Current();
    if (!file || count <= 0)
        return 0;
    if (!file->writable)
        return Fail(machine, ERROR_ACCESS_DENIED, 0);
    if (machine.Fails("fwrite", file->path.Text(), ERROR_DISK_FULL))
        return 0;
    std::string bytes(static_cast<const char*>(buffer), count);
    if (LONG error = machine.files.WriteAt(file->path, *file->node, file->position, bytes))
        return Fail(machine, error, 0);
    machine.Record("edit", file->path.Text() + ": " + std::to_string(count) + " byte" +
                               (count == 1 ? "" : "s") + " at " +
                               std::to_string(file->position));
    file->position += count;
    return count;
}

int fseek(FILE* file, long offset, int origin) {
    if (!file)
        return -1;
    long long base = origin == FILE_BEGIN     ? 0
                     : origin == FILE_CURRENT ? static_cast<long long>(file->position)
                     : origin == FILE_END     ? static_cast<long long>(file->node->data.size())
                                              : -1;
    if (base < 0 || base + offset < 0)
        return -1;
    file->position = static_cast<uint64_t>(base + offset);
    return 0;
}

long ftell(FILE* file) { return file ? static_cast<long>(file->position) : -1; }

int fflush(FILE* file) {
    Machine& machine = Current();
    if (!file)
        return 0;
    if (machine.Fails("fflush", file->path.Text(), ERROR_DISK_FULL))
        return -1;
    return 0;
}

} // namespace os
