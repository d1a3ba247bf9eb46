#include "platform/FontColorDialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace cantorel {

namespace {

QString sizeText(double points)
{
    return QString::number(points, 'g', 6);
}

QCheckBox* makeCheck(const QString& name, const QString& caption, bool checked, QWidget* parent)
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    box->setChecked(checked);
    return box;
}

// The size typed in `text`, in points, when it is one the dialog takes.
std::optional<double> parseSize(const QString& text)
{
    const QString t = text.trimmed();
    bool ok = false;
    double size = QLocale::c().toDouble(t, &ok);
    if (!ok)
        size = QLocale().toDouble(t, &ok);
    if (!ok || !(size >= FontColorDialog::kSmallestSize && size <= FontColorDialog::kLargestSize))
        return std::nullopt;
    return size;
}

} // namespace

FontColorDialog::FontColorDialog(const Prompts::FontChoice& start, QWidget* parent)
    : QDialog(parent), m_start(start), m_startSizeText(start.pointSize > 0 ? sizeText(start.pointSize) : QString()),
      m_color(start.color)
{
    setObjectName(QStringLiteral("FontColorDialog"));
    setWindowTitle(tr("Font"));

    m_family = new QComboBox(this);
    m_family->setObjectName(QStringLiteral("fontFamily"));
    m_family->setEditable(true);
    m_family->setInsertPolicy(QComboBox::NoInsert);
    m_family->addItems(QFontDatabase::families());
    m_family->completer()->setCaseSensitivity(Qt::CaseInsensitive);
    m_family->completer()->setCompletionMode(QCompleter::PopupCompletion);
    m_family->setMinimumContentsLength(24);
    // The start's face stays as it is named, installed here or not.
    m_family->setCurrentIndex(m_family->findText(start.family, Qt::MatchFixedString));
    m_family->setEditText(start.family);

    m_size = new QComboBox(this);
    m_size->setObjectName(QStringLiteral("fontSize"));
    m_size->setEditable(true);
    m_size->setInsertPolicy(QComboBox::NoInsert);
    m_size->setCompleter(nullptr); // "1" must not turn into "10" while typed
    m_size->setMinimumContentsLength(6);
    for (const int size : QFontDatabase::standardSizes())
        m_size->addItem(QString::number(size));
    m_size->setCurrentIndex(m_size->findText(m_startSizeText));
    m_size->setEditText(m_startSizeText);

    m_bold = makeCheck(QStringLiteral("fontBold"), tr("Bold"), start.bold(), this);
    m_italic = makeCheck(QStringLiteral("fontItalic"), tr("Italic"), start.italic, this);
    m_underline = makeCheck(QStringLiteral("fontUnderline"), tr("Underline"), start.underline, this);
    m_strikeOut = makeCheck(QStringLiteral("fontStrikeOut"), tr("Strikeout"), start.strikeOut, this);

    m_colorButton = new QPushButton(tr("Colour..."), this);
    m_colorButton->setObjectName(QStringLiteral("fontColor"));
    connect(m_colorButton, &QPushButton::clicked, this, &FontColorDialog::pickColor);

    m_sample = new QLabel(tr("AaBbYyZz"), this);
    m_sample->setObjectName(QStringLiteral("fontSample"));
    m_sample->setAlignment(Qt::AlignCenter);
    m_sample->setFrameShape(QFrame::StyledPanel);
    m_sample->setAutoFillBackground(true);
    m_sample->setMinimumSize(420, 110);
    m_note = new QLabel(this);
    m_note->setObjectName(QStringLiteral("fontNote"));
    m_note->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (isChoiceValid())
            accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(tr("Font:"), this), 0, 0);
    grid->addWidget(m_family, 0, 1);
    grid->addWidget(new QLabel(tr("Size:"), this), 0, 2);
    grid->addWidget(m_size, 0, 3);
    grid->setColumnStretch(1, 1);
    auto* effects = new QHBoxLayout;
    for (QCheckBox* box : {m_bold, m_italic, m_underline, m_strikeOut})
        effects->addWidget(box);
    effects->addStretch();
    auto* colorRow = new QHBoxLayout;
    colorRow->addWidget(new QLabel(tr("Colour:"), this));
    colorRow->addWidget(m_colorButton);
    colorRow->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(effects);
    layout->addLayout(colorRow);
    layout->addWidget(m_sample, 1);
    layout->addWidget(m_note);
    layout->addWidget(buttons);

    connect(m_family, &QComboBox::editTextChanged, this, &FontColorDialog::showChoice);
    connect(m_size, &QComboBox::editTextChanged, this, &FontColorDialog::showChoice);
    for (QCheckBox* box : {m_bold, m_italic, m_underline, m_strikeOut})
        connect(box, &QCheckBox::toggled, this, &FontColorDialog::showChoice);
    showChoice();
}

std::optional<double> FontColorDialog::chosenSize() const
{
    const QString text = m_size->currentText();
    if (text.trimmed() == m_startSizeText && m_start.pointSize > 0)
        return m_start.pointSize;
    return parseSize(text);
}

QString FontColorDialog::chosenFamily() const
{
    const QString text = m_family->currentText().trimmed();
    return text == m_start.family.trimmed() ? m_start.family : text;
}

bool FontColorDialog::isChoiceValid() const
{
    return chosenSize().has_value() && !chosenFamily().isEmpty();
}

Prompts::FontChoice FontColorDialog::choice() const
{
    Prompts::FontChoice c = m_start;
    c.family = chosenFamily();
    c.pointSize = chosenSize().value_or(m_start.pointSize);
    if (m_bold->isChecked() != m_start.bold())
        c.weight = m_bold->isChecked() ? QFont::Bold : QFont::Normal;
    c.italic = m_italic->isChecked();
    c.underline = m_underline->isChecked();
    c.strikeOut = m_strikeOut->isChecked();
    c.color = m_color;
    return c;
}

void FontColorDialog::pickColor()
{
    const QColor c = QColorDialog::getColor(m_color, this);
    if (c.isValid()) {
        m_color = c;
        showChoice();
    }
}

void FontColorDialog::showChoice()
{
    const Prompts::FontChoice c = choice();
    m_sample->setFont(c.appliedTo(font()));
    // The sample's ground is dark for a light colour and light for a dark one.
    QPalette palette = m_sample->palette();
    palette.setColor(QPalette::WindowText, m_color);
    palette.setColor(QPalette::Window, m_color.lightness() < 128 ? Qt::white : Qt::black);
    m_sample->setPalette(palette);
    m_colorButton->setStyleSheet(
        QStringLiteral("background-color: %1; color: %2")
            .arg(m_color.name(), m_color.lightness() < 128 ? QStringLiteral("white") : QStringLiteral("black")));
    const QString family = chosenFamily();
    // The family list holds the installed faces.
    const bool installed = m_family->findText(family, Qt::MatchFixedString) >= 0;
    m_note->setText(
        family.isEmpty() || installed
            ? QString()
            : tr("\"%1\" is not installed here; the sample shows the font that stands in for it.").arg(family));
    m_note->setVisible(!m_note->text().isEmpty());
    m_ok->setEnabled(isChoiceValid());
}

} // namespace cantorel
