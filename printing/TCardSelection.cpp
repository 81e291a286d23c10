#include "TCardSelection.h"

#include <algorithm>

void TCardSelection::fitLayout(int across, int down) {
    const long long wanted = std::max(1LL, (long long)std::max(across, 1) * std::max(down, 1));
    if (wanted > size()) flags_.resize(size_t(wanted), true);
}

bool TCardSelection::isSelected(int index) const {
    return index >= 0 && index < size() && flags_[size_t(index)];
}

void TCardSelection::setSelected(int index, bool selected) {
    if (index >= 0 && index < size()) flags_[size_t(index)] = selected;
}

void TCardSelection::selectAllLabels() {
    std::fill(flags_.begin(), flags_.end(), true);
}

void TCardSelection::setFirst(int count, bool selected) {
    std::fill_n(flags_.begin(), std::clamp(count, 0, size()), selected);
}

bool TCardSelection::anySelected(int count) const {
    return countSelected(count) > 0;
}

int TCardSelection::countSelected(int count) const {
    const int n = std::clamp(count, 0, size());
    return int(std::count(flags_.begin(), flags_.begin() + n, true));
}
