// The platform libraries stand in for the system's DLLs: once a process has
// loaded one, it keeps it, also when the module that brought it in is
// unloaded. They and the system libraries under them set up process-wide
// state once, at load or first use, and are not made to be unloaded.

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <string>

namespace {

bool IsLoaded(const std::string& path)
{
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (handle) dlclose(handle);
    return handle != nullptr;
}

TEST(LibraryLifetime, APlatformLibraryStaysLoadedAfterItsLastUserLetsGo)
{
    // None of these is linked by this program; each has a system library
    // under it that keeps what it set up at load (Qt, GraphicsMagick, GMime).
    for (const char* name : {"libpollenta_ui.so", "libpollenta_image.so", "libpollenta_mapi.so"}) {
        SCOPED_TRACE(name);
        const std::string path = std::string(POLLENTA_BIN_DIR) + "/" + name;
        ASSERT_FALSE(IsLoaded(path));
        void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(nullptr, handle) << dlerror();
        dlclose(handle);
        EXPECT_TRUE(IsLoaded(path));
    }
}

}  // namespace
