// The registry cleanup on a machine whose registry holds 100,000 keys (a generated REGEDIT4
// file of about 10 MB with the previous driver's keys among them), and on one of 200,000:
// the file loaded into the simulated registry, RemoveOldDriverRegistry, and the registry
// saved to a file again, against reading and writing the same file raw.
//
//   registry_bench WORKDIR [RUNS]
#include <stdio.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "bench/BenchUtil.h"
#include "cleanup/RegistryCleanup.h"
#include "platform/sim/Machine.h"

namespace {

namespace fs = std::filesystem;

const int BaseKeys = 100000;
const double Goal = 3.0;

// Keys of the previous driver and of other devices, in the places the cleanup searches,
// then filler keys below SOFTWARE (vendors, products, components, as applications leave
// them) and CLSID entries, until the registry holds `keys` keys.
std::string GenerateReg(int keys) {
    std::string reg = "REGEDIT4\r\n\r\n";
    int count = 0;
    char line[256];
    auto key = [&](const char* path, const char* value) {
        reg += "[";
        reg += path;
        reg += "]\r\n";
        if (value) {
            reg += value;
            reg += "\r\n";
        }
        reg += "\r\n";
        ++count;
    };
    const char* media = "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\services\\Class\\MEDIA";
    const char* resources = "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\control\\MediaResources";
    const char* types[] = {"aux", "midi", "mixer", "wave"};
    for (int i = 0; i < 90; ++i) {
        // Every 30th instance is the previous driver's.
        snprintf(line, sizeof line, "%s\\%04d", media, i);
        key(line, i % 30 == 7 ? "\"ProviderName\"=\"ORVANE\"" : "\"ProviderName\"=\"Another Vendor\"");
        for (const char* type : types) {
            snprintf(line, sizeof line, "%s\\%s\\DRV%02d.DRV<%04d>", resources, type, i % 7, i);
            key(line, "\"Driver\"=\"DRV.DRV\"");
        }
    }
    for (int i = 0; i < 2000; ++i) {
        snprintf(line, sizeof line, "HKEY_LOCAL_MACHINE\\Enum\\PCI\\VEN_%04X&DEV_%04X",
                 0x1000 + i, i % 5 == 0 && i < 20 ? 0x0120 : 0x7000 + i);
        if (i % 5 == 0 && i < 20)
            snprintf(line, sizeof line, "HKEY_LOCAL_MACHINE\\Enum\\PCI\\VEN_4D2A&DEV_01%02d", i);
        key(line, nullptr);
        std::string device = std::string(line) + "\\BUS_00&DEV_0B&FUNC_00";
        key(device.c_str(), "\"DeviceDesc\"=\"PCI device\"");
    }
    const char* virtuals[] = {"TQR-SWMIDI", "TQR-DOSEMU", "TQR-LEGACY", "TQR-SBEMU", "TQR-JOYSTK"};
    for (const char* name : virtuals) {
        snprintf(line, sizeof line, "HKEY_LOCAL_MACHINE\\Enum\\VIRTUAL\\%s\\0000", name);
        key(line, "\"DeviceDesc\"=\"virtual device\"");
    }
    key("HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\Spatial", "@=\"Spatial\"");
    key("HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\CLSID\\{D8F1EEE0-F634-11CF-8700-00A0245D918B}",
        "@=\"Spatial\"");
    for (int i = 0; count < keys / 10; ++i) {
        snprintf(line, sizeof line,
                 "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\CLSID\\{%08X-1111-2222-3333-%012X}", i, i);
        key(line, "@=\"Bench Control\"");
    }
    for (int i = 0; count < keys; ++i) {
        snprintf(line, sizeof line,
                 "HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor%03d\\Product%02d\\Component%05d", i / 1000,
                 i / 100 % 10, i);
        key(line, "\"Setting\"=\"benchmark value data\"");
    }
    return reg;
}

struct Result {
    double raw;
    double clean;
};

Result Measure(const std::string& workDir, int keys, int runs) {
    const std::string file = workDir + "/registry-" + std::to_string(keys) + ".reg";
    const std::string out = workDir + "/registry-" + std::to_string(keys) + ".out.reg";
    bench::WriteHostFile(file, GenerateReg(keys));
    const double megabytes = fs::file_size(file) / 1e6;

    const double raw = bench::Fastest(
        runs, [] {}, [&] { bench::WriteHostFile(out, bench::ReadHostFile(file)); });

    // The fastest run, with the times of its three phases.
    double total = 1e30, load = 0, clean = 0, save = 0, release = 0;
    bool removed = true;
    for (int run = 0; run < runs; ++run) {
        using Clock = std::chrono::steady_clock;
        auto seconds = [](Clock::time_point from, Clock::time_point to) {
            return std::chrono::duration<double>(to - from).count();
        };
        auto t0 = Clock::now(), t1 = t0, t2 = t0, t3 = t0;
        {
            sim::Machine machine;
            sim::MachineScope scope(machine);
            machine.registry.LoadReg(bench::ReadHostFile(file));
            t1 = Clock::now();
            RemoveOldDriverRegistry();
            t2 = Clock::now();
            bench::WriteHostFile(out, machine.registry.SaveReg());
            t3 = Clock::now();
            removed = removed &&
                      !machine.registry.KeyExists("HKLM\\Enum\\PCI\\VEN_4D2A&DEV_0100") &&
                      !machine.registry.KeyExists("HKLM\\Enum\\VIRTUAL\\TQR-JOYSTK") &&
                      !machine.registry.KeyExists(
                          "HKLM\\System\\CurrentControlSet\\services\\Class\\MEDIA\\0007");
        }
        // The measure is load + clean + save; the release of the machine's memory afterwards
        // is shown apart.
        const double took = seconds(t0, t3);
        if (took < total) {
            total = took, load = seconds(t0, t1), clean = seconds(t1, t2), save = seconds(t2, t3);
            release = seconds(t3, Clock::now());
        }
    }
    if (!removed)
        throw std::runtime_error("the cleanup left keys of the previous driver");
    printf("registry %6d keys (%5.1f MB): load+clean+save %6.3f s (load %.3f, clean %.3f, save "
           "%.3f; then release %.3f), raw read+write %6.3f s, ratio %.1f (goal <= %.0f)\n",
           keys, megabytes, total, load, clean, save, release, raw, total / raw, Goal);
    return {raw, total};
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: registry_bench WORKDIR [RUNS]\n");
        return 2;
    }
    const std::string workDir = argv[1];
    const int runs = argc > 2 ? std::stoi(argv[2]) : 3;
    fs::create_directories(workDir);
    try {
        Result base = Measure(workDir, BaseKeys, runs);
        Result doubled = Measure(workDir, 2 * BaseKeys, runs);
        printf("registry, keys doubled: load+clean+save takes x%.2f, raw read+write x%.2f\n",
               doubled.clean / base.clean, doubled.raw / base.raw);
    } catch (const std::exception& e) {
        fprintf(stderr, "registry_bench: %s\n", e.what());
        return 1;
    }
    return 0;
}
