#pragma once
// What the transport stamps on a message before it leaves, as the real
// client's transport does: the sender from the profile's identity, the
// submit time and a message id of its own in the sender's domain, each only
// where the message lacks it. A message that cannot leave as it stands (no
// sender to be had, a recipient without an address) is refused, naming why.
//
//     CSenderStamp stamp(profile.m_name, profile.m_identity);
//     std::vector<CPropValue> added = stamp.Apply(content);  // throws CMapiError

#include "MessageContent.h"
#include "Profile.h"

#include <string>
#include <vector>

namespace pollenta::mapi {

class CSenderStamp {
public:
    CSenderStamp(std::string profile, CProfile::Identity identity)
        : m_profile(std::move(profile)), m_identity(std::move(identity))
    {
    }

    // Adds what `content` lacks and returns the values added, for the
    // stored message to keep as well.
    std::vector<CPropValue> Apply(CMessageContent& content) const;

private:
    std::vector<CPropValue> SenderProps(ULONG nameTag, ULONG addressTag, ULONG typeTag, ULONG entryIdTag,
                                        ULONG searchKeyTag) const;

    std::string m_profile;
    CProfile::Identity m_identity;
};

// A new message id, without angle brackets, unique across processes and
// machines: random, in the domain of `senderAddress`.
std::string NewMessageId(const std::string& senderAddress);

}  // namespace pollenta::mapi
