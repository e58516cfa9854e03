#pragma once
// Mail into a profile's store, whether a host runs on the profile or not:
// each .eml file becomes a message of the Inbox of the default store, or of
// the folder named by its path ("\\Personal Folders\Inbox\Answers").

#include "OutlookApplication.h"

#include <string>
#include <vector>

namespace mailhost {

// 0 when every file was delivered; each failure is reported on stderr.
int DeliverMail(_Application* application, const std::string& folderPath, const std::vector<std::string>& files);

}  // namespace mailhost
