#include "CWEImportReport.h"

#include "CWEImportCommand.h"
#include "CWEProjectImport.h"
#include "GastrelStrings.h"

#include "ui/MessageBox.h"
#include "win/CodePage.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

using namespace gastrel;

namespace {

// Our own format texts with the values as arguments, into a string as long
// as it needs to be.
std::string Formatted(UINT id, ...)
{
    const std::string format = LoadGastrelString(id);
    va_list args;
    va_start(args, id);
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(nullptr, 0, format.c_str(), args);
    va_end(args);
    std::vector<char> text(length > 0 ? length + 1 : 1);
    std::vsnprintf(text.data(), text.size(), format.c_str(), again);
    va_end(again);
    return text.data();
}

std::string OrEmpty(const std::string& text) { return text.empty() ? LoadGastrelString(IDS_EMPTY_TEXT) : text; }

std::string Details(const CWEImportCommand& command)
{
    return Formatted(IDS_IMPORT_DETAILS, OrEmpty(command.projectName).c_str(), OrEmpty(command.database).c_str(),
                     OrEmpty(command.form).c_str(), OrEmpty(command.parameterText).c_str());
}

std::string ResultMessage(const CWEProjectImport::Outcome& outcome)
{
    const auto hr = static_cast<unsigned>(outcome.hr);
    if (outcome.result < CWEProjectImport::kInvalidCommandLine || outcome.result > CWEProjectImport::kNotFinalized)
        return Formatted(IDS_IMPORT_UNKNOWN_RESULT, hr);
    return Formatted(IDS_IMPORT_RESULT_BASE + outcome.result, hr);
}

bool ShouldTell(const CWEImportCommand& command, LONG result)
{
    switch (command.silence) {
    case CWEImportCommand::Silence::Silent:
        return false;
    case CWEImportCommand::Silence::SilentOk:
        return result != 0;
    default:
        return result != 0 && !(result == CWEProjectImport::kProjectExists && command.isSample);
    }
}

// The text that tells how the import went, and the box it is shown in.
std::string Message(const CWEImportCommand& command, const CWEProjectImport::Outcome& outcome, UINT& type)
{
    std::string text;
    const std::string warnings =
        outcome.warnings ? "\r\n\r\n" + Formatted(IDS_IMPORT_WARNING_COUNT, static_cast<int>(outcome.warnings)) : "";
    if (outcome.result == CWEProjectImport::kInvalidCommandLine) {
        text = LoadGastrelString(IDS_IMPORT_USAGE) + "\r\n\r\n" + Details(command);
        type = MB_OK | MB_ICONERROR;
    } else if (outcome.result > 0) {
        text = ResultMessage(outcome) + warnings + "\r\n\r\n" + Details(command);
        type = MB_ABORTRETRYIGNORE | MB_ICONERROR;
    } else {
        text = Formatted(IDS_IMPORT_DONE, command.projectName.c_str()) +
               (outcome.warnings ? warnings + "\r\n\r\n" + Details(command) : "");
        type = MB_OK | MB_ICONINFORMATION;
    }
    return text + Formatted(IDS_RESULT_CODE, static_cast<int>(outcome.result));
}

int Tell(const CWEImportCommand& command, const CWEProjectImport::Outcome& outcome)
{
    UINT type = MB_OK;
    const std::string text = Message(command, outcome, type);
    return MessageBox(nullptr, text.c_str(), LoadGastrelString(IDS_INSTALLATION_CAPTION).c_str(), type);
}

// A silent import shows nothing; a script that ran it reads this instead.
void TellStandardError(const CWEImportCommand& command, const CWEProjectImport::Outcome& outcome)
{
    UINT type = MB_OK;
    const std::string line = Recode(LoadGastrelString(IDS_INSTALLATION_CAPTION), CP_ACP, CP_UTF8) + ": " +
                             Recode(Message(command, outcome, type), CP_ACP, CP_UTF8) + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

}  // namespace

CWEImportReport::Result CWEImportReport::ImportWithReport(const std::string& commandLine)
{
    const CWEImportCommand command = CWEImportCommand::Parse(commandLine);
    while (true) {
        const CWEProjectImport::Outcome outcome = CWEProjectImport::Run(command);
        if (command.silence == CWEImportCommand::Silence::Silent) {
            TellStandardError(command, outcome);
            return {0, outcome.result};
        }
        if (!ShouldTell(command, outcome.result))
            return {outcome.result, outcome.result};
        const int answer = Tell(command, outcome);
        if (answer == IDRETRY)
            continue;
        const LONG result = answer == IDIGNORE ? 0 : outcome.result;
        return {result, result};
    }
}
