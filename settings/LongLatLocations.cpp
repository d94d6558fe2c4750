// The stored locations: one subkey of the locations key per place, holding its
// coordinate texts.

#include "settings/LongLat.h"
#include "settings/StoreChange.h"
#include "settings/cRegistry.h"

#include "platform/registry/RegistryNames.h"
#include "platform/registry/RegistryTypes.h"

namespace horvane {
namespace {

std::string LocationKey(const std::string& name) {
    return std::string(kLocationsKey) + "\\" + name;
}

cRegistry LocationRegistry(const std::string& name) {
    cRegistry registry;
    registry.ClassKey(kCurrentUser);
    registry.SectionKey(LocationKey(name));
    return registry;
}

} // namespace

// A name that cannot be one key names no location: "" would be the locations key itself
// and "a\b" a key below another location.
bool LongLat::ReadLocation(const std::string& name, std::string& longitudeText,
                           std::string& latitudeText) const {
    if (!IsValidKeyName(name))
        return false;
    cRegistry registry = LocationRegistry(name);
    if (!registry.KeyExists())
        return false;
    registry.ValueKey("Longitude");
    longitudeText = TaggedValueString(registry.Value());
    registry.ValueKey("Latitude");
    latitudeText = TaggedValueString(registry.Value());
    return true;
}

void LongLat::SaveLocation(const std::string& name, const std::string& longitudeText,
                           const std::string& latitudeText) const {
    if (!IsValidKeyName(name))
        throw CreateKeyError(LocationKey(name));
    WriteAsOneChange([&] {
        cRegistry registry = LocationRegistry(name);
        registry.ValueType(REG_SZ);
        registry.ValueKey("Longitude");
        registry.Value(longitudeText);
        registry.ValueKey("Latitude");
        registry.Value(latitudeText);
    });
}

bool LongLat::DeleteLocation(const std::string& name) const {
    if (!IsValidKeyName(name))
        return false;
    cRegistry registry = LocationRegistry(name);
    if (!registry.KeyExists())
        return false;
    registry.DeleteKey();
    return true;
}

void LongLat::FillLocationList(LocationList& list, const std::string& name) const {
    OneBasedNames names;
    std::int32_t count = 0;
    {
        cRegistry registry;
        registry.ClassKey(kCurrentUser);
        registry.SectionKey(kLocationsKey);
        registry.EnumerateSections(names, count);
    }
    list.Clear();
    for (std::int32_t index = 1; index <= count; ++index)
        list.AddItem(names[index]);
    for (int index = 0; index < list.ListCount(); ++index) {
        if (list.List(index) == name) {
            list.SetListIndex(index);
            return;
        }
    }
}

} // namespace horvane
