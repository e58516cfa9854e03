#include "RegistryNode.h"

#include "Utf8.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <locale.h>

namespace {

char32_t Fold(char32_t code)
{
    if (code < 0x80 || code >= 0x110000)
        return (code >= 'a' && code <= 'z') ? code - 'a' + 'A' : code;
    static const locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    return utf8 ? static_cast<char32_t>(towupper_l(static_cast<wint_t>(code), utf8)) : code;
}

} // namespace

RegistryNode::RegistryNode(const RegistryNode& other) : m_name(other.m_name), m_values(other.m_values)
{
    for (const auto& subkey : other.m_subkeys)
        m_subkeys.push_back(std::make_unique<RegistryNode>(*subkey));
}

bool RegistryNode::SameName(std::string_view a, std::string_view b)
{
    size_t i = 0;
    size_t j = 0;
    while (i < a.size() && j < b.size()) {
        char32_t left, right;
        // A stray byte only ever matches the same stray byte.
        if (!Utf8::Next(a, i, left))
            left |= 0x80000000u;
        if (!Utf8::Next(b, j, right))
            right |= 0x80000000u;
        if (Fold(left) != Fold(right))
            return false;
    }
    return i == a.size() && j == b.size();
}

RegistryNode* RegistryNode::FindSubkey(std::string_view name) const
{
    for (const auto& subkey : m_subkeys)
        if (SameName(subkey->m_name, name))
            return subkey.get();
    return nullptr;
}

std::pair<RegistryNode*, bool> RegistryNode::AddSubkey(std::string_view name)
{
    if (RegistryNode* existing = FindSubkey(name))
        return {existing, false};
    m_subkeys.push_back(std::make_unique<RegistryNode>(std::string(name)));
    return {m_subkeys.back().get(), true};
}

bool RegistryNode::RemoveSubkey(std::string_view name)
{
    auto found = std::find_if(m_subkeys.begin(), m_subkeys.end(),
                              [&](const auto& subkey) { return SameName(subkey->m_name, name); });
    if (found == m_subkeys.end())
        return false;
    m_subkeys.erase(found);
    return true;
}

void RegistryNode::Clear()
{
    m_values.clear();
    m_subkeys.clear();
}

const RegistryValue* RegistryNode::FindValue(std::string_view name) const
{
    for (const auto& value : m_values)
        if (SameName(value.name, name))
            return &value;
    return nullptr;
}

void RegistryNode::SetValue(std::string_view name, DWORD type, std::vector<BYTE> data)
{
    for (auto& value : m_values) {
        if (SameName(value.name, name)) {
            value.type = type;
            value.data = std::move(data);
            return;
        }
    }
    m_values.push_back(RegistryValue{std::string(name), type, std::move(data)});
}

bool RegistryNode::RemoveValue(std::string_view name)
{
    auto found = std::find_if(m_values.begin(), m_values.end(), [&](const auto& value) { return SameName(value.name, name); });
    if (found == m_values.end())
        return false;
    m_values.erase(found);
    return true;
}
