#include "zr/HexPairToByte.h"

namespace {

int DigitValue(char digit)
{
    if (digit >= '0' && digit <= '9')
        return digit - '0';
    if (digit >= 'a' && digit <= 'f')
        return digit - 'a' + 10;
    if (digit >= 'A' && digit <= 'F')
        return digit - 'A' + 10;
    return -1;
}

}  // namespace

BYTE HexPairToByte(const char* text)
{
    if (!text || !text[0] || !text[1])
        return 0;
    const int high = DigitValue(text[0]);
    const int low = DigitValue(text[1]);
    if (high < 0 || low < 0)
        return 0;
    return static_cast<BYTE>(high * 16 + low);
}
