#include "win/Version.h"

#include "ResourceDirectory.h"

VersionResource::VersionResource(DWORD fileVersionMS, DWORD fileVersionLS, const char* block,
                                 std::span<const VersionString> strings)
    : m_fileVersionMS(fileVersionMS), m_fileVersionLS(fileVersionLS), m_block(block), m_strings(strings)
{
    ResourceDirectory::AddVersion(this);
}

VersionResource::~VersionResource() { ResourceDirectory::RemoveVersion(this); }
