#pragma once
// Which threads have entered COM, and when the last one leaves.

namespace pollenta::com {

bool IsThreadInitialized();

}  // namespace pollenta::com
