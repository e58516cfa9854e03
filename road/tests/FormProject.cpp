#include "FormProject.h"

#include "RoadFailure.h"
#include "SavedForm.h"

#include <sqlite3.h>

namespace {

void MakeDatabase(const std::filesystem::path& path)
{
    std::filesystem::create_directories(path.parent_path());
    sqlite3* db = nullptr;
    int rc = sqlite3_open(path.c_str(), &db);
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(db,
                          "CREATE TABLE Feedback (ID INTEGER PRIMARY KEY AUTOINCREMENT, Town VARCHAR(50), "
                          "Remarks VARCHAR(255), RecipientEmail VARCHAR(50), SenderEmail VARCHAR(50))",
                          nullptr, nullptr, nullptr);
    sqlite3_close(db);
    Require(rc == SQLITE_OK, "cannot make the database " + path.string());
}

}  // namespace

void MakeProjectFromForm(const FormProjectRequest& request, RoadPrograms& programs)
{
    MakeDatabase(request.database);
    WriteSavedForm(request.database, "Feedback");
    // The parameters are one word, quoted for the blanks in their values.
    const std::string line = "/SILENT \"" + request.name + "\" " + request.database.string() +
                             " Feedback \"Email|text|" + request.email + "|Subject|text|" + request.subject +
                             "|CollectRecipients|int|1|CollectSenders|int|1|\"";
    programs.Run({"dllrun", std::string(POLLENTA_BIN_DIR) + "/Gastrel.so", "MsaDbRegCL", line});
}
