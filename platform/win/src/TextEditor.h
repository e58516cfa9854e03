#pragma once
// The user's text editor, where Windows programs start Notepad or use the
// shell's "edit" verb: $VISUAL, else $EDITOR, else the desktop's default
// application for plain text (mimeapps.list and the Exec line of its
// desktop entry).

#include <string>
#include <vector>

// The words of the command that opens the files for editing; empty when no
// editor is known.
std::vector<std::string> TextEditorCommand(const std::vector<std::string>& files);

// Whether a launch names Notepad, which stands for the text editor here.
bool IsNotepad(const std::string& program);
