#include "Registration.h"

void RegisterTheSystem(const RoadFolders& folders, RoadPrograms& programs)
{
    programs.Run({"/bin/bash", std::string(POLLENTA_SOURCE_DIR) + "/scripts/register", POLLENTA_BIN_DIR});
    const std::string product = "HKCU\\Software\\Velquin Ltd\\Pollenta";
    programs.Run({"reg", "add", product, "/v", "DataDir", "/t", "REG_SZ", "/d", folders.Projects().string(), "/f"});
    programs.Run({"reg", "add", product, "/v", "LogFolderPath", "/t", "REG_SZ", "/d", folders.Logs().string(), "/f"});
    programs.Run(
        {"mailhost", "create-profile", RoadFolders::kProfile, "--address", "mia@example.org", "--name", "Mia Sender"});
}
