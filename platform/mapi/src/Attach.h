#pragma once
// An attachment of an open message; saving it hands its properties back to
// the message.

#include "Message.h"
#include "mapi/IAttachment.h"

namespace pollenta::mapi {

class CAttach : public TPropObject<IAttachment> {
public:
    CAttach(CMessage* message, ULONG num, CPropMap props, bool writable);
    ~CAttach() override;

protected:
    void Save(ULONG flags) override;
    bool Computed(ULONG propId, CPropValue& value) override;
    std::vector<ULONG> ComputedTags() override { return {PR_ATTACH_NUM, PR_OBJECT_TYPE, PR_ATTACH_SIZE}; }
    bool Writable() override { return m_writable; }

private:
    CMessage* m_message;
    ULONG m_num;
    bool m_writable;
};

}  // namespace pollenta::mapi
