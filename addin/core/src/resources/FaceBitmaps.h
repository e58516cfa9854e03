#pragma once
// The pictures of the add-in's buttons, as the bytes of 16 x 16 .bmp files:
// 203 home page, 204 help, 205 create survey, 210 send survey, 212 view
// logs. Empty for any other id.

#include "win/Types.h"

#include <vector>

inline constexpr UINT IDB_HOME_PAGE = 203;
inline constexpr UINT IDB_HELP = 204;
inline constexpr UINT IDB_CREATE_SURVEY = 205;
inline constexpr UINT IDB_SEND_SURVEY = 210;
inline constexpr UINT IDB_VIEW_LOGS = 212;

std::vector<BYTE> FaceBitmap(UINT id);
