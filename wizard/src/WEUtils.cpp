#include "wizard/WEUtils.h"

#include "WizardResources.h"
#include "WizardText.h"

#include "wizard/CWEException.h"
#include "wizard/WizardIds.h"
#include "zr/LoadMessageText.h"

#include "com/ErrorInfo.h"
#include "html/InternetUrl.h"
#include "win/Memory.h"
#include "win/Message.h"
#include "win/Module.h"
#include "win/Version.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <vector>

UINT SeverityCaptionId(DWORD messageId)
{
    static constexpr UINT kCaptions[] = {IDS_SUCCESS, IDS_INFORMATION, IDS_WARNING, IDS_FATAL_ERROR};
    return kCaptions[messageId >> 30];
}

int GetUrlScheme(const char* url)
{
    if (!url || !*url)
        return -1;
    URL_COMPONENTS components = {sizeof(URL_COMPONENTS), INTERNET_SCHEME_DEFAULT};
    if (!InternetCrackUrl(url, 0, 0, &components))
        return -1;
    return components.nScheme;
}

bool CombineUrl(const char* base, const char* relative, std::string& output, DWORD flags)
{
    output.clear();
    if (!base || !relative)
        return false;
    DWORD length = 0;
    InternetCombineUrl(base, relative, nullptr, &length, flags);
    if (length == 0)
        return false;
    std::vector<char> buffer(length + 1, '\0');
    DWORD size = length + 1;
    if (!InternetCombineUrl(base, relative, buffer.data(), &size, flags))
        return false;
    output.assign(buffer.data(), size);
    return true;
}

std::string FieldTypeText(int type)
{
    switch (type) {
    case 1:
        return LoadWizardString(IDS_TYPE_NUMERIC);
    case 2:
        return LoadWizardString(IDS_TYPE_CHARACTER);
    case 3:
        return LoadWizardString(IDS_TYPE_BLOB);
    case 4:
        return LoadWizardString(IDS_TYPE_TEXT);
    default:
        WE_THROW_UNEXPECTED();
    }
}

std::string SqlTypeName(int type)
{
    switch (type) {
    case 1:
        return "INTEGER";
    case 2:
        return "VARCHAR";
    case 3:
        return "BLOB";
    case 4:
        return "TEXT";
    default:
        WE_THROW_UNEXPECTED();
    }
}

std::string CssUrlValue(const std::string& value)
{
    const std::string text = TrimBlanks(value);
    const std::string lower = LowerAscii(text);
    const std::size_t close = text.rfind(')');
    if (text.size() <= 4 || lower.rfind("url(", 0) != 0 || close == std::string::npos || close < 4)
        return {};
    return text.substr(4, close - 4);
}

bool GetVersionString(const char* name, std::string& output)
{
    output.clear();
    if (!name || !*name)
        return false;
    char path[521] = {};
    HMODULE own = nullptr;
    GetModuleHandleEx(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                      reinterpret_cast<LPCSTR>(&GetVersionString), &own);
    if (GetModuleFileName(own, path, sizeof path) == 0)
        return false;
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSize(path, &handle);
    if (size == 0)
        return true;
    std::vector<char> data(size);
    if (!GetFileVersionInfo(path, handle, size, data.data()))
        return false;
    const std::string block = std::string("\\StringFileInfo\\040904E4\\") + name;
    LPVOID value = nullptr;
    UINT length = 0;
    if (!VerQueryValue(data.data(), block.c_str(), &value, &length) || !value)
        return false;
    output = static_cast<const char*>(value);
    return true;
}

std::string GetComErrorText(HRESULT hr, IUnknown* object, REFIID iid)
{
    std::string text = LoadMessageText(hr < 0 ? WE_E_UNKNOWN : WE_S_OK);
    if (object) {
        const std::string description = pollenta::com::TakeErrorDescription(object, iid);
        if (!description.empty())
            text = description;
    }
    return text;
}

std::string GetLastErrorText()
{
    LPSTR buffer = nullptr;
    const DWORD length = FormatMessage(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, nullptr,
                                       GetLastError(), 0, reinterpret_cast<LPSTR>(&buffer), 0, nullptr);
    std::string text = buffer && length ? std::string(buffer, length) : std::string();
    LocalFree(buffer);
    return text;
}

std::string GetFileExtension(const std::string& name)
{
    const std::size_t dot = name.rfind('.');
    const std::size_t slash = name.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && slash > dot))
        return {};
    return LowerAscii(name.substr(dot + 1));
}

std::string AbsolutePagePath(const std::string& path)
{
    if (path.empty() || path[0] == '/')
        return path;
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.string();
}
