#pragma once
// The copy buffer of the lyric editor: plain text only. The window uses the
// system clipboard; tests use a private one so they do not depend on (or
// disturb) the desktop's clipboard.
#include <QString>

class QClipboard;

namespace cantorel::editor {

class TextClipboard {
public:
    virtual ~TextClipboard() = default;
    // The plain text held, or "" when the clipboard holds no text.
    virtual QString text() const = 0;
    virtual void setText(const QString& text) = 0;
    virtual void clear() = 0;
};

// The desktop's clipboard (QGuiApplication::clipboard() when none is given).
// Call on the user-interface thread only.
class SystemClipboard final : public TextClipboard {
public:
    explicit SystemClipboard(QClipboard* clipboard = nullptr);
    QString text() const override;
    void setText(const QString& text) override;
    void clear() override;

private:
    QClipboard* m_clipboard;
};

// A clipboard that lives in this object only.
class MemoryClipboard final : public TextClipboard {
public:
    QString text() const override { return m_text; }
    void setText(const QString& text) override { m_text = text; }
    void clear() override { m_text.clear(); }

private:
    QString m_text;
};

} // namespace cantorel::editor
