#pragma once
// The RTF body of a message as plain RTF text over the compressed bytes that
// the store keeps in PR_RTF_COMPRESSED.

#include "com/Stream.h"
#include "mapi/MapiFlags.h"

extern "C" {
// `flags` 0: the new stream reads the decompressed RTF (MAPI_E_CORRUPT_DATA
// when the bytes are damaged). MAPI_MODIFY: the new stream starts empty, and
// Commit replaces the contents of `compressed` with what was written, then
// commits `compressed`; with STORE_UNCOMPRESSED_RTF as well the text is
// stored in the uncompressed form. The new stream holds a reference to
// `compressed`.
HRESULT WrapCompressedRTFStream(IStream* compressed, ULONG flags, IStream** uncompressed);
}
