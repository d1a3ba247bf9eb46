#include "platform/FontColorDialog.h"

#include "platform/FormTable.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLocale>
#include <QPushButton>

namespace cantorel {

namespace {

using namespace form;

// clang-format off

// Made in this order, which is the tab order.
const Control kControls[] = {
    // name              kind          caption      tooltip  width  height (twips, at least)
    {"fontFamily",       Kind::Combo,  nullptr,    nullptr,  0,     0,     Editable},
    {"fontSize",         Kind::Combo,  nullptr,    nullptr,  0,     0,     Editable},
    {"fontBold",         Kind::Check,  "Bold"},
    {"fontItalic",       Kind::Check,  "Italic"},
    {"fontUnderline",    Kind::Check,  "Underline"},
    {"fontStrikeOut",    Kind::Check,  "Strikeout"},
    {"fontColor",        Kind::Button, "Colour..."},
    {"fontSample",       Kind::Label,  "AaBbYyZz", nullptr,  6300,  1650,  Centred | AtLeast},
    {"fontNote",         Kind::Label},
    {"fontButtons",      Kind::Made},
    {"fontFamilyLabel",  Kind::Label,  "Font:"},
    {"fontSizeLabel",    Kind::Label,  "Size:"},
    {"fontColorLabel",   Kind::Label,  "Colour:"},
};

// Face and size, the effects, the colour, then the sample over the note and
// the buttons.
const Place kLayout[] = {
    column(nullptr,  "form"),
    grid("form",     "face"),
    putAt("face",    "fontFamilyLabel", {0, 0}), putAt("face", "fontFamily", {0, 1}),
    putAt("face",    "fontSizeLabel",   {0, 2}), putAt("face", "fontSize",   {0, 3}),
    columnStretch("face", 1, 1),
    row("form",      "effects"),
    put("effects",   "fontBold"),       put("effects", "fontItalic"), put("effects", "fontUnderline"),
    put("effects",   "fontStrikeOut"),  stretch("effects", 0),
    row("form",      "colour"),
    put("colour",    "fontColorLabel"), put("colour", "fontColor"),   stretch("colour", 0),
    put("form",      "fontSample", 1),
    put("form",      "fontNote"),
    put("form",      "fontButtons"),
};

// clang-format on

QString sizeText(double points)
{
    return QString::number(points, 'g', 6);
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
    buildControls();

    m_family->setInsertPolicy(QComboBox::NoInsert);
    m_family->addItems(QFontDatabase::families());
    m_family->completer()->setCaseSensitivity(Qt::CaseInsensitive);
    m_family->completer()->setCompletionMode(QCompleter::PopupCompletion);
    m_family->setMinimumContentsLength(24);
    // The start's face stays as it is named, installed here or not.
    m_family->setCurrentIndex(m_family->findText(start.family, Qt::MatchFixedString));
    m_family->setEditText(start.family);

    m_size->setInsertPolicy(QComboBox::NoInsert);
    m_size->setCompleter(nullptr); // "1" must not turn into "10" while typed
    m_size->setMinimumContentsLength(6);
    for (const int size : QFontDatabase::standardSizes())
        m_size->addItem(QString::number(size));
    m_size->setCurrentIndex(m_size->findText(m_startSizeText));
    m_size->setEditText(m_startSizeText);

    m_bold->setChecked(start.bold());
    m_italic->setChecked(start.italic);
    m_underline->setChecked(start.underline);
    m_strikeOut->setChecked(start.strikeOut);
    m_sample->setFrameShape(QFrame::StyledPanel);
    m_sample->setAutoFillBackground(true);
    m_note->setWordWrap(true);

    auto* buttons = findChild<QDialogButtonBox*>(QStringLiteral("fontButtons"));
    m_ok = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (isChoiceValid())
            accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_colorButton, &QPushButton::clicked, this, &FontColorDialog::pickColor);
    connect(m_family, &QComboBox::editTextChanged, this, &FontColorDialog::showChoice);
    connect(m_size, &QComboBox::editTextChanged, this, &FontColorDialog::showChoice);
    for (QCheckBox* box : {m_bold, m_italic, m_underline, m_strikeOut})
        connect(box, &QCheckBox::toggled, this, &FontColorDialog::showChoice);
    showChoice();
}

void FontColorDialog::buildControls()
{
    form::FormBuilder ui(this);
    ui.make(kControls, [](const form::Control&, const QString&, QWidget* form) {
        return new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, form);
    });
    ui.layOut(kLayout);
    m_family = ui.get<QComboBox>("fontFamily");
    m_size = ui.get<QComboBox>("fontSize");
    m_bold = ui.get<QCheckBox>("fontBold");
    m_italic = ui.get<QCheckBox>("fontItalic");
    m_underline = ui.get<QCheckBox>("fontUnderline");
    m_strikeOut = ui.get<QCheckBox>("fontStrikeOut");
    m_colorButton = ui.get<QPushButton>("fontColor");
    m_sample = ui.get<QLabel>("fontSample");
    m_note = ui.get<QLabel>("fontNote");
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
