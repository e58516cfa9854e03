#pragma once
// The references of a survey page's tags to the files of its folder, and
// the page with each of them rewritten to "cid:" and the file's content id.
//
//     std::vector<PageReference> references = FindPageReferences(page, files);
//     std::string body = RewritePage(page, files, references);   // marks the unreferenced files
//
// A name counts inside a tag (between "<" and the next ">") only where a
// delimiter stands before it ("(", "'", "=", a double quote, a blank or the
// tag's start) and after it (")", "'", ",", ";", ":", ">", a double quote,
// a blank or the tag's end), compared without regard to case; per file and
// tag only its first occurrence counts. Overlapping matches ("my pic.gif"
// and "pic.gif") keep the one that starts first, the longer at the same
// place; of files whose names differ only in case, the one named exactly as
// the page writes it wins, else the first of the list.

#include "survey/CWEPageFile.h"

#include <cstddef>
#include <string>
#include <vector>

struct PageReference {
    std::size_t file = 0;      // index into the file list
    std::size_t position = 0;  // byte offset in the page
    std::size_t length = 0;    // bytes of the name as the page writes it
};

// In page order, never overlapping.
std::vector<PageReference> FindPageReferences(const std::string& page, const std::vector<CWEPageFile>& files);
std::string RewritePage(const std::string& page, std::vector<CWEPageFile>& files,
                        const std::vector<PageReference>& references);
