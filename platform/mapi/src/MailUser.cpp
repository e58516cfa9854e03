#include "MailUser.h"

namespace pollenta::mapi {

CMailUser::CMailUser(std::shared_ptr<CAddressBookFile> book, LONGLONG id, CPropMap props)
    : TPropObject<IMailUser>({IID_IMAPIProp, IID_IMailUser}), m_book(std::move(book)), m_id(id)
{
    FixProps(std::move(props), {PR_ENTRYID, PR_INSTANCE_KEY, PR_RECORD_KEY, PR_OBJECT_TYPE, PR_DISPLAY_TYPE, PR_SEARCH_KEY});
}

void CMailUser::Save(ULONG)
{
    if (!m_id) throw CMapiError(MAPI_E_NO_SUPPORT, "A one-off address cannot be saved");
    m_book->SaveProps(m_id, m_props);
}

}  // namespace pollenta::mapi
