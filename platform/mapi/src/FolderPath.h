#pragma once
// A folder found by its display path, "\\Store\\Inbox\\Answers": the store
// by its display name, then each folder by name below the store's top of
// folders, names compared without regard to case, as the client's folder
// lists find them.

#include "Profile.h"
#include "StoreFile.h"

#include <memory>
#include <optional>
#include <string>

namespace pollenta::mapi {

class CFolderPath {
public:
    struct Found {
        std::shared_ptr<CStoreFile> store;
        LONGLONG folder = 0;
    };
    // Nothing when no store of the profile or no folder has that path.
    static std::optional<Found> Find(const std::vector<CProfile::Store>& stores, const std::string& path);
};

}  // namespace pollenta::mapi
