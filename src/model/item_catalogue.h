// The statement's items in the order of the item definition file.
#pragma once

#include <cstddef>
#include <vector>

#include "model/statement_item.h"

// Items are held by value: the catalogue owns them, Clear destroys them all;
// a pointer from FindItem stays valid until the catalogue changes.
class ItemCatalogue {
  public:
    // Appends at the end; false (and nothing added) when memory runs out.
    bool Append(const StatementItem& item);
    void Clear() { items_.clear(); }

    // The first item with this number in catalogue order, or null.
    StatementItem* FindItem(int itemNo);
    const StatementItem* FindItem(int itemNo) const;

    std::size_t size() const { return items_.size(); }
    bool empty() const { return items_.empty(); }
    std::vector<StatementItem>::iterator begin() { return items_.begin(); }
    std::vector<StatementItem>::iterator end() { return items_.end(); }
    std::vector<StatementItem>::const_iterator begin() const { return items_.begin(); }
    std::vector<StatementItem>::const_iterator end() const { return items_.end(); }

  private:
    std::vector<StatementItem> items_;
};
