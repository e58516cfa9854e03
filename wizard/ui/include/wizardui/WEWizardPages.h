#pragma once
// The eleven pages of the project wizard in the sheet's order: each page's
// dialog and the title its header band shows (none for the welcome and
// finish pages, which hide the band), and the layouts of their dialogs.

#include "win/Types.h"

#include <array>

struct WEWizardPageInfo {
    UINT dialog;
    const char* headerTitle; // null: the page hides the header band
};

inline constexpr std::array<WEWizardPageInfo, 11> kWizardPages = {{
    {104, nullptr},
    {103, "The initial HTML-page for Pollenta project creation"},
    {105, "Errors of the preliminary check of the HTML-page"},
    {110, "The general properties of the Pollenta project"},
    {114, "Mark for answer messages processed by Pollenta"},
    {106, "Additional setting for Pollenta project creation"},
    {107, "Link Pollenta project with database"},
    {112, "Survey field editing"},
    {108, "Proceeding to the final phase of Pollenta project creation"},
    {111, "Errors in Pollenta project creation"},
    {109, nullptr},
}};

// Registers the eleven page layouts under the module that shows them.
void RegisterWizardPageTemplates(HINSTANCE module);
