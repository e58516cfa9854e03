// A second process for the registry tests: reads or writes keys under
// HKEY_CURRENT_USER in the folder named by POLLENTA_REGISTRY.
//   RegistryProbe read <key>          prints each value as name|type|hex bytes
//   RegistryProbe write <key> <count> creates <key>\k<i> holding "n"=i, one change at a time,
//                                     and prints k<i> once it is written

#include "win/Registry.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

int Read(const char* path)
{
    HKEY key;
    if (LONG error = RegOpenKeyEx(HKEY_CURRENT_USER, path, 0, KEY_READ, &key)) {
        std::printf("error %d\n", error);
        return 1;
    }
    for (DWORD index = 0;; ++index) {
        char name[256];
        DWORD nameSize = sizeof name;
        BYTE data[4096];
        DWORD dataSize = sizeof data;
        DWORD type = 0;
        LONG error = RegEnumValue(key, index, name, &nameSize, nullptr, &type, data, &dataSize);
        if (error == static_cast<LONG>(ERROR_NO_MORE_ITEMS))
            break;
        if (error) {
            std::printf("error %d\n", error);
            return 1;
        }
        std::printf("%s|%u|", name, type);
        for (DWORD i = 0; i < dataSize; ++i)
            std::printf("%02x", data[i]);
        std::printf("\n");
    }
    RegCloseKey(key);
    return 0;
}

int Write(const char* path, int count)
{
    for (int i = 0; i < count; ++i) {
        HKEY key;
        std::string subkey = std::string(path) + "\\k" + std::to_string(i);
        if (LONG error = RegCreateKeyEx(HKEY_CURRENT_USER, subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                        KEY_ALL_ACCESS, nullptr, &key, nullptr)) {
            std::printf("error %d\n", error);
            return 1;
        }
        DWORD number = static_cast<DWORD>(i);
        LONG error = RegSetValueEx(key, "n", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
        RegCloseKey(key);
        if (error) {
            std::printf("error %d\n", error);
            return 1;
        }
        // Acknowledged: the change is on the disk by now.
        std::printf("k%d\n", i);
        std::fflush(stdout);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "read")
        return Read(argv[2]);
    if (argc == 4 && std::string(argv[1]) == "write")
        return Write(argv[2], std::atoi(argv[3]));
    std::fprintf(stderr, "usage: RegistryProbe read <key> | write <key> <count>\n");
    return 2;
}
