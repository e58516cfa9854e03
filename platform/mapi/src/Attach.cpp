#include "Attach.h"

namespace pollenta::mapi {

CAttach::CAttach(CMessage* message, ULONG num, CPropMap props, bool writable)
    : TPropObject<IAttachment>({IID_IMAPIProp, IID_IAttachment}), m_message(message), m_num(num), m_writable(writable)
{
    m_props = std::move(props);
    m_message->AddRef();
}

CAttach::~CAttach() { m_message->Release(); }

void CAttach::Save(ULONG) { m_message->StoreAttachment(m_num, m_props); }

bool CAttach::Computed(ULONG propId, CPropValue& value)
{
    if (propId == PROP_ID(PR_ATTACH_NUM)) {
        value = CPropValue::Long(PR_ATTACH_NUM, static_cast<LONG>(m_num));
    } else if (propId == PROP_ID(PR_OBJECT_TYPE)) {
        value = CPropValue::Long(PR_OBJECT_TYPE, MAPI_ATTACH);
    } else if (propId == PROP_ID(PR_ATTACH_SIZE)) {
        auto data = m_props.find(PROP_ID(PR_ATTACH_DATA_BIN));
        value = CPropValue::Long(PR_ATTACH_SIZE, data == m_props.end() ? 0 : static_cast<LONG>(data->second.Bytes().size()));
    } else {
        return false;
    }
    return true;
}

}  // namespace pollenta::mapi
