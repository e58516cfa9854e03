#pragma once
// The text of one of the registry's files as a person would read it, with
// every change made so far in it: the journal beside the file is folded in
// first. For tests that look at what the registry holds on the disk.
//
//   const std::string text = pollenta::testsupport::RegistryFileText(registry.Path());

#include <filesystem>
#include <string>

namespace pollenta::testsupport {

// file: "HKEY_CURRENT_USER.reg" or "HKEY_LOCAL_MACHINE.reg" of the
// process's registry folder.
std::string RegistryFileText(const std::filesystem::path& folder, const char* file = "HKEY_CURRENT_USER.reg");

}  // namespace pollenta::testsupport
