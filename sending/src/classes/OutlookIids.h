#pragma once
// The Outlook object-model interface the component accepts as its item.

#include "com/Guid.h"

// _MailItem {00063034-0000-0000-C000-000000000046}
inline constexpr IID IID__MailItem = {0x00063034, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
