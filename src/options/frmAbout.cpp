#include "options/frmAbout.h"

#include "base/ProgramDirectory.h"
#include "platform/FormTable.h"
#include "widgets/WidgetColors.h"

#include <QDesktopServices>
#include <QIcon>
#include <QLayout>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QUrl>

namespace cantorel {

namespace {

using namespace form;

constexpr const char* kDescription =
    "Cantorel plays your songs and shows their lyrics, with a translation beside them, line by line in step with the "
    "music. It also helps you make and edit timed lyrics and keeps your playlists.\n\n"
    "Suggestions for making it better, questions and reports of anything that goes wrong are welcome by mail:";

// clang-format off

// Made in this order, which is the tab order.
const Control kControls[] = {
    // name             kind          caption       tooltip  width  height (twips)
    {"picIcon",         Kind::Label,  nullptr,      nullptr, 720,   720},
    {"lblTitle",        Kind::Label,  nullptr,      nullptr, 0,     0,     Bold},
    {"lblVersion",      Kind::Label},
    {"lblDescription",  Kind::Label,  kDescription, nullptr, 4500},
    {"Text1",           Kind::Made},
    {"lblLicence",      Kind::Label,  nullptr,      nullptr, 4500},
    {"cmdOK",           Kind::Button, "OK",         nullptr, 1260,  0,     Default | AtLeast},
};

// The icon beside the name, the version, the note with the address and the
// licence; OK at the foot.
const Place kLayout[] = {
    column(nullptr, "form"),
    row("form",     "top"),
    put("top",      "picIcon", 0, Qt::AlignTop), gap("top", 240),
    column("top",   "texts", 1),
    put("texts",    "lblTitle"),                 put("texts", "lblVersion"), gap("texts", 180),
    put("texts",    "lblDescription"),           put("texts", "Text1", 0, Qt::AlignLeft),
    gap("texts",    180),                        put("texts", "lblLicence"),
    gap("form",     240),
    row("form",     "foot"),
    stretch("foot"),                             put("foot", "cmdOK"),
};

// clang-format on

// The version numbers as the build spells them, read as decimal: a "01"
// or "0010" is 1 or 10, never an octal literal.
#define CANTOREL_TEXT_(x) #x
#define CANTOREL_TEXT(x) CANTOREL_TEXT_(x)

QString versionNumber(const char* text)
{
    return QString::number(QByteArray(text).toInt(nullptr, 10));
}

} // namespace

QString versionText()
{
    return QStringLiteral("Version ") + versionNumber(CANTOREL_TEXT(CANTOREL_VERSION_MAJOR)) + u'.'
           + versionNumber(CANTOREL_TEXT(CANTOREL_VERSION_MINOR)) + u'.'
           + versionNumber(CANTOREL_TEXT(CANTOREL_VERSION_PATCH));
}

QString supportAddress()
{
    return QStringLiteral("support@cantorel.org");
}

QString licenceText()
{
    return QStringLiteral("Cantorel is free software: you may share and change it under the GNU General Public "
                          "License, version 3 or later (GPL-3.0-or-later). It comes with no warranty.");
}

MailLink::MailLink(const QString& address, QWidget* parent) : QLabel(address, parent)
{
    setTextFormat(Qt::PlainText);
    setTextInteractionFlags(Qt::NoTextInteraction);
    setCursor(Qt::PointingHandCursor);
    setToolTip(QStringLiteral("Write to ") + address);
    setTextColor(this, QColor(255, 0, 0));
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
    // The window's own background shows through.
    setAutoFillBackground(false);
}

void MailLink::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + text()));
}

frmAbout::frmAbout(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    const QString product = QStringLiteral("Cantorel");
    setWindowTitle(QStringLiteral("About ") + product);

    form::FormBuilder ui(this);
    ui.make(kControls,
            [](const form::Control&, const QString&, QWidget* form) { return new MailLink(supportAddress(), form); });
    ui.layOut(kLayout);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    auto* picIcon = ui.get<QLabel>("picIcon");
    QIcon icon(bundledDataPath(QStringLiteral("icons/cantorel.png")));
    if (icon.isNull())
        icon = style()->standardIcon(QStyle::SP_MediaPlay);
    picIcon->setPixmap(icon.pixmap(picIcon->size()));

    auto* lblTitle = ui.get<QLabel>("lblTitle");
    lblTitle->setText(product);
    QFont titleFont = lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    lblTitle->setFont(titleFont);
    ui.get<QLabel>("lblVersion")->setText(versionText());
    ui.get<QLabel>("lblLicence")->setText(licenceText());
    // A wrapped label asks for its height only once its width is known.
    for (const char* name : {"lblDescription", "lblLicence"}) {
        auto* text = ui.get<QLabel>(name);
        text->setWordWrap(true);
        text->setMinimumHeight(text->heightForWidth(text->width()));
    }
    connect(ui.get<QPushButton>("cmdOK"), &QPushButton::clicked, this, &QDialog::close);
}

frmAbout* showAbout(QWidget* owner)
{
    static QPointer<frmAbout> open;
    if (!open)
        open = new frmAbout(owner);
    open->show();
    open->raise();
    open->activateWindow();
    return open;
}

} // namespace cantorel
