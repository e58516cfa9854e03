// bench_page [runs]
// Generates the survey page of a form of about 3 MB (hundreds of controls,
// dozens of embedded pictures) and reports the time of the generation
// beside the bare time of writing the same page and picture files, in the
// same run. Then, with 100 projects of 120 fields each in the registry, it
// times the first generation of new projects' pages from a form of 120
// fields, which also writes the answer table's description, beside the
// same files written and the description's bytes appended and made durable
// once. Everything lives in a temporary folder with its own registry.

#include "bench/BenchRow.h"
#include "FormPictures.h"
#include "FormTextWriter.h"

#include "CHubberly.h"

#include "com/Activation.h"
#include "com/ComPtr.h"
#include "com/DispatchClient.h"
#include "win/RegistryGroup.h"

#include <dlfcn.h>
#include <unistd.h>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

double Milliseconds(Clock::duration duration) { return std::chrono::duration<double, std::milli>(duration).count(); }

constexpr int kTextBoxes = 600;
constexpr int kLabels = 600;
constexpr int kPictures = 36;
constexpr int kPictureSide = 96;

FormTextWriter LargeForm()
{
    FormTextWriter form;
    form.Begin("Form").Text("RecordSource", "Answers").Begin();
    form.Begin("Section").Number("Height", 200000).Number("BackColor", 16777215).Begin();
    for (int i = 0; i < kLabels; ++i) {
        form.Begin("Label").Text("Name", "Label" + std::to_string(i)).Number("Top", i * 300);
        form.Text("Caption", "Question " + std::to_string(i) + ": how much do you agree with statement number " +
                                 std::to_string(i) + "?");
        form.Number("FontSize", 8 + i % 5).End();
    }
    for (int i = 0; i < kTextBoxes; ++i) {
        form.Begin("TextBox").Text("Name", "Box" + std::to_string(i)).Text("ControlSource", "F" + std::to_string(i % 20));
        form.Number("Left", 5000).Number("Top", i * 300).Number("ForeColor", i * 977).End();
    }
    for (int i = 0; i < kPictures; ++i) {
        const auto shade = static_cast<std::uint8_t>(i * 5);
        // The database program names an embedded picture after the file it came from.
        form.Begin("Image").Text("Name", "Picture" + std::to_string(i)).Number("Top", i * 1500);
        form.Text("Picture", "picture" + std::to_string(i) + (i % 2 ? ".bmp" : ".emf"));
        form.Binary("PictureData",
                    i % 2 ? form_pictures::Dib24(kPictureSide, kPictureSide, shade, 128, 255 - shade)
                          : form_pictures::WrappedEmf(form_pictures::Dib24(kPictureSide, kPictureSide, 0, shade, 90),
                                                      kPictureSide, kPictureSide));
        form.End();
    }
    form.Begin("CommandButton").Text("Name", "Submit").Text("Caption", "Send").End();
    form.End().End().End().End();
    return form;
}

constexpr int kWideFields = 120;
constexpr int kProjectsBefore = 100;

std::string TableSql(const char* table, int fields)
{
    std::string sql = std::string("CREATE TABLE ") + table + " (";
    for (int i = 0; i < fields; ++i)
        sql += (i ? ", F" : "F") + std::to_string(i) + " VARCHAR(100)";
    return sql + ")";
}

