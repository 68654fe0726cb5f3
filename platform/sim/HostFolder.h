// Files of the host seen from the simulated machine: a host folder copied into a drive of
// the machine, as the machine image, the runner and the tests lay out installation trees.
#pragma once

#include <filesystem>
#include <string>

#include "platform/sim/FileSystem.h"

namespace sim {

// The bytes of a host file; throws std::runtime_error when it cannot be read.
std::string ReadHostFile(const std::filesystem::path& path);

// Copies every file and folder below the host folder into the machine under windowsPath
// (created when missing; a drive the machine lacks is added). Names go in sorted order
// (letter case ignored), so that a directory search delivers them the same way on every
// host.
void ImportHostFolder(FileSystem& files, const std::filesystem::path& folder,
                      const std::string& windowsPath);

} // namespace sim
