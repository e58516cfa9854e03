#pragma once
// A project made from a database form by the installer's command line:
// `dllrun Gastrel.so MsaDbRegCL '/SILENT "name" database form parameters'`,
// run in a process of its own. The database is an SQLite file with the
// form's table; the form is the text saved beside it.

#include "RoadPrograms.h"

#include <filesystem>
#include <string>

struct FormProjectRequest {
    std::string name;
    std::filesystem::path database;
    std::string email;
    std::string subject;
};

void MakeProjectFromForm(const FormProjectRequest& request, RoadPrograms& programs);
