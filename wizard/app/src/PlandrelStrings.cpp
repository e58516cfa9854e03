// The texts of the wizard's pages. They join the engine's table under the
// program's module, so the engine's lookup finds both; referring to
// PlandrelString keeps this table in the program.

#include "PlandrelStrings.h"

#include "PlandrelIds.h"
#include "WizardResources.h"

#include "win/Resources.h"

namespace {

const StringResource kStrings[] = {
    {IDS_HTML_FILTER, "HTML Files#*.htm;*.html##"},
    {IDS_GRID_FIELD, "Field"},
    {IDS_GRID_TYPE, "Type"},
    {IDS_GRID_SIZE, "Size"},
    {IDS_TABLE_EXISTS, "The table named \"%s\" already exists.\n\n Show the list of existing tables?"},
    {IDS_CHECK_OK, "Check OK."},
    {IDS_SQL_BACK_WARNING,
     "Warning!\n\nAll the changes to the SQL-request for table creation will be lost if you return to the previous "
     "step of the Wizard.\n\nSwitch to the next page of the Wizard?"},
    {IDS_HEADER_SOURCE, "The initial HTML-page for Pollenta project creation"},
    {IDS_HEADER_IDENTITY, "The general properties of the Pollenta project"},
    {IDS_HEADER_MARKS, "Mark for answer messages processed by Pollenta"},
    {IDS_HEADER_OPTIONS, "Additional setting for Pollenta project creation"},
    {IDS_HEADER_DATABASE, "Link Pollenta project with database"},
    {IDS_HEADER_FIELDS, "Survey field editing"},
    {IDS_HEADER_CREATE, "Proceeding to the final phase of Pollenta project creation"},
    {IDS_HEADER_ERRORS, "Errors in Pollenta project creation"},
    {IDS_HEADER_CHECK, "Errors of the preliminary check of the HTML-page"},
    {IDS_QUERY_CANCEL, "Are you sure you want to exit the Wizard and terminate the new project creation?"},
    {IDS_SUPPORT_ADDRESS, "support@velquin.example"},
    {IDS_HELP_FILE, "Pollenta.chm"},
};

const ResourceTables kTables(kStrings);

}  // namespace

std::string PlandrelString(UINT id) { return LoadWizardString(id); }
