// Staging an installation tree in the simulation against `cp -r` of the same tree on the
// host disk, for a tree of 50 MB in 500 files and for one twice that size.
//
//   staging_bench WORKDIR [RUNS]
//
// The tree is written once below WORKDIR (tree-500, tree-1000). cp -r copies it to another
// folder on the same disk; the simulation holds the same files on its drive D and stages
// them into C:\Orvane with the unattended variant. Each figure is the fastest of RUNS runs
// (default 5), the page cache warm for both.
#include <stdio.h>

#include <filesystem>
#include <string>
#include <vector>

#include "bench/BenchUtil.h"
#include "platform/Array.h"
#include "platform/sim/Machine.h"
#include "staging/Staging.h"

namespace {

namespace fs = std::filesystem;

const int BaseFiles = 500;
const size_t FileBytes = 50u * 1024 * 1024 / BaseFiles; // 50 MB in 500 files
const int InfEvery = 25;                                // every 25th driver file is an INF
const char* const TreeRoot = "D:\\TREE\\";
const double Goal = 0.9;

// Where each file of the tree goes: a tenth to each DOS directory and to "026\", the rest
// to the driver directory.
std::string RelativePath(int index, int files) {
    char name[32];
    const int tenth = files / 10;
    if (index < tenth) {
        snprintf(name, sizeof name, "Dosdrv/DOS%05d.BIN", index);
    } else if (index < 2 * tenth) {
        snprintf(name, sizeof name, "Dosdrv/DOSAPP/APP%05d.BIN", index);
    } else if (index < 3 * tenth) {
        snprintf(name, sizeof name, "W95-98/drv/026/BNK%05d.DAT", index);
    } else if (index % InfEvery == 0) {
        snprintf(name, sizeof name, "W95-98/drv/DRV%05d.INF", index);
    } else {
        snprintf(name, sizeof name, "W95-98/drv/DRV%05d.BIN", index);
    }
    return name;
}

std::string Contents(int index, bool inf) {
    std::string data;
    if (inf)
        data = "[SourceDisksNames]\r\n1=\"Benchmark Disk\",,0\r\n";
    data.resize(FileBytes, ';');
    uint32_t state = 2463534242u + static_cast<uint32_t>(index);
    for (size_t i = inf ? 40 : 0; i < data.size(); ++i) {
        state ^= state << 13, state ^= state >> 17, state ^= state << 5;
        data[i] = static_cast<char>('A' + state % 26);
    }
    return data;
}

struct Tree {
    std::string host;
    std::vector<std::pair<std::string, std::string>> files; // relative path, contents
    uint64_t bytes = 0;
};

Tree MakeTree(const std::string& workDir, int files) {
    Tree tree;
    tree.host = workDir + "/tree-" + std::to_string(files);
    const bool written = fs::exists(tree.host + "/.complete");
    for (int i = 0; i < files; ++i) {
        const std::string relative = RelativePath(i, files);
        std::string data = Contents(i, relative.find(".INF") != std::string::npos);
        tree.bytes += data.size();
        if (!written) {
            fs::create_directories(fs::path(tree.host + "/" + relative).parent_path());
            bench::WriteHostFile(tree.host + "/" + relative, data);
        }
        tree.files.push_back({relative, std::move(data)});
    }
    bench::WriteHostFile(tree.host + "/.complete", "");
    return tree;
}

std::string WindowsPath(std::string relative) {
    for (char& ch : relative)
        if (ch == '/')
            ch = '\\';
    return TreeRoot + relative;
}

struct Result {
    double simSeconds;
    double cpSeconds;
};

Result Measure(const std::string& workDir, int files, int runs) {
    Tree tree = MakeTree(workDir, files);

    const std::string copy = workDir + "/copy-" + std::to_string(files);
    const double cp = bench::Fastest(
        runs, [&] { fs::remove_all(copy); },
        [&] { bench::Shell("cp -r '" + tree.host + "' '" + copy + "'"); });
    fs::remove_all(copy);

    sim::Machine machine;
    sim::MachineScope scope(machine);
    machine.files.AddDrive('D');
    for (const auto& file : tree.files)
        machine.files.AddFile(WindowsPath(file.first), file.second);
    tree.files.clear();
    CStringArray list;
    const double simulated = bench::Fastest(
        runs,
        [&] {
            if (machine.files.Exists("C:\\Orvane"))
                machine.files.Remove("C:\\Orvane");
            machine.files.Remove("C:\\WINDOWS\\INF");
            machine.files.AddDirectory("C:\\WINDOWS\\INF");
            machine.journal.Clear();
            list.RemoveAll();
        },
        [&] {
            CopyFailure failure =
                StageDriverFiles(StagingUnattended, Windows98, TreeRoot, false, list);
            if (failure.Occurred())
                throw std::runtime_error("staging failed: " + std::string(failure.source));
        });

    const double megabytes = tree.bytes / 1e6;
    printf("staging %6.1f MB in %4d files: simulation %7.3f s (%7.0f MB/s), cp -r %7.3f s "
           "(%7.0f MB/s), throughput ratio %.2f (goal >= %.1f)\n",
           megabytes, files, simulated, megabytes / simulated, cp, megabytes / cp, cp / simulated,
           Goal);
    return {simulated, cp};
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: staging_bench WORKDIR [RUNS]\n");
        return 2;
    }
    const std::string workDir = argv[1];
    const int runs = argc > 2 ? std::stoi(argv[2]) : 5;
    fs::create_directories(workDir);
    try {
        Result base = Measure(workDir, BaseFiles, runs);
        Result doubled = Measure(workDir, 2 * BaseFiles, runs);
        printf("staging, tree doubled: simulation takes x%.2f, cp -r x%.2f\n",
               doubled.simSeconds / base.simSeconds, doubled.cpSeconds / base.cpSeconds);
    } catch (const std::exception& e) {
        fprintf(stderr, "staging_bench: %s\n", e.what());
        return 1;
    }
    return 0;
}
