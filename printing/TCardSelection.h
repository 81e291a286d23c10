#pragma once
// Which card positions of a sheet are printed, numbered row by row from the top left
// (entry row x Across + column). The table holds at least the ten positions of every
// predefined stock and grows with the layout, new positions selected, so that sheets with
// more than ten cards can be chosen position by position too.
#include <vector>

class TCardSelection {
  public:
    static constexpr int minimumSize = 10;

    TCardSelection() { selectAllLabels(); }

    // Grows the table to the positions of an across x down sheet; new entries are selected.
    void fitLayout(int across, int down);
    int size() const { return int(flags_.size()); }
    // Positions outside the table are not selected.
    bool isSelected(int index) const;
    void setSelected(int index, bool selected);
    void toggle(int index) { setSelected(index, !isSelected(index)); }
    // Selects every entry of the table.
    void selectAllLabels();
    // Sets or clears the first `count` entries.
    void setFirst(int count, bool selected);
    // True when any of the first `count` entries is selected.
    bool anySelected(int count) const;
    // How many of the first `count` entries are selected.
    int countSelected(int count) const;

    bool operator==(const TCardSelection&) const = default;

  private:
    std::vector<bool> flags_ = std::vector<bool>(minimumSize, true);
};
