#include "onlinewindows/ShareDialog.h"

#include "online/LrclibRecord.h"
#include "onlinewindows/OnlineServices.h"
#include "platform/FormTable.h"
#include "platform/Twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

namespace cantorel {

namespace {

using namespace form;

// clang-format off

// Made in this order, which is the tab order.
const Control kControls[] = {
    // name           kind           caption      tooltip                                        width
    {"titleLabel",    Kind::Label,   "Title"},
    {"title",         Kind::Edit},
    {"artistLabel",   Kind::Label,   "Artist"},
    {"artist",        Kind::Edit},
    {"albumLabel",    Kind::Label,   "Album"},
    {"album",         Kind::Edit},
    {"durationLabel", Kind::Label,   "Duration"},
    {"duration",      Kind::Edit,    nullptr,     "Whole seconds, as the server files songs",   1000, 0, ReadOnly},
    {"lines",         Kind::Label},
    {"syncedLabel",   Kind::Label,   "Synced lyric"},
    {"synced",        Kind::TextBox},
    {"plainLabel",    Kind::Label,   "Plain lyric"},
    {"plain",         Kind::TextBox},
    {"progress",      Kind::Made},
    {"status",        Kind::Label},
    {"share",         Kind::Button,  "Share",     "Send this to the lyric server"},
    {"cancel",        Kind::Button,  "Cancel"},
};

const Place kLayout[] = {
    column(nullptr,   "form"),
    grid("form",      "fields"),
    putAt("fields",   "titleLabel",    {0, 0}), putAt("fields", "title",    {0, 1}),
    putAt("fields",   "artistLabel",   {0, 2}), putAt("fields", "artist",   {0, 3}),
    putAt("fields",   "albumLabel",    {1, 0}), putAt("fields", "album",    {1, 1}),
    putAt("fields",   "durationLabel", {1, 2}), putAt("fields", "duration", {1, 3}),
    columnStretch("fields", 1, 1),     columnStretch("fields", 3, 1),
    put("form",       "lines"),
    grid("form",      "texts"),
    putAt("texts",    "syncedLabel",   {0, 0}), putAt("texts", "plainLabel", {0, 1}),
    putAt("texts",    "synced",        {1, 0}), putAt("texts", "plain",      {1, 1}),
    rowStretch("texts", 1, 1),
    put("form",       "progress"),
    put("form",       "status"),
    row("form",       "foot"),
    stretch("foot"),  put("foot", "share"), put("foot", "cancel"),
};

// clang-format on

QWidget* makeProgress(const Control&, const QString&, QWidget* form)
{
    auto* bar = new QProgressBar(form);
    bar->setRange(0, 100);
    bar->hide();
    return bar;
}

} // namespace

ShareDialog::ShareDialog(OnlineServices& services, QWidget* parent) : QWidget(parent, Qt::Window), m_services(services)
{
    setObjectName(QStringLiteral("ShareOnLrclib"));
    setWindowTitle(tr("Share on LRCLIB…"));
    buildUi();
    resize(twipsToPixels(9000, this), twipsToPixels(6600, this));
}

ShareDialog::~ShareDialog() = default;

void ShareDialog::buildUi()
{
    FormBuilder ui(this);
    ui.make(kControls, makeProgress);
    ui.layOut(kLayout);
    m_title = ui.get<QLineEdit>("title");
    m_artist = ui.get<QLineEdit>("artist");
    m_album = ui.get<QLineEdit>("album");
    m_duration = ui.get<QLineEdit>("duration");
    m_lines = ui.get<QLabel>("lines");
    m_lines->setWordWrap(true);
    m_synced = ui.get<QPlainTextEdit>("synced");
    m_plain = ui.get<QPlainTextEdit>("plain");
    m_progress = ui.get<QProgressBar>("progress");
    m_status = ui.get<QLabel>("status");
    m_status->setWordWrap(true);
    m_share = ui.get<QPushButton>("share");
    m_cancel = ui.get<QPushButton>("cancel");
    for (QPlainTextEdit* text : {m_synced, m_plain}) {
        text->setReadOnly(true);
        text->setLineWrapMode(QPlainTextEdit::NoWrap);
    }
    for (QLineEdit* field : {m_title, m_artist, m_album})
        connect(field, &QLineEdit::textEdited, this, &ShareDialog::fieldsChanged);
    ui.connectClicks(this, {{"share", &ShareDialog::shareClick}, {"cancel", &ShareDialog::cancelClick}});
}

void ShareDialog::showFor(const QString& mediaPath, qint64 lengthMs, const lyrics::TimedLyric& lyric)
{
    if (m_sharing)
        m_sharing->cancel();
    m_lyric = lyric;
    m_lengthMs = lengthMs;
    const online::SongSignature song = online::signatureOfSong(mediaPath, lengthMs);
    m_title->setText(song.title);
    m_artist->setText(song.artist);
    m_album->setText(song.album);
    m_duration->setText(QString::number(song.durationSeconds()));
    const online::SharePayload p = payload();
    m_lines->setText(
        tr("%n line(s); the first: %1", nullptr, p.lineCount).arg(p.firstLines(3).join(QStringLiteral(" / "))));
    m_synced->setPlainText(p.syncedText);
    m_plain->setPlainText(p.plainText);
    m_progress->hide();
    setSharing(false);
    fieldsChanged();
    show();
    raise();
    activateWindow();
}

online::SharePayload ShareDialog::payload() const
{
    const online::SongSignature song {online::cleanSignatureField(m_title->text()),
                                      online::cleanSignatureField(m_artist->text()),
                                      online::cleanSignatureField(m_album->text()), m_lengthMs};
    return online::sharePayloadOf(song, m_lyric);
}

void ShareDialog::fieldsChanged()
{
    const QString problem = payload().problem();
    m_share->setEnabled(problem.isEmpty());
    m_status->setText(problem.isEmpty()
                          ? tr("This is what %1 will get, for everyone to use.").arg(m_services.serverName())
                          : tr("It cannot be shared: %1.").arg(problem));
}

void ShareDialog::setSharing(bool sharing)
{
    for (QWidget* w : std::initializer_list<QWidget*> {m_title, m_artist, m_album, m_share})
        w->setEnabled(!sharing);
    m_cancel->setText(sharing ? tr("Cancel") : tr("Close"));
}

void ShareDialog::shareClick()
{
    if (!m_services.client()) {
        m_status->setText(m_services.problem());
        return;
    }
    const online::SharePayload p = payload();
    if (!p.problem().isEmpty())
        return;
    m_sharing = std::make_unique<online::LyricSharing>(*m_services.client());
    connect(m_sharing.get(), &online::LyricSharing::stageChanged, this, &ShareDialog::stage);
    connect(m_sharing.get(), &online::LyricSharing::solving, m_progress, &QProgressBar::setValue);
    connect(m_sharing.get(), &online::LyricSharing::finished, this, &ShareDialog::ended);
    setSharing(true);
    m_sharing->start(p);
}

void ShareDialog::stage(online::LyricSharing::Stage stage)
{
    switch (stage) {
    case online::LyricSharing::Stage::AskingChallenge:
        m_status->setText(tr("Asking %1 for a challenge...").arg(m_services.serverName()));
        break;
    case online::LyricSharing::Stage::Solving:
        m_status->setText(tr("Solving the server's challenge (this proves a person is sharing)..."));
        m_progress->setValue(0);
        m_progress->show();
        break;
    case online::LyricSharing::Stage::Publishing:
        m_progress->setValue(100);
        m_status->setText(tr("Publishing..."));
        break;
    }
}

void ShareDialog::ended(bool published, const QString& said)
{
    m_progress->hide();
    setSharing(false);
    m_share->setEnabled(!published);
    m_status->setText(published ? tr("Published: %1").arg(said) : tr("Not published: %1").arg(said));
}

void ShareDialog::cancelClick()
{
    if (m_sharing && m_sharing->running()) {
        m_sharing->cancel();
        m_progress->hide();
        setSharing(false);
        m_status->setText(tr("Cancelled."));
        return;
    }
    hide();
}

} // namespace cantorel
