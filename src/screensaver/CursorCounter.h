#pragma once
// The mouse cursor's display counter: each show(true) raises it, each
// show(false) lowers it, and the cursor is visible while the counter is not
// negative. While it is hidden the whole program shows a blank cursor.
//
// User-interface thread only. The destructor gives the cursor back.
namespace cantorel::screensaver {

class CursorCounter {
public:
    CursorCounter() = default;
    ~CursorCounter();
    CursorCounter(const CursorCounter&) = delete;
    CursorCounter& operator=(const CursorCounter&) = delete;

    // Returns the new counter value.
    int show(bool visible);
    int count() const { return m_count; }
    bool visible() const { return m_count >= 0; }

private:
    void apply();

    int m_count = 0;
    bool m_blanked = false;
};

} // namespace cantorel::screensaver
