#pragma once
// The names the fields are given as columns of the answer table. Databases
// tell column names apart without regard to case, so "Email" and "email"
// cannot both be columns; a column needs a name.

#include "wizard/CWEField.h"

#include <vector>

// Throws WE_E_EMPTY_FIELD_NAME (with the field's name on the page) for a
// field whose name is empty or blank, and WE_E_NAMES_DIFFER_IN_CASE (with
// both names) for two fields whose names differ at most in case.
void RequireDistinctColumnNames(const std::vector<CWEField>& fields);
