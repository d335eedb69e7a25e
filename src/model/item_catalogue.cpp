#include "model/item_catalogue.h"

#include <new>

#include "model/statement_item.h"

bool ItemCatalogue::Append(const StatementItem& item) {
    try {
        items_.push_back(item);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

StatementItem* ItemCatalogue::FindItem(int itemNo) {
    for (StatementItem& item : items_) {
        if (item.itemNo == itemNo) return &item;
    }
    return nullptr;
}

const StatementItem* ItemCatalogue::FindItem(int itemNo) const {
    return const_cast<ItemCatalogue*>(this)->FindItem(itemNo);
}
