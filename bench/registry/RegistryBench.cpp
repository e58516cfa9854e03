// What a registry change costs in a small file and in a large one, and
// what reading a key of 1,000, 4,000 and 16,000 values costs after another
// process replaced the file.
//
// Changes: one value set on an open key, again and again, in a file of
// 10 KB and of 1 MB. Bare: the same number of bytes appended to a file and
// made durable (fdatasync) per change, in the same folder.
//
// Re-reads: RegOpenKeyEx and RegQueryValueEx on the file just replaced
// (one value, then every value). Bare: the same bytes read and split into
// a plain hash map of name and data text (then every name looked up once).
// Each figure is the best of several rounds.

#include "bench/BenchRow.h"
#include "win/Registry.h"
#include "win/RegistryGroup.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <string>
#include <unordered_map>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kRounds = 5;
const char* const kKey = "Software\\Velquin Ltd\\Bench";

std::string ValueName(int index) { return "Value" + std::to_string(index); }

// The file as another process would have left it.
std::string FileText(int count)
{
    std::string text = "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER]\n\n[HKEY_CURRENT_USER\\Software]\n\n"
                       "[HKEY_CURRENT_USER\\Software\\Velquin Ltd]\n\n[HKEY_CURRENT_USER\\Software\\Velquin Ltd\\Bench]\n";
    for (int i = 0; i < count; ++i)
        text += "\"" + ValueName(i) + "\"=\"C:\\\\Surveys\\\\Project " + std::to_string(i) + "\"\n";
    return text;
}

// Replaces the file the way a writer does, so that readers see a new file.
void ReplaceFile(const std::filesystem::path& folder, const std::string& text)
{
    const auto temporary = folder / "HKEY_CURRENT_USER.reg.new";
    std::ofstream(temporary, std::ios::binary | std::ios::trunc) << text;
    std::filesystem::rename(temporary, folder / "HKEY_CURRENT_USER.reg");
}

double Seconds(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Best(const std::function<void()>& prepare, const std::function<void()>& work)
{
    double best = 1e9;
    for (int round = 0; round < kRounds; ++round) {
        prepare();
        best = std::min(best, Seconds(work));
    }
    return best;
}

void QueryOurs(const std::vector<std::string>& names)
{
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        std::fprintf(stderr, "bench: the key cannot be opened\n");
        std::exit(1);
    }
    char data[256];
    for (const std::string& name : names) {
        DWORD size = sizeof data;
        if (RegQueryValueEx(key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size) != ERROR_SUCCESS) {
            std::fprintf(stderr, "bench: value %s is missing\n", name.c_str());
            std::exit(1);
        }
    }
    RegCloseKey(key);
}

// The bare work: read the bytes, split each value line into name and data.
std::unordered_map<std::string, std::string> ReadBare(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::unordered_map<std::string, std::string> values;
    for (size_t pos = 0; pos < text.size();) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos)
            end = text.size();
        if (text[pos] == '"') {
            const size_t close = text.find("\"=", pos + 1);
            values.emplace(text.substr(pos + 1, close - pos - 1), text.substr(close + 2, end - close - 2));
        }
        pos = end + 1;
    }
    return values;
}

void QueryBare(const std::filesystem::path& file, const std::vector<std::string>& names)
{
    const auto values = ReadBare(file);
    for (const std::string& name : names) {
        if (!values.count(name)) {
            std::fprintf(stderr, "bench: bare value %s is missing\n", name.c_str());
            std::exit(1);
        }
    }
}

void Row(const char* what, int count, double ours, double bare)
{
    std::printf("%-24s %6d  %10.6f  %10.6f  %7.1f\n", what, count, ours, bare, ours / bare);
    const std::string row = "registry: " + std::string(what) + " of " + std::to_string(count);
    bench::PrintTimeRow(row.c_str(), "ms", ours * 1000, bare * 1000);
}

constexpr int kChanges = 300;

// A file of about `bytes` bytes: keys of ten values each.
std::string FileOfSize(size_t bytes)
{
    std::string text = "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER]\n";
    for (int key = 0; text.size() < bytes; ++key) {
        text += "\n[HKEY_CURRENT_USER\\Projects\\" + std::to_string(key) + "]\n";
        for (int value = 0; value < 10; ++value)
            text += "\"Field" + std::to_string(value) + "\"=\"" + std::string(40, 'x') + "\"\n";
    }
    return text;
}

