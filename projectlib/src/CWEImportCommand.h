#pragma once
// The command line of a project import (MsaDbRegCL, and the
// CustomActionData of MsaDbRegMSI): switches, project name, database path,
// form name and the "name|type|value|" parameters.

#include "com/ComVariant.h"

#include <string>
#include <vector>

struct CWEImportCommand {
    enum class Silence { Silent, SilentOk, SilentDp };
    struct Parameter {
        std::string name;
        CComVariant value;  // VT_I4, VT_I2, VT_BOOL or VT_BSTR by its type
    };

    Silence silence = Silence::SilentDp;
    std::string projectName;
    std::string database;
    std::string form;
    std::string parameterText;
    std::vector<Parameter> parameters;
    // Whether the parameters make the project a sample project.
    bool isSample = false;
    // False when the text names fewer than a project, a database and a
    // form, or a project name or form name longer than the store takes.
    bool valid = false;

    static CWEImportCommand Parse(const std::string& commandLine);
    // The words of a command line: blanks separate them; a word that begins
    // with a double quote runs to the next lone one, "" inside it standing
    // for one.
    static std::vector<std::string> Words(const std::string& commandLine);
};
