#pragma once
// A list of names numbered from 1, as the registry enumerations hand them out.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace horvane {

class OneBasedNames {
public:
    void Clear() { names_.clear(); }
    void Append(std::string name) { names_.push_back(std::move(name)); }
    std::int32_t Count() const { return static_cast<std::int32_t>(names_.size()); }

    // Index 1 to Count(); any other index throws std::out_of_range.
    const std::string& operator[](std::int32_t index) const {
        if (index < 1 || index > Count())
            throw std::out_of_range("name index out of range");
        return names_[std::size_t(index - 1)];
    }

    auto begin() const { return names_.begin(); }
    auto end() const { return names_.end(); }

private:
    std::vector<std::string> names_;
};

} // namespace horvane
