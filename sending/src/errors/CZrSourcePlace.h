#pragma once
// Where in the source an error object was thrown: ZR_HERE at the throw site.

struct CZrSourcePlace {
    const char* file;
    int line;
    const char* function;
};

#define ZR_HERE (CZrSourcePlace{__FILE__, __LINE__, __PRETTY_FUNCTION__})
