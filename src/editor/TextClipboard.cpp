#include "editor/TextClipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace cantorel::editor {

SystemClipboard::SystemClipboard(QClipboard* clipboard)
    : m_clipboard(clipboard ? clipboard : QGuiApplication::clipboard())
{}

QString SystemClipboard::text() const
{
    return m_clipboard->text(QClipboard::Clipboard);
}

void SystemClipboard::setText(const QString& text)
{
    m_clipboard->setText(text, QClipboard::Clipboard);
}

void SystemClipboard::clear()
{
    m_clipboard->clear(QClipboard::Clipboard);
}

} // namespace cantorel::editor
