#pragma once
// A stand-in for an Outlook item in tests: it answers QueryInterface for
// _MailItem only when told to be a mail item.

#include "OutlookGuids.h"

#include "com/DispatchImpl.h"
#include "com/UnknownImpl.h"

struct IFakeItem : IDispatch {
protected:
    ~IFakeItem() = default;
};
// {5A1F0C1E-3C2B-4E6A-9D1F-7B2C8E4A6F10}
inline constexpr IID IID_IFakeItem = {0x5A1F0C1E, 0x3C2B, 0x4E6A, {0x9D, 0x1F, 0x7B, 0x2C, 0x8E, 0x4A, 0x6F, 0x10}};
POLLENTA_INTERFACE_IID(IFakeItem, IID_IFakeItem);

class FakeMailItem
    : public pollenta::com::CUnknownImpl<FakeMailItem, pollenta::com::CDispatchImpl<FakeMailItem, IFakeItem>> {
public:
    explicit FakeMailItem(bool isMailItem) : m_isMailItem(isMailItem) {}
    static std::span<const pollenta::com::DispatchMember<FakeMailItem>> DispatchMembers() { return {}; }
    void* QueryInterfaceExtra(REFIID iid)
    {
        return m_isMailItem && iid == IID__MailItem ? static_cast<IFakeItem*>(this) : nullptr;
    }

private:
    bool m_isMailItem;
};
