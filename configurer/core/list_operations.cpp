#include "configurer/core/list_operations.h"

#include <algorithm>
#include <string>

#include "base/lowercase.h"
#include "configurer/core/field_check.h"
#include "configurer/core/text_expand.h"
#include "configurer/core/texts.h"
#include "textprep/user_dictionary.h"

namespace vl {
namespace {

// The empty-field checks both dialogs make first. True when both are filled.
bool both_filled(std::u16string_view source, std::u16string_view replacement, UserInterface& ui) {
    if (source.empty()) {
        show_error(ui, texts::kSourceMissing);
        return false;
    }
    if (replacement.empty()) {
        show_error(ui, texts::kReplacementMissing);
        return false;
    }
    return true;
}

// True when the field holds no character its rule refuses; else names the first one.
bool valid_field(ListKind kind, Field field, std::u16string_view text, std::u16string_view message,
                 const Language& language, UserInterface& ui) {
    const std::size_t position = field_error_position(kind, field, text, language);
    if (position == 0) return true;
    const std::u16string offending(1, text[position - 1]);
    ui.message_box({expand_text(texts::kErrorTitle), substitute_placeholders(message, {{u"%char%", offending}}),
                    MessageKind::error});
    return false;
}

template <typename Entry>
void append(EntryList<Entry>& list, Entry entry) {
    list.entries.push_back(std::move(entry));
    list.current = list.entries.size() - 1;
}

template <typename Entry>
void remove_current(EntryList<Entry>& list) {
    const std::size_t index = *list.current;
    list.entries.erase(list.entries.begin() + static_cast<std::ptrdiff_t>(index));
    list.current = index == 0 ? std::nullopt : std::optional<std::size_t>(index - 1);
}

// A duplicate of another element (is_duplicate) is refused: adding closes the
// dialog unchanged; editing keeps it open, since the settings file would keep
// one line of the two. Otherwise the entry is appended (add) or replaces the
// current one (edit).
template <typename Entry, typename IsDuplicate>
DialogOutcome store_entry(ConfigurerState& state, EntryList<Entry>& list, DialogVariant variant, Entry entry,
                          IsDuplicate is_duplicate, UserInterface& ui) {
    const bool editing = variant == DialogVariant::edit;
    if (editing && !list.has_current()) return DialogOutcome::closed_unchanged;
    for (std::size_t i = 0; i < list.entries.size(); ++i) {
        if (editing && i == *list.current) continue;
        if (!is_duplicate(list.entries[i])) continue;
        show_error(ui, texts::kDuplicateEntry);
        return editing ? DialogOutcome::stays_open : DialogOutcome::closed_unchanged;
    }
    if (editing) {
        list.entries[*list.current] = std::move(entry);
    } else {
        append(list, std::move(entry));
    }
    state.modified = true;
    return DialogOutcome::closed_changed;
}

// The checks every stored entry passes, in the dialogs' order: both fields
// filled, then no character the field's rule refuses or its file cannot hold.
bool storable_fields(const ConfigurerState& state, ListKind kind, std::u16string_view source,
                     std::u16string_view replacement, UserInterface& ui) {
    const Language& language = kLanguages[state.language];
    return both_filled(source, replacement, ui) &&
           valid_field(kind, Field::source, source, texts::kInvalidSource, language, ui) &&
           valid_field(kind, Field::replacement, replacement, texts::kInvalidReplacement, language, ui);
}

// Two sources are the same when they are after lower-casing, every form of
// the apostrophe counting as one (the engine finds one entry for both).
bool same_source(std::u16string_view a, std::u16string_view b) {
    return std::ranges::equal(a, b, {}, word_key_char, word_key_char);
}

}  // namespace

DialogOutcome confirm_entry_dialog(ConfigurerState& state, ListKind kind, DialogVariant variant,
                                   std::u16string_view source, std::u16string_view replacement, UserInterface& ui) {
    if (kind == ListKind::Symbols) return DialogOutcome::closed_unchanged;
    if (!storable_fields(state, kind, source, replacement, ui)) return DialogOutcome::stays_open;
    return store_entry(
        state, state.entry_list(kind), variant, PronunciationEntry{to_lower(source), to_lower(replacement)},
        [&](const PronunciationEntry& existing) { return same_source(existing.source, source); }, ui);
}

DialogOutcome confirm_symbol_dialog(ConfigurerState& state, DialogVariant variant, std::u16string_view symbol,
                                    std::u16string_view replacement, uint8_t when, UserInterface& ui) {
    if (!storable_fields(state, ListKind::Symbols, symbol, replacement, ui)) return DialogOutcome::stays_open;
    return store_entry(state, state.lists().symbols, variant, SymbolEntry{std::u16string(symbol), to_lower(replacement), when},
                       [&](const SymbolEntry& existing) { return existing.symbol == symbol; }, ui);
}

bool delete_entry(ConfigurerState& state, ListKind kind, UserInterface& ui) {
    const auto ask_and_remove = [&](auto& list, std::u16string_view name) {
        const Message question{expand_text(texts::kDeleteTitle),
                               substitute_placeholders(texts::kDeleteQuestion, {{u"%entry%", name}}),
                               MessageKind::question_yes_no};
        if (ui.message_box(question) != Answer::yes) return false;
        remove_current(list);
        state.modified = true;
        return true;
    };
    if (kind == ListKind::Symbols) {
        if (!state.lists().symbols.has_current()) return false;
        return ask_and_remove(state.lists().symbols, state.lists().symbols.entries[*state.lists().symbols.current].symbol);
    }
    EntryList<PronunciationEntry>& list = state.entry_list(kind);
    if (!list.has_current()) return false;
    return ask_and_remove(list, list.entries[*list.current].source);
}

void select_entry(ConfigurerState& state, ListKind kind, std::optional<std::size_t> index) {
    if (index && *index >= list_size(state, kind)) index.reset();
    if (kind == ListKind::Symbols) state.lists().symbols.current = index;
    else state.entry_list(kind).current = index;
}

std::optional<std::size_t> current_entry(const ConfigurerState& state, ListKind kind) {
    return kind == ListKind::Symbols ? state.lists().symbols.current : state.entry_list(kind).current;
}

std::size_t list_size(const ConfigurerState& state, ListKind kind) {
    return kind == ListKind::Symbols ? state.lists().symbols.entries.size() : state.entry_list(kind).entries.size();
}

}  // namespace vl
