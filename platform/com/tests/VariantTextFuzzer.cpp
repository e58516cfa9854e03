// Feeds arbitrary text to the conversions that read numbers, dates and
// decimals out of a BSTR, and writes every result back as text, in the
// user's locales whose forms differ: the first byte chooses one.

#include "com/ComVariant.h"
#include "com/OleDate.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static constexpr const char* kLocales[] = {"C", "de_DE.UTF-8", "ru_RU.UTF-8", "en_US.UTF-8"};
    setenv("LC_ALL", kLocales[size > 0 ? data[0] % 4 : 0], 1);
    CComVariant text(std::string(reinterpret_cast<const char*>(data), size));
    static constexpr VARTYPE kTargets[] = {VT_I1, VT_I2,   VT_I4,   VT_I8,  VT_UI1,  VT_UI2, VT_UI4,
                                           VT_UI8, VT_R4, VT_R8,   VT_CY,  VT_DATE, VT_BOOL, VT_DECIMAL};
    for (VARTYPE vt : kTargets) {
        CComVariant converted;
        if (SUCCEEDED(VariantChangeType(&converted, &text, 0, vt))) {
            CComVariant back;
            VariantChangeType(&back, &converted, 0, VT_BSTR);
        }
    }
    DATE date = 0;
    VarDateFromStr(text.bstrVal, 0, 0, &date);
    return 0;
}
