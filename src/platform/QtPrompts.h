#pragma once
// The prompts of the programs as Qt dialogs.
#include "common/Prompts.h"

namespace cantorel {

class QtPrompts : public Prompts {
public:
    // `defaultTitle` is shown on message boxes that have no title of their own.
    explicit QtPrompts(QString defaultTitle);

    Answer message(QWidget* owner, const QString& text, Buttons buttons, Icon icon, const QString& title) override;
    QString input(QWidget* owner, const QString& prompt, const QString& title, const QString& defaultText) override;
    QString openFile(QWidget* owner, const QString& title, const QList<FileFilter>& filters, const QString& startName,
                     bool mustExist) override;
    QString saveFile(QWidget* owner, const QString& title, const QList<FileFilter>& filters,
                     const QString& startName) override;
    QString chooseFolder(QWidget* owner, const QString& prompt) override;
    std::optional<FontChoice> chooseFont(QWidget* owner, const FontChoice& start) override;
    std::optional<QColor> chooseColor(QWidget* owner, const QColor& start, CustomColors& customColors) override;

private:
    QString m_defaultTitle;
};

} // namespace cantorel
