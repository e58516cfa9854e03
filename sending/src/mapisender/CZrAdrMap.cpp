#include "CZrAdrMap.h"

#include "FindRowProp.h"

#include "errors/ZrThrow.h"
#include "mapi/MapiUtil.h"
#include "win/CaseFolding.h"
#include "win/CodePage.h"

#include <memory>

namespace {

struct BufferDeleter {
    void operator()(void* buffer) const { MAPIFreeBuffer(buffer); }
};

std::u16string FoldedKey(const std::string& address)
{
    const int count = MultiByteToWideChar(CP_ACP, 0, address.data(), static_cast<int>(address.size()), nullptr, 0);
    std::u16string wide(static_cast<std::size_t>(count), u'\0');
    MultiByteToWideChar(CP_ACP, 0, address.data(), static_cast<int>(address.size()),
                        reinterpret_cast<LPWSTR>(wide.data()), count);
    for (char16_t& unit : wide)
        if (unit < 0xD800 || unit > 0xDFFF)
            unit = static_cast<char16_t>(FoldCase(unit));
    return wide;
}

// The row's values worth keeping, with a recipient type always among them.
std::unique_ptr<SPropValue, BufferDeleter> KeptValues(const SRow& row, ULONG& count)
{
    LPVOID buffer = nullptr;
    SCODE sc = MAPIAllocateBuffer(static_cast<ULONG>((row.cValues + 1) * sizeof(SPropValue)), &buffer);
    if (FAILED(sc))
        ThrowMapiResult(0xC00022E9, sc, "MAPIAllocateBuffer", ZR_HERE);
    std::unique_ptr<SPropValue, BufferDeleter> values(static_cast<LPSPropValue>(buffer));
    count = 0;
    bool hasType = false;
    for (ULONG i = 0; i < row.cValues; ++i) {
        const SPropValue& value = row.lpProps[i];
        if (PROP_TYPE(value.ulPropTag) == PT_ERROR || value.ulPropTag == PR_ROWID)
            continue;
        sc = PropCopyMore(&values.get()[count], const_cast<LPSPropValue>(&value), MAPIAllocateMore, values.get());
        if (FAILED(sc))
            ThrowMapiResult(0xC00022EB, sc, "PropCopyMore", ZR_HERE);
        hasType = hasType || value.ulPropTag == PR_RECIPIENT_TYPE;
        ++count;
    }
    if (!hasType) {
        values.get()[count].ulPropTag = PR_RECIPIENT_TYPE;
        values.get()[count].Value.l = MAPI_TO;
        ++count;
    }
    return values;
}

}  // namespace

void CZrAdrMap::AddRecip(const SRow& row, const std::string& distListName, bool excluded)
{
    LPSPropValue address = FindRowProp(row, PR_EMAIL_ADDRESS);
    if (!address || !address->Value.lpszA) {
        const char* name = RowText(row.cValues, row.lpProps, PR_DISPLAY_NAME);
        ThrowComponentError(0xC00022D1, *name ? name : "<Unnamed>", ZR_HERE);
    }
    const std::string key = address->Value.lpszA;
    const std::u16string folded = FoldedKey(key);
    auto known = m_nodes.find(folded);
    if (known != m_nodes.end()) {
        if (excluded)
            known->second.entry.m_nSend = 0;
        return;
    }
    ULONG count = 0;
    auto values = KeptValues(row, count);
    CZrAdrMapEntry borrowed;
    borrowed.Borrow(count, values.get(), !excluded, distListName);
    Node node{key, borrowed};
    m_nodes.emplace(folded, std::move(node));
}

const CZrAdrMapEntry* CZrAdrMap::Lookup(const std::string& address) const
{
    auto found = m_nodes.find(FoldedKey(address));
    return found == m_nodes.end() ? nullptr : &found->second.entry;
}
