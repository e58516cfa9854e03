#pragma once
// Dialog, control and string texts of the wizard's database dialogs.

#include "win/Types.h"

inline constexpr UINT IDD_WE_TABLES = 131;
inline constexpr UINT IDD_WE_SQLEDIT = 132;

inline constexpr int IDC_WE_DELETE = 3;
inline constexpr int IDC_WE_TABLES = 1017;
inline constexpr int IDC_WE_SQL = 1018;
inline constexpr int IDC_WE_RESTORE = 1025;
inline constexpr int IDC_WE_CHECKSQL = 1026;

inline constexpr char WE_CAPTION[] = "Pollenta Project Generator";
