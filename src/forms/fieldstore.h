#pragma once

#include <cstdint>
#include <functional>
#include <string>

struct CField;

// Storing a typed text into a field, and the override and estimate operations. The caller
// owns everything a user sees: the beep, the balloon with EntryErrorText, the wait cursor,
// keeping the focus on a refused field and repainting after a store.
namespace qv {

struct StoreContext {
    // Layout flags of the field's box; MF_WHOLE_DOLLARS rounds money to whole dollars.
    unsigned layoutFlags = 0;
    // Decimal places of a decimal field (0 or more than 6 mean 6).
    int decimals = 0;
    // Marks the return modified; called unless the copy or the field says not to.
    std::function<void()> markModified;
};

enum class StoreOutcome {
    Stored,
    Refused,   // the field is unchanged; StoreResult::error tells the entry error kind
    NotStored, // check, option, choice and type 11 fields are not stored from a text
};

struct StoreResult {
    StoreOutcome outcome = StoreOutcome::NotStored;
    int error = 0; // EntryErrorKind when refused
};

// Checks `text` against the rules of the field's type and range and stores it: the value,
// FF_HASVALUE|FF_ENTERED, the copy's CF_CHANGED, Refresh. An empty text stores the empty
// value and clears FF_HASVALUE|FF_ENTERED again.
StoreResult StoreFieldText(CField& field, const std::string& text, const StoreContext& context);

// Stores the choice whose list text is `text` (exact, else the first that begins with it,
// case ignored); no match selects no choice. False when the field is no choice field or
// already holds that choice.
bool StoreChoiceText(CField& field, const std::string& text, const StoreContext& context);

// Rounds cents to whole dollars, halves away from zero.
std::int64_t RoundToWholeDollars(std::int64_t cents);

// Lets the user's value replace a calculated one; false (nothing changed) for a protected
// field or one that is not calculated.
bool OverrideField(CField& field, const StoreContext& context);
// Gives an overridden field back to the calculation: the flags of the user's value go and
// the module recalculates it. False when the field is not overridden.
bool ClearOverride(CField& field, const StoreContext& context);
// Flips the estimate mark; false (nothing changed) for a protected field.
bool ToggleEstimate(CField& field, const StoreContext& context);
// Removes the estimate mark; false when there is none.
bool ClearEstimate(CField& field, const StoreContext& context);

} // namespace qv
