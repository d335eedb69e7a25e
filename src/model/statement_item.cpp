#include "model/statement_item.h"

#include <string>

#include "model/record_text.h"

void StatementItem::SetName(const std::string& name) {
    name_ = BoundedRecordText(name, kItemNameBytes);
}

void StatementItem::SetKey(const std::string& key) {
    key_ = BoundedRecordText(key, kItemKeyBytes);
}

// No Shift_JIS trail byte is 0x2D, so a byte search cannot be fooled.
bool StatementItem::IsWrittenToXml() const {
    return key_.find('-') == std::string::npos;
}
