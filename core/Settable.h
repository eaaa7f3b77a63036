#pragma once

// A font-wide value that a source may give or the model may derive: the value plus a flag
// that says whether it has been set. Flags only ever go from false to true.
template <typename T>
struct Settable {
    T value{};
    bool isSet = false;

    void Set(T v) {
        value = v;
        isSet = true;
    }
    // Derivation fills only what nobody has set.
    void SetIfUnset(T v) {
        if (!isSet) {
            Set(v);
        }
    }
};
