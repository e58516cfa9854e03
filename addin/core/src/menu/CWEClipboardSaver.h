#pragma once
// Keeps the user's clipboard while the button faces travel through it:
// Save copies every format and empties the clipboard, Restore puts them
// back. When Save fails (another program holds the clipboard) nothing was
// taken, and the faces must leave the clipboard alone too.
//
//     CWEClipboardSaver saver;
//     const bool faces = saver.Save();
//     ... PasteButtonFace(...) only when `faces` ...
//     if (faces) saver.Restore();

#include "win/Types.h"

#include <string>
#include <vector>

class CWEClipboardSaver {
public:
    BOOL Save();
    // TRUE without touching the clipboard when nothing was saved; FALSE
    // (the records kept) when the clipboard cannot be opened.
    BOOL Restore();

private:
    struct SavedFormat {
        UINT format = 0;
        std::vector<BYTE> data;
        std::string name;  // empty for standard formats
    };
    std::vector<SavedFormat> m_formats;
};
