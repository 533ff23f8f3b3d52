#include "textprep/pronunciation_tables.h"

#include <algorithm>

#include "base/decimal.h"

namespace vl {

RewriteList::RewriteList(std::vector<Rewrite> entries) : entries_(std::move(entries)) {
    for (size_t i = 0; i < entries_.size(); ++i) {
        const std::u16string& source = entries_[i].source;
        if (source.size() == 1 && single_.find(source[0]) == nullptr) single_.set(source[0], i);
    }
}

SymbolName parse_symbol_value(std::u16string_view value) {
    const size_t colon = value.find(u':');
    if (colon == std::u16string_view::npos) return SymbolName{std::u16string(value), 0};
    std::u16string_view flag = value.substr(colon + 1);
    flag = flag.substr(0, flag.find(u':'));
    return SymbolName{std::u16string(value.substr(0, colon)), parse_decimal(flag)};
}

RewriteList sorted_descending(std::vector<Rewrite> entries) {
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Rewrite& a, const Rewrite& b) { return a.source > b.source; });
    return RewriteList(std::move(entries));
}

}  // namespace vl
