#pragma once
// Connections are pooled by connection string, as ADO's session pooling
// pools them: closing a connection keeps its database handle open for a
// while, and the next open of the same connection string takes it up again
// instead of opening the file anew, with the statements it prepared and the
// tables it described. A pooled handle sees what other connections and
// processes wrote, tables they changed included, and is never taken up once
// its file has been deleted or replaced on disk. Idle handles close after
// the idle time (60 seconds unless set) and when the process ends.

#include <chrono>

namespace pollenta::ado {
// Not an ADO function: sets how long a closed connection's handle is kept.
// Zero keeps none and closes the idle ones now.
void SetSessionPoolTimeout(std::chrono::milliseconds idle);
}  // namespace pollenta::ado
