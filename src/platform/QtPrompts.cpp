#include "platform/QtPrompts.h"

#include "platform/FontColorDialog.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace cantorel {

namespace {

QString filterText(const QList<Prompts::FileFilter>& filters)
{
    QStringList parts;
    for (const auto& f : filters) {
        // Qt reads the patterns from the parentheses that end a filter; most
        // of our descriptions already carry them.
        if (f.description.endsWith(QStringLiteral("(") + f.pattern + u')'))
            parts << f.description;
        else
            parts << f.description + QStringLiteral(" (") + f.pattern + u')';
    }
    return parts.join(QStringLiteral(";;"));
}

} // namespace

QtPrompts::QtPrompts(QString defaultTitle) : m_defaultTitle(std::move(defaultTitle))
{}

Prompts::Answer QtPrompts::message(QWidget* owner, const QString& text, Buttons buttons, Icon icon,
                                   const QString& title)
{
    QMessageBox box(owner);
    box.setWindowTitle(title.isEmpty() ? m_defaultTitle : title);
    box.setText(text);
    switch (icon) {
    case Icon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Icon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    }
    switch (buttons) {
    case Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case Buttons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Ok:
        return Answer::Ok;
    default:
        // Closing the box with Escape or its close button: Cancel where the
        // box has one, otherwise the answer of its only or last button.
        if (buttons == Buttons::YesNo)
            return Answer::No;
        if (buttons == Buttons::Ok)
            return Answer::Ok;
        return Answer::Cancel;
    }
}

QString QtPrompts::input(QWidget* owner, const QString& prompt, const QString& title, const QString& defaultText)
{
    bool ok = false;
    const QString text = QInputDialog::getText(owner, title.isEmpty() ? m_defaultTitle : title, prompt,
                                               QLineEdit::Normal, defaultText, &ok);
    return ok ? text : QString();
}

QString QtPrompts::openFile(QWidget* owner, const QString& title, const QList<FileFilter>& filters,
                            const QString& startName, bool mustExist)
{
    QFileDialog dialog(owner, title, QString(), filterText(filters));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!startName.isEmpty())
        dialog.selectFile(startName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

QString QtPrompts::saveFile(QWidget* owner, const QString& title, const QList<FileFilter>& filters,
                            const QString& startName)
{
    QFileDialog dialog(owner, title, QString(), filterText(filters));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The name rules of the callers add the extension and decide about
    // replacing; the dialog asks nothing more.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!startName.isEmpty())
        dialog.selectFile(startName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

QString QtPrompts::chooseFolder(QWidget* owner, const QString& prompt)
{
    return QFileDialog::getExistingDirectory(owner, prompt, QDir::homePath());
}

std::optional<Prompts::FontChoice> QtPrompts::chooseFont(QWidget* owner, const FontChoice& start)
{
    FontColorDialog dialog(start, owner);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}

std::optional<QColor> QtPrompts::chooseColor(QWidget* owner, const QColor& start, CustomColors& customColors)
{
    for (int i = 0; i < 16; ++i)
        QColorDialog::setCustomColor(i, customColors[i]);
    const QColor chosen = QColorDialog::getColor(start, owner);
    for (int i = 0; i < 16; ++i)
        customColors[i] = QColorDialog::customColor(i);
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

} // namespace cantorel
