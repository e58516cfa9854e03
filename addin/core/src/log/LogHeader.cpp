#include "log/LogHeader.h"

#include "resources/KestrinResources.h"

#include <cstdio>

std::string LogHeader(const SYSTEMTIME& localTime)
{
    char date[32];
    std::snprintf(date, sizeof date, "%04u-%02u-%02u %02u:%02u:%02u", static_cast<unsigned>(localTime.wYear),
                  static_cast<unsigned>(localTime.wMonth), static_cast<unsigned>(localTime.wDay),
                  static_cast<unsigned>(localTime.wHour), static_cast<unsigned>(localTime.wMinute),
                  static_cast<unsigned>(localTime.wSecond));
    return "#Software: " + KestrinVersionString("ProductName").value_or("") + " " +
           KestrinVersionString("FileVersion").value_or("") + "\r\n" +
           "#Version: " + KestrinVersionString("ProductVersion").value_or("") + "\r\n" + "#Date: " + date + "\r\n" +
           "#Fields: " + KestrinString(IDS_LOG_FIELDS) + "\r\n";
}
