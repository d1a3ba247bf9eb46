#include "options/frmAbout.h"

#include "base/ProgramDirectory.h"
#include "platform/Twips.h"
#include "widgets/Controls.h"
#include "widgets/WidgetColors.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QIcon>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QUrl>
#include <QVBoxLayout>

namespace cantorel {

namespace {

// The version numbers as the build spells them, read as decimal: a "01"
// or "0010" is 1 or 10, never an octal literal.
#define CANTOREL_TEXT_(x) #x
#define CANTOREL_TEXT(x) CANTOREL_TEXT_(x)

QString versionNumber(const char* text)
{
    return QString::number(QByteArray(text).toInt(nullptr, 10));
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    return label;
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

    auto* picIcon = makeLabel(this, "picIcon", QString());
    QIcon icon(bundledDataPath(QStringLiteral("icons/cantorel.png")));
    if (icon.isNull())
        icon = style()->standardIcon(QStyle::SP_MediaPlay);
    const int side = twipsToPixels(720, this);
    picIcon->setPixmap(icon.pixmap(side, side));
    picIcon->setFixedSize(side, side);

    auto* lblTitle = makeLabel(this, "lblTitle", product);
    QFont titleFont = lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    auto* lblVersion = makeLabel(this, "lblVersion", versionText());
    auto* lblDescription =
        makeLabel(this, "lblDescription",
                  QStringLiteral("Cantorel plays your songs and shows their lyrics, with a translation beside them, "
                                 "line by line in step with the music. It also helps you make and edit timed lyrics "
                                 "and keeps your playlists.\n\n"
                                 "Suggestions for making it better, questions and reports of anything that goes "
                                 "wrong are welcome by mail:"));
    lblDescription->setWordWrap(true);
    // A wrapped label asks for its height only once its width is known.
    const int textWidth = twipsToPixels(4500, this);
    lblDescription->setFixedWidth(textWidth);
    lblDescription->setMinimumHeight(lblDescription->heightForWidth(textWidth));
    auto* text1 = new MailLink(supportAddress(), this);
    text1->setObjectName(QStringLiteral("Text1"));
    auto* lblLicence = makeLabel(this, "lblLicence", licenceText());
    lblLicence->setWordWrap(true);
    lblLicence->setFixedWidth(textWidth);
    lblLicence->setMinimumHeight(lblLicence->heightForWidth(textWidth));

    QPushButton* cmdOK = makeButton(this, "cmdOK", QStringLiteral("OK"));
    cmdOK->setDefault(true);
    cmdOK->setMinimumWidth(twipsToPixels(1260, this));
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::close);

    auto* texts = new QVBoxLayout;
    texts->addWidget(lblTitle);
    texts->addWidget(lblVersion);
    texts->addSpacing(twipsToPixels(180, this));
    texts->addWidget(lblDescription);
    texts->addWidget(text1, 0, Qt::AlignLeft);
    texts->addSpacing(twipsToPixels(180, this));
    texts->addWidget(lblLicence);
    auto* top = new QHBoxLayout;
    top->addWidget(picIcon, 0, Qt::AlignTop);
    top->addSpacing(twipsToPixels(240, this));
    top->addLayout(texts, 1);
    auto* foot = new QHBoxLayout;
    foot->addStretch(1);
    foot->addWidget(cmdOK);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(twipsToPixels(240, this));
    layout->addLayout(foot);
    layout->setSizeConstraint(QLayout::SetFixedSize);
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
