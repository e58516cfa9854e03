#pragma once
// The dialog resources of the sending windows, in dialog units.

#include "ui/DialogTemplate.h"

inline constexpr UINT IDD_PROGRESS = 201;
inline constexpr UINT IDD_ROLLBACK = 202;
inline constexpr UINT IDD_REPORT = 2063;

// Controls of the progress window.
inline constexpr int IDC_PROGRESS_STATUS = 2021;
inline constexpr int IDC_PROGRESS_BAR = 2011;
inline constexpr int IDC_PROGRESS_LABEL = 5001;
inline constexpr int IDC_PROGRESS_COUNT = 203;
inline constexpr int IDC_ERRORS_TOGGLE = 3;
inline constexpr int IDC_ERRORS_LABEL = 5000;
inline constexpr int IDC_ERRORS_LIST = 2041;

// Controls of the rollback dialog.
inline constexpr int IDC_ROLLBACK_ICON = 1005;
inline constexpr int IDC_ROLLBACK_TERMINATED = 5002;
inline constexpr int IDC_ROLLBACK_COUNT = 209;
inline constexpr int IDC_ROLLBACK_CHOOSE = 5003;
inline constexpr int IDC_ROLLBACK_LEAVE = 2051;
inline constexpr int IDC_ROLLBACK_KEEP = 2061;
inline constexpr int IDC_ROLLBACK_DELETED_ITEMS = 207;
inline constexpr int IDC_ROLLBACK_DELETE = 208;

// Controls of the report window of the second method.
inline constexpr int IDC_REPORT_SAVE = 2064;
inline constexpr int IDC_REPORT_LABEL = 2065;
inline constexpr int IDC_REPORT_LIST = 2041;
inline constexpr int IDC_REPORT_AUTOCLOSE = 2062;

const DialogTemplate& ProgressDialogTemplate();
const DialogTemplate& ReportDialogTemplate();
const DialogTemplate& RollBackDialogTemplate();
