#pragma once
// The life of the Torvane module in its host process: what it sets up when
// it is loaded and releases when it is unloaded.

#include <string>

class CTorvaneModule {
public:
    CTorvaneModule();

    // The module's own file and its folder.
    const std::string& ModulePath() const { return m_strModulePath; }
    const std::string& ModuleFolder() const { return m_strModuleFolder; }

private:
    void InitInstance();

    std::string m_strModulePath;
    std::string m_strModuleFolder;
};

// The one module object, made when the module is loaded.
CTorvaneModule& TorvaneModule();