void MakeDatabase(const fs::path& path)
{
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    sqlite3_exec(db, TableSql("Answers", 20).c_str(), nullptr, nullptr, nullptr);
    sqlite3_exec(db, TableSql("Wide", kWideFields).c_str(), nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

// A form of one question per field of the table "Wide".
FormTextWriter WideForm()
{
    FormTextWriter form;
    form.Begin("Form").Text("RecordSource", "Wide").Begin();
    form.Begin("Section").Number("Height", 40000).Begin();
    for (int i = 0; i < kWideFields; ++i) {
        form.Begin("TextBox").Text("Name", "Box" + std::to_string(i)).Text("ControlSource", "F" + std::to_string(i));
        form.Number("Left", 3000).Number("Top", i * 300).End();
    }
    form.Begin("CommandButton").Text("Name", "Submit").Text("Caption", "Send").End();
    form.End().End().End().End();
    return form;
}

// Projects as a user who kept many surveys has them: each with a page
// generated from a table of as many fields.
void AddProjects(int count)
{
    for (int project = 0; project < count; ++project) {
        RegistryChangeGroup group;
        const std::string fields =
            std::string(CWEProjectStore::kProductKey) + "\\Projects\\" + std::to_string(900000 + project) + "\\Fields";
        for (int field = 0; field < kWideFields; ++field) {
            HKEY key = nullptr;
            RegCreateKeyEx(HKEY_CURRENT_USER, (fields + "\\F" + std::to_string(field)).c_str(), 0, nullptr, 0,
                           KEY_ALL_ACCESS, nullptr, &key, nullptr);
            for (const char* name : {"Type", "DefinedSize", "Attributes"}) {
                const DWORD value = 202;
                RegSetValueEx(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
            }
            RegCloseKey(key);
        }
        group.End();
    }
    RegFlushKey(HKEY_CURRENT_USER);
}

uintmax_t JournalSize(const fs::path& registry)
{
    std::error_code error;
    const uintmax_t size = fs::file_size(registry / "HKEY_CURRENT_USER.reg.journal", error);
    return error ? 0 : size;
}

// The same bytes appended to a file and made durable once.
double AppendBare(const fs::path& file, size_t bytes)
{
    const std::string record(bytes, 'r');
    const auto start = Clock::now();
    std::FILE* out = std::fopen(file.c_str(), "ab");
    std::fwrite(record.data(), 1, record.size(), out);
    std::fflush(out);
    fdatasync(fileno(out));
    std::fclose(out);
    return Milliseconds(Clock::now() - start);
}

CComPtr<IDispatch> Member(IDispatch* object, const char* name, std::vector<CComVariant> args = {})
{
    CComVariant value;
    pollenta::com::InvokeByName(object, name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, args, &value);
    return value.vt == VT_DISPATCH ? CComPtr<IDispatch>(value.pdispVal) : CComPtr<IDispatch>();
}

std::string ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}


// CPU time of this thread: the figure that a busy machine does not blur.
double ThreadCpuMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// The durable work without us: the same files, written and closed.
double WriteBare(const std::vector<std::pair<std::string, std::string>>& files, const fs::path& folder)
{
    const auto start = Clock::now();
    for (const auto& [name, bytes] : files) {
        std::FILE* file = std::fopen((folder / name).c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    return Milliseconds(Clock::now() - start);
}

}  // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    std::string pattern = (fs::temp_directory_path() / "pollenta-bench-page-XXXXXX").string();
    const fs::path root = mkdtemp(pattern.data());
    setenv("POLLENTA_REGISTRY", (root / "registry").c_str(), 1);
    fs::create_directories(root / "db" / "forms");
    fs::create_directories(root / "bare");

    void* access = dlopen(POLLENTA_BIN_DIR "/Access.so", RTLD_NOW);
    auto registerServer = access ? reinterpret_cast<HRESULT (*)()>(dlsym(access, "DllRegisterServer")) : nullptr;
    if (!registerServer || FAILED(registerServer())) {
        std::fprintf(stderr, "bench_page: Access.so cannot be registered\n");
        return 1;
    }
    MakeDatabase(root / "db" / "survey.db");
    const std::string formText = LargeForm().Utf8();
    std::ofstream(root / "db" / "forms" / "Large.bas", std::ios::binary) << formText;

    CoInitialize(nullptr);
    HKEY key = nullptr;
    RegCreateKeyEx(HKEY_CURRENT_USER, CWEProjectStore::kProductKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                   nullptr);
    const std::string dataDir = (root / "data").string();
    RegSetValueEx(key, "DataDir", 0, REG_SZ, reinterpret_cast<const BYTE*>(dataDir.c_str()),
                  static_cast<DWORD>(dataDir.size() + 1));
    RegCloseKey(key);
    int status = 0;
    {
        CComPtr<IHubberly> hubberly;
        CHubberly::CreateInstance(IID_IHubberly, reinterpret_cast<void**>(&hubberly), CWEProjectStore(dataDir));
        LONG id = 0;
        hubberly->CreateProject(CComVariant("Bench"), &id);
        CLSID clsid = GUID_NULL;
        CLSIDFromProgID(u"Access.Application", &clsid);
        CComPtr<IDispatch> application;
        CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch, reinterpret_cast<void**>(&application));
        Member(application, "OpenCurrentDatabase", {CComVariant((root / "db" / "survey.db").string())});
        Member(Member(application, "DoCmd"), "OpenForm", {CComVariant("Large")});
        CComPtr<IDispatch> form = Member(Member(application, "Forms"), "Item", {CComVariant("Large")});

        std::vector<double> ours, oursCpu, bare;
        for (int run = 0; run < runs && status == 0; ++run) {
            CComVariant result;
            const auto start = Clock::now();
            const double cpuStart = ThreadCpuMilliseconds();
            const HRESULT hr = hubberly->GenHTMLbyForm(CComVariant(application.p), CComVariant(form.p), &result);
            oursCpu.push_back(ThreadCpuMilliseconds() - cpuStart);
            ours.push_back(Milliseconds(Clock::now() - start));
            if (FAILED(hr)) {
                std::fprintf(stderr, "bench_page: the generation failed (0x%08x)\n", static_cast<unsigned>(hr));
                status = 1;
                break;
            }
            std::vector<std::pair<std::string, std::string>> files;
            for (const auto& entry : fs::directory_iterator(fs::path(dataDir) / std::to_string(id)))
                files.emplace_back(entry.path().filename().string(), ReadAll(entry.path()));
            bare.push_back(WriteBare(files, root / "bare"));
        }
        if (status == 0) {
            // The first generation of a project also writes the answer table's
            // description into the registry; later ones find it up to date.
            const double oursFirst = ours.front();
            std::sort(ours.begin(), ours.end());
            std::sort(bare.begin(), bare.end());
            std::sort(oursCpu.begin(), oursCpu.end());
            const double oursMedian = ours[ours.size() / 2], bareMedian = bare[bare.size() / 2];
            std::printf("form text: %.2f MB, %d controls, %d pictures; median of %d runs\n",
                        formText.size() / 1e6, kLabels + kTextBoxes + kPictures + 1, kPictures, runs);
            std::printf("ours (GenHTMLbyForm):          %8.2f ms\n", oursMedian);
            std::printf("ours, CPU time of the thread:  %8.2f ms\n", oursCpu[oursCpu.size() / 2]);
            std::printf("ours, first generation:        %8.2f ms\n", oursFirst);
            std::printf("bare (write page and pictures): %8.2f ms\n", bareMedian);
            std::printf("ratio:                          %8.2f\n", oursMedian / bareMedian);
            bench::PrintTimeRow("page: GenHTMLbyForm", "ms", oursMedian, bareMedian);
        }

        // The first generation of new projects' pages while the registry
        // already holds many projects.
        std::ofstream(root / "db" / "forms" / "Wide.bas", std::ios::binary) << WideForm().Utf8();
        Member(Member(application, "DoCmd"), "OpenForm", {CComVariant("Wide")});
        CComPtr<IDispatch> wide = Member(Member(application, "Forms"), "Item", {CComVariant("Wide")});
        AddProjects(kProjectsBefore);
        std::vector<double> firstOurs, firstBare;
        for (int run = 0; run < runs && status == 0 && wide; ++run) {
            LONG wideId = 0;
            hubberly->CreateProject(CComVariant("Wide " + std::to_string(run)), &wideId);
            const uintmax_t journalBefore = JournalSize(root / "registry");
            CComVariant result;
            const auto start = Clock::now();
            const HRESULT hr = hubberly->GenHTMLbyForm(CComVariant(application.p), CComVariant(wide.p), &result);
            firstOurs.push_back(Milliseconds(Clock::now() - start));
            if (FAILED(hr)) {
                std::fprintf(stderr, "bench_page: the generation of the wide form failed (0x%08x)\n",
                             static_cast<unsigned>(hr));
                status = 1;
                break;
            }
            const uintmax_t written = JournalSize(root / "registry") - std::min(journalBefore, JournalSize(root / "registry"));
            std::vector<std::pair<std::string, std::string>> files;
            for (const auto& entry : fs::directory_iterator(fs::path(dataDir) / std::to_string(wideId)))
                files.emplace_back(entry.path().filename().string(), ReadAll(entry.path()));
            firstBare.push_back(WriteBare(files, root / "bare") + AppendBare(root / "bare" / "journal", written));
            hubberly->FinalizeProject(wideId);
        }
        if (status == 0 && !firstOurs.empty()) {
            std::sort(firstOurs.begin(), firstOurs.end());
            std::sort(firstBare.begin(), firstBare.end());
            const double oursMedian = firstOurs[firstOurs.size() / 2], bareMedian = firstBare[firstBare.size() / 2];
            std::printf("first generation, %d fields, %d projects: ours %.2f ms, bare %.2f ms, ratio %.2f\n",
                        kWideFields, kProjectsBefore, oursMedian, bareMedian, oursMedian / bareMedian);
            bench::PrintTimeRow("page: first generation, 120 fields, 100 projects", "ms", oursMedian, bareMedian);
        }
        Member(application, "Quit");
    }
    CoUninitialize();
    std::error_code ignored;
    fs::remove_all(root, ignored);
    return status;
}
