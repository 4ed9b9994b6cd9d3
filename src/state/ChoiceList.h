#pragma once
// A list of choices shown in a combo box or list, with its selection (-1: none).
#include <string>
#include <vector>

struct TChoiceList {
    std::vector<std::string> Items;
    int Selected = -1;

    void Clear() {
        Items.clear();
        Selected = -1;
    }
    void Add(const std::string& item) { Items.push_back(item); }
    int Count() const { return static_cast<int>(Items.size()); }
};
