#include "log/CWELog.h"

#include "log/LogFileName.h"
#include "log/LogHeader.h"
#include "log/LogText.h"
#include "resources/KestrinResources.h"
#include "util/CriticalSectionLock.h"

#include "zr/FormatHResult.h"
#include "zr/GetMapiErrorName.h"

#include "com/ErrorInfo.h"
#include "win/File.h"
#include "win/Memory.h"
#include "win/Message.h"
#include "win/Time.h"

#include <cstdint>
#include <cstdio>
#include <limits>
#include <vector>

namespace {

constexpr DWORD kUsEnglish = 1033;
constexpr LONGLONG kTicksPerDay = 864'000'000'000LL;
constexpr DWORD kMapiErrorMessage = 0xE00022AF;
constexpr DWORD kComErrorMessage = 0xE00022B0;

bool IsError(DWORD messageId)
{
    return (messageId >> 30) == 3;
}

// The message's text with the inserts put in; false for an id the table
// lacks.
bool FormatEntry(DWORD messageId, std::initializer_list<std::string> inserts, std::string& text)
{
    std::vector<std::string> cut;
    for (const std::string& insert : inserts)
        cut.push_back(CutInsert(insert, CWELog::kInsertLimit));
    std::vector<DWORD_PTR> arguments(99, reinterpret_cast<DWORD_PTR>(""));
    for (std::size_t i = 0; i < cut.size() && i < arguments.size(); ++i)
        arguments[i] = reinterpret_cast<DWORD_PTR>(cut[i].c_str());
    LPSTR buffer = nullptr;
    const DWORD length =
        FormatMessage(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_ARGUMENT_ARRAY,
                      KestrinModule(), messageId, kUsEnglish, reinterpret_cast<LPSTR>(&buffer), 0,
                      reinterpret_cast<va_list*>(arguments.data()));
    if (length == 0 || !buffer)
        return false;
    text.assign(buffer, length);
    LocalFree(buffer);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n'))
        text.pop_back();
    return true;
}

bool AppendTo(const std::string& path, const std::string& text)
{
    std::FILE* file = std::fopen(path.c_str(), "ab");
    if (!file)
        return false;
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && written;
}

std::string TimeOfDay(const SYSTEMTIME& time)
{
    char text[32];
    std::snprintf(text, sizeof text, "%02u:%02u:%02u", static_cast<unsigned>(time.wHour),
                  static_cast<unsigned>(time.wMinute), static_cast<unsigned>(time.wSecond));
    return text;
}

}  // namespace

std::string CWELog::GetMapiErrorName(HRESULT hr)
{
    return ::GetMapiErrorName(hr);
}

int CWELog::Write(DWORD messageId, std::initializer_list<std::string> inserts)
{
    if (!IsOn())
        return 1;
    std::string text;
    if (!FormatEntry(messageId, inserts, text))
        return 0;
    return WriteRecord(messageId, text);
}

int CWELog::WriteRecord(DWORD messageId, const std::string& text)
{
    if (!IsOn())
        return 1;
    const std::string record = OneLine(m_pSettings->GetProfileName()) + "\t" + (IsError(messageId) ? "E" : "I") +
                               "\t" + OneLine(text);
    return AppendLine(record);
}

std::string CWELog::GetFolder()
{
    CriticalSectionLock lock(*this);
    return ResolveFolder() ? m_strFolder : std::string();
}

bool CWELog::ResolveFolder()
{
    m_strFolder = m_pSettings ? m_pSettings->m_strLogFolderPath : std::string();
    if (m_strFolder.empty()) {
        const std::string moduleFolder = KestrinModuleFolder();
        if (moduleFolder.empty())
            return false;
        m_strFolder = moduleFolder + "Logs";
    }
    return true;
}

int CWELog::EnsureFolder()
{
    if (!IsOn())
        return 1;
    if (!ResolveFolder())
        return 0;
    const DWORD attributes = GetFileAttributes(m_strFolder.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return 1;
    return CreateDirectory(m_strFolder.c_str(), nullptr) ? 1 : 0;
}

int CWELog::AppendLine(const std::string& record)
{
    if (!IsOn())
        return 1;
    if (record.empty())
        return 0;
    CriticalSectionLock lock(*this);
    if (!EnsureFolder())
        return 0;
    SYSTEMTIME now{};
    GetLocalTime(&now);
    const std::string path = m_strFolder + "/" + LogFileName(now);
    if (GetFileAttributes(path.c_str()) == INVALID_FILE_ATTRIBUTES && !AppendTo(path, LogHeader(now)))
        return 0;
    return AppendTo(path, TimeOfDay(now) + "\t" + record + "\r\n") ? 1 : 0;
}

int CWELog::LogComError(const char* call, HRESULT hr, IUnknown* object, REFIID iid)
{
    if (!IsOn() || SUCCEEDED(hr))
        return 1;
    if (!object)
        return 0;
    return LogComFailure(call, hr, pollenta::com::TakeErrorDescription(object, iid));
}

int CWELog::LogComFailure(const char* call, HRESULT hr, const std::string& description)
{
    if (!IsOn())
        return 1;
    std::string code = FormatHResult(hr);
    if (!description.empty())
        code += " (" + description + ")";
    return Write(kComErrorMessage, {call && *call ? call : "Unknown", code});
}

int CWELog::LogMapiFailure(const char* call, HRESULT hr, const MAPIERROR* error)
{
    if (!IsOn())
        return 1;
    std::string code = GetMapiErrorName(hr);
    if (error && error->lpszError && *error->lpszError)
        code += std::string(" (") + error->lpszError + ")";
    return Write(kMapiErrorMessage, {call && *call ? call : "Unknown", code});
}

int CWELog::DeleteOldLogs()
{
    if (!m_pSettings || m_pSettings->m_nAutoClear == 0)
        return 1;
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const std::string folder = m_pSettings->m_strLogFolderPath;
    if (folder.empty())
        return 0;
    // KeepDays is read as the unsigned number the registry holds; a number
    // of days too large to count in ticks keeps every log.
    const ULONGLONG days = static_cast<DWORD>(m_pSettings->m_nKeepDays);
    if (days > static_cast<ULONGLONG>(std::numeric_limits<LONGLONG>::max() / kTicksPerDay))
        return 1;
    const LONGLONG keep = static_cast<LONGLONG>(days) * kTicksPerDay;

    std::vector<std::string> old;
    WIN32_FIND_DATA found{};
    HANDLE search = FindFirstFile((folder + "/*.log").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return 1;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !IsLogFileName(found.cFileName))
            continue;
        const LONGLONG age =
            static_cast<LONGLONG>(FileTimeTicks(now)) - static_cast<LONGLONG>(FileTimeTicks(found.ftCreationTime));
        if (age > keep)
            old.push_back(folder + "/" + found.cFileName);
    } while (FindNextFile(search, &found));
    FindClose(search);
    for (const std::string& path : old)
        DeleteFile(path.c_str());
    return 1;
}
