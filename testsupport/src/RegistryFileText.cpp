#include "testsupport/RegistryFileText.h"

#include "win/RegistryGroup.h"

#include <fstream>
#include <iterator>
#include <string_view>

namespace pollenta::testsupport {

std::string RegistryFileText(const std::filesystem::path& folder, const char* file)
{
    RegFlushKey(std::string_view(file).starts_with("HKEY_LOCAL_MACHINE") ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER);
    std::ifstream stream(folder / file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

}  // namespace pollenta::testsupport
