// MAPI memory: every block carries a header that links the blocks allocated
// "more" onto it, so that freeing the first block frees the whole chain.

#include "mapi/MapiUtil.h"

#include <cstdlib>
#include <cstring>
#include <mutex>

namespace {

constexpr DWORD kBlockMagic = 0x4D415049;  // marks a live block
constexpr DWORD kFreedMagic = 0x46524545;

struct alignas(16) BlockHeader {
    DWORD magic;
    BlockHeader* root;       // the block MAPIFreeBuffer is called on
    BlockHeader* nextChild;  // chain of blocks hanging on the root
};

std::mutex g_chainLock;

BlockHeader* HeaderOf(LPVOID block) { return static_cast<BlockHeader*>(block) - 1; }

BlockHeader* NewBlock(ULONG size)
{
    auto* header = static_cast<BlockHeader*>(std::calloc(1, sizeof(BlockHeader) + (size ? size : 1)));
    if (header) header->magic = kBlockMagic;
    return header;
}

}  // namespace

extern "C" SCODE MAPIAllocateBuffer(ULONG cbSize, LPVOID* lppBuffer)
{
    if (!lppBuffer) return MAPI_E_INVALID_PARAMETER;
    *lppBuffer = nullptr;
    BlockHeader* header = NewBlock(cbSize);
    if (!header) return MAPI_E_NOT_ENOUGH_MEMORY;
    header->root = header;
    *lppBuffer = header + 1;
    return S_OK;
}

extern "C" SCODE MAPIAllocateMore(ULONG cbSize, LPVOID lpObject, LPVOID* lppBuffer)
{
    if (!lppBuffer) return MAPI_E_INVALID_PARAMETER;
    *lppBuffer = nullptr;
    if (!lpObject || HeaderOf(lpObject)->magic != kBlockMagic) return MAPI_E_INVALID_PARAMETER;
    BlockHeader* header = NewBlock(cbSize);
    if (!header) return MAPI_E_NOT_ENOUGH_MEMORY;
    std::lock_guard lock(g_chainLock);
    BlockHeader* root = HeaderOf(lpObject)->root;
    header->root = root;
    header->nextChild = root->nextChild;
    root->nextChild = header;
    *lppBuffer = header + 1;
    return S_OK;
}

extern "C" ULONG MAPIFreeBuffer(LPVOID lpBuffer)
{
    if (!lpBuffer) return S_OK;
    BlockHeader* header = HeaderOf(lpBuffer);
    // A block freed twice or one that never came from here is refused
    // rather than handed to free().
    if (header->magic != kBlockMagic || header->root != header) return static_cast<ULONG>(MAPI_E_INVALID_PARAMETER);
    BlockHeader* child = nullptr;
    {
        std::lock_guard lock(g_chainLock);
        child = header->nextChild;
        header->nextChild = nullptr;
    }
    while (child) {
        BlockHeader* next = child->nextChild;
        child->magic = kFreedMagic;
        std::free(child);
        child = next;
    }
    header->magic = kFreedMagic;
    std::free(header);
    return S_OK;
}
