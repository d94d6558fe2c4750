#pragma once
// The list that FillLocationList fills: the Change Location dialog's combo box, or any
// other list with the same few operations.

#include <string>
#include <vector>

namespace horvane {

class LocationList {
public:
    virtual ~LocationList() = default;
    virtual void Clear() = 0;
    virtual void AddItem(const std::string& name) = 0;
    virtual int ListCount() const = 0;
    virtual std::string List(int index) const = 0;
    // -1 leaves the list without a selection.
    virtual void SetListIndex(int index) = 0;
};

// A list kept in memory, for callers without a window.
class NameList : public LocationList {
public:
    void Clear() override {
        names.clear();
        listIndex = -1;
    }
    void AddItem(const std::string& name) override { names.push_back(name); }
    int ListCount() const override { return int(names.size()); }
    std::string List(int index) const override { return names.at(std::size_t(index)); }
    void SetListIndex(int index) override { listIndex = index; }

    std::vector<std::string> names;
    int listIndex = -1;
};

} // namespace horvane