// Seconds per change of one value on an open key, and the bytes each
// change added to the journal.
double ChangeOurs(const std::filesystem::path& folder, const std::string& text, double& bytesPerChange)
{
    std::filesystem::remove(folder / "HKEY_CURRENT_USER.reg.journal");
    ReplaceFile(folder, text);
    HKEY key = nullptr;
    if (RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\Velquin Ltd\\Pollenta", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                       &key, nullptr) != ERROR_SUCCESS) {
        std::fprintf(stderr, "bench: the key cannot be made\n");
        std::exit(1);
    }
    RegFlushKey(key);
    const double seconds = Seconds([&] {
        for (DWORD i = 0; i < kChanges; ++i) {
            if (RegSetValueEx(key, "LastProjectID", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&i), sizeof i) !=
                ERROR_SUCCESS) {
                std::fprintf(stderr, "bench: a change failed\n");
                std::exit(1);
            }
        }
    });
    std::error_code error;
    const auto journal = std::filesystem::file_size(folder / "HKEY_CURRENT_USER.reg.journal", error);
    bytesPerChange = error ? 64 : static_cast<double>(journal) / kChanges;
    RegCloseKey(key);
    return seconds / kChanges;
}

double ChangeBare(const std::filesystem::path& folder, size_t bytes)
{
    const auto file = folder / "bare.journal";
    const int fd = open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC, 0600);
    const std::string record(bytes, 'r');
    const double seconds = Seconds([&] {
        for (int i = 0; i < kChanges; ++i)
            if (write(fd, record.data(), record.size()) != static_cast<ssize_t>(record.size()) || fdatasync(fd) != 0)
                std::exit(1);
    });
    close(fd);
    std::filesystem::remove(file);
    return seconds / kChanges;
}

void ChangeRows(const std::filesystem::path& folder)
{
    std::printf("%-24s %8s  %10s  %10s  %7s\n", "one change", "file KB", "ours ms", "bare ms", "ratio");
    for (const auto& [what, size] : {std::pair{"change in a 10 KB file", 10 * 1024}, {"change in a 1 MB file", 1024 * 1024}}) {
        const std::string text = FileOfSize(static_cast<size_t>(size));
        double ours = 1e9, bare = 1e9, bytes = 64;
        for (int round = 0; round < kRounds; ++round) {
            ours = std::min(ours, ChangeOurs(folder, text, bytes));
            bare = std::min(bare, ChangeBare(folder, static_cast<size_t>(bytes)));
        }
        std::printf("%-24s %8zu  %10.4f  %10.4f  %7.2f\n", what, text.size() / 1024, ours * 1000, bare * 1000, ours / bare);
        bench::PrintTimeRow((std::string("registry: ") + what).c_str(), "ms", ours * 1000, bare * 1000);
    }
}

} // namespace

int main(int argc, char** argv)
{
    // bench_registry [changes|reads [values]]: one half only, or one size.
    const std::string only = argc > 1 ? argv[1] : "";
    std::string pattern = (std::filesystem::temp_directory_path() / "pollenta-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        std::perror("bench: mkdtemp");
        return 1;
    }
    const std::filesystem::path folder = pattern;
    setenv("POLLENTA_REGISTRY", folder.c_str(), 1);
    const auto file = folder / "HKEY_CURRENT_USER.reg";

    if (only != "reads")
        ChangeRows(folder);
    std::filesystem::remove(folder / "HKEY_CURRENT_USER.reg.journal");
    if (only == "changes")
        return 0;
    std::printf("%-24s %6s  %10s  %10s  %7s\n", "reading a key", "values", "ours s", "bare s", "ratio");
    std::vector<int> counts{1000, 4000, 16000};
    if (argc > 2)
        counts = {std::atoi(argv[2])};
    for (int count : counts) {
        const std::string text = FileText(count);
        std::vector<std::string> names;
        for (int i = 0; i < count; ++i)
            names.push_back(ValueName(i));
        const std::vector<std::string> one{names.back()};
        const auto replace = [&] { ReplaceFile(folder, text); };

        Row("re-read, one value", count, Best(replace, [&] { QueryOurs(one); }), Best(replace, [&] { QueryBare(file, one); }));
        Row("re-read, every value", count, Best(replace, [&] { QueryOurs(names); }),
            Best(replace, [&] { QueryBare(file, names); }));
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return 0;
}
