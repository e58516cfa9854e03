#include "RegistryChange.h"

namespace {

const RegistryNode* Find(const RegistryNode& root, const std::vector<std::string>& path)
{
    const RegistryNode* node = &root;
    for (const std::string& name : path)
        if (!(node = node->FindSubkey(name)))
            return nullptr;
    return node;
}

} // namespace

bool RegistryChange::ChangesAnything(const RegistryNode& root) const
{
    const RegistryNode* key = Find(root, path);
    switch (kind) {
    case Kind::CreateKey:
        return key == nullptr;
    case Kind::SetValue: {
        if (!key)
            return true;
        const RegistryValue* held = key->FindValue(value.name);
        return !held || held->type != value.type || held->data != value.data;
    }
    case Kind::DeleteValue:
        return key && key->FindValue(value.name);
    case Kind::DeleteSubkey:
        return key && key->FindSubkey(value.name);
    case Kind::ClearKey:
        return key && (!key->Values().empty() || !key->Subkeys().empty());
    }
    return false;
}

bool RegistryChange::ApplyTo(RegistryNode& root) const
{
    // A value is set where its key is: when another thread's group made the
    // key and is not written yet, the value's record reaches the journal
    // before the key's does.
    const bool makesPath = kind == Kind::CreateKey || kind == Kind::SetValue;
    RegistryNode* key = &root;
    for (const std::string& name : path) {
        key = makesPath ? key->AddSubkey(name).first : key->FindSubkey(name);
        if (!key)
            return false;
    }
    switch (kind) {
    case Kind::CreateKey:
        break;
    case Kind::SetValue:
        key->SetValue(value.name, value.type, value.data);
        break;
    case Kind::DeleteValue:
        key->RemoveValue(value.name);
        break;
    case Kind::DeleteSubkey:
        key->RemoveSubkey(value.name);
        break;
    case Kind::ClearKey:
        key->Clear();
        break;
    }
    return true;
}
