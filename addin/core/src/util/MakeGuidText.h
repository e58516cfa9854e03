#pragma once
// A new GUID as text: "{8-4-4-4-12}" in upper case, or the same without its
// braces.

#include <string>

std::string MakeGuidText();
std::string MakeGuidTextBare();
