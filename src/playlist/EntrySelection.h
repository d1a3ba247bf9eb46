#pragma once
// The playlist entry the user has selected, wherever the list is shown (the
// playlist window). The player reads it at the end of a song and for "<<"
// and ">>", and moves it to the entry it plays next.
// User-interface thread only.

namespace cantorel {

class EntrySelection {
public:
    virtual ~EntrySelection() = default;
    // The selected entry, -1 for none.
    virtual int selectedEntry() const = 0;
    // Selects `entry` (-1 clears the selection).
    virtual void selectEntry(int entry) = 0;
};

} // namespace cantorel
