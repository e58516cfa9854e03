#include "FileTime.h"

#include <chrono>

namespace pollenta::mapi {

LONGLONG NowFileTime()
{
    auto since = std::chrono::system_clock::now().time_since_epoch();
    return kUnixEpochTicks + std::chrono::duration_cast<std::chrono::microseconds>(since).count() * 10;
}

}  // namespace pollenta::mapi
