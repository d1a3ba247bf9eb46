#include "platform/FontColorDialog.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace cantorel {

FontColorDialog::FontColorDialog(const Prompts::FontChoice& start, QWidget* parent)
    : QDialog(parent), m_color(start.color)
{
    setWindowTitle(tr("Font"));
    m_fonts = new QFontDialog(start.appliedTo(QFont()), this);
    m_fonts->setWindowFlags(Qt::Widget);
    m_fonts->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);

    m_colorButton = new QPushButton(tr("Colour..."), this);
    connect(m_colorButton, &QPushButton::clicked, this, &FontColorDialog::pickColor);
    auto* colorRow = new QHBoxLayout;
    colorRow->addWidget(new QLabel(tr("Colour:"), this));
    colorRow->addWidget(m_colorButton);
    colorRow->addStretch();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_fonts);
    layout->addLayout(colorRow);
    layout->addWidget(buttons);
    showColor();
}

void FontColorDialog::pickColor()
{
    const QColor c = QColorDialog::getColor(m_color, this);
    if (c.isValid()) {
        m_color = c;
        showColor();
    }
}

void FontColorDialog::showColor()
{
    m_colorButton->setStyleSheet(QStringLiteral("background-color: %1; color: %2")
                                     .arg(m_color.name(),
                                          m_color.lightness() < 128 ? QStringLiteral("white")
                                                                    : QStringLiteral("black")));
}

Prompts::FontChoice FontColorDialog::choice() const
{
    return Prompts::FontChoice::of(m_fonts->currentFont(), m_color);
}

} // namespace cantorel
