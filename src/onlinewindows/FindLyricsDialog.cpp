#include "onlinewindows/FindLyricsDialog.h"

#include "base/FilePaths.h"
#include "common/Prompts.h"
#include "controller/PlayerController.h"
#include "engine/SoundSource.h"
#include "online/FetchedLyric.h"
#include "online/MatchRule.h"
#include "online/OffThread.h"
#include "onlinewindows/LyricUse.h"
#include "onlinewindows/OnlineServices.h"
#include "platform/FormTable.h"
#include "platform/Twips.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>

namespace cantorel {

namespace {

using namespace form;

// clang-format off

// Made in this order, which is the tab order.
const Control kControls[] = {
    // name           kind            caption                       tooltip                                                width (twips)
    {"titleLabel",    Kind::Label,    "Title"},
    {"title",         Kind::Edit},
    {"artistLabel",   Kind::Label,    "Artist"},
    {"artist",        Kind::Edit},
    {"albumLabel",    Kind::Label,    "Album"},
    {"album",         Kind::Edit},
    {"durationLabel", Kind::Label,    "Duration"},
    {"duration",      Kind::Edit,     nullptr,                      "Minutes and seconds (3:05), or seconds",              1000},
    {"search",        Kind::Button,   "Search",                     "Ask the lyric server",                                0, 0, Default},
    {"results",       Kind::Made},
    {"preview",       Kind::TextBox},
    {"status",        Kind::Label},
    {"use",           Kind::Button,   "Use",                        "Write this lyric beside the song and show it",       0, 0, Disabled},
    {"makeTimed",     Kind::Button,   "Make timed lyric from it",   "Time this plain lyric in the Lyric Maker",           0, 0, Disabled},
    {"close",         Kind::Button,   "Close"},
};

// The signature on top, the records beside the preview, the commands at the foot.
const Place kLayout[] = {
    column(nullptr,   "form"),
    grid("form",      "fields"),
    putAt("fields",   "titleLabel",    {0, 0}), putAt("fields", "title",    {0, 1}),
    putAt("fields",   "artistLabel",   {0, 2}), putAt("fields", "artist",   {0, 3, 1, 2}),
    putAt("fields",   "albumLabel",    {1, 0}), putAt("fields", "album",    {1, 1}),
    putAt("fields",   "durationLabel", {1, 2}), putAt("fields", "duration", {1, 3}),
    putAt("fields",   "search",        {1, 4}),
    columnStretch("fields", 1, 2),     columnStretch("fields", 3, 1),
    row("form",       "body", 1),
    put("body",       "results", 3),   put("body", "preview", 2),
    put("form",       "status"),
    row("form",       "foot"),
    put("foot",       "use"),          put("foot", "makeTimed"), stretch("foot"), put("foot", "close"),
};

// clang-format on

QWidget* makeResults(const Control&, const QString&, QWidget* form)
{
    auto* table = new QTableWidget(0, 5, form);
    table->setHorizontalHeaderLabels({FindLyricsDialog::tr("Title"), FindLyricsDialog::tr("Artist"),
                                      FindLyricsDialog::tr("Album"), FindLyricsDialog::tr("Duration"),
                                      FindLyricsDialog::tr("Lyric")});
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

} // namespace

int secondsOfDurationText(const QString& text)
{
    const QStringList parts = text.trimmed().split(QLatin1Char(':'));
    bool okMinutes = true;
    bool okSeconds = false;
    const int seconds = parts.last().toInt(&okSeconds);
    const int minutes = parts.size() == 2 ? parts.first().toInt(&okMinutes) : 0;
    if (parts.size() > 2 || !okMinutes || !okSeconds || minutes < 0 || seconds < 0 || minutes > 1000)
        return 0;
    return minutes * 60 + seconds;
}

FindLyricsDialog::FindLyricsDialog(PlayerController& player, OnlineServices& services, Prompts& prompts,
                                   QWidget* parent)
    : QWidget(parent, Qt::Window), m_player(player), m_services(services), m_prompts(prompts)
{
    setObjectName(QStringLiteral("FindLyricsOnline"));
    setWindowTitle(tr("Find Lyrics Online"));
    buildUi();
    resize(twipsToPixels(10500, this), twipsToPixels(6000, this));
}

FindLyricsDialog::~FindLyricsDialog()
{
    if (m_request)
        m_request->cancel();
}

void FindLyricsDialog::hideEvent(QHideEvent* event)
{
    if (m_request)
        m_request->cancel();
    if (m_measure)
        m_measure->cancel();
    QWidget::hideEvent(event);
}

void FindLyricsDialog::buildUi()
{
    FormBuilder ui(this);
    ui.make(kControls, makeResults);
    ui.layOut(kLayout);
    m_title = ui.get<QLineEdit>("title");
    m_artist = ui.get<QLineEdit>("artist");
    m_album = ui.get<QLineEdit>("album");
    m_duration = ui.get<QLineEdit>("duration");
    m_results = ui.get<QTableWidget>("results");
    m_preview = ui.get<QPlainTextEdit>("preview");
    m_preview->setReadOnly(true);
    m_status = ui.get<QLabel>("status");
    m_status->setWordWrap(true);
    m_use = ui.get<QPushButton>("use");
    m_makeTimed = ui.get<QPushButton>("makeTimed");
    ui.connectClicks(this, {{"search", &FindLyricsDialog::searchClick},
                            {"use", &FindLyricsDialog::useClick},
                            {"makeTimed", &FindLyricsDialog::makeTimedClick}});
    connect(ui.get<QPushButton>("close"), &QPushButton::clicked, this, &QWidget::hide);
    for (QLineEdit* field : {m_title, m_artist, m_album, m_duration})
        connect(field, &QLineEdit::returnPressed, this, &FindLyricsDialog::searchClick);
    connect(m_results, &QTableWidget::itemSelectionChanged, this, &FindLyricsDialog::chosen);
}

void FindLyricsDialog::showFor(const QString& mediaPath, qint64 lengthMs)
{
    m_mediaPath = mediaPath;
    m_records.clear();
    showRecords();
    const online::SongSignature song =
        mediaPath.isEmpty() ? online::SongSignature() : online::signatureOfSong(mediaPath, qMax<qint64>(0, lengthMs));
    m_title->setText(song.title);
    m_artist->setText(song.artist);
    m_album->setText(song.album);
    m_duration->setText(song.durationSeconds() > 0 ? online::durationText(song.durationSeconds()) : QString());
    say(mediaPath.isEmpty() ? tr("No song is open: the lyric found can be read here, not used.")
                            : tr("The lyric for %1.").arg(fileNamePart(mediaPath)));
    m_measure = std::make_unique<online::OffThread>(this);
    if (!mediaPath.isEmpty() && lengthMs < 0) {
        m_measure->run<qint64>([mediaPath] { return engine::exactLengthMs(mediaPath); },
                               [this](const qint64& ms) {
                                   if (ms > 0 && m_duration->text().isEmpty())
                                       m_duration->setText(online::durationText(double(ms) / 1000));
                               });
    }
    show();
    raise();
    activateWindow();
}

int FindLyricsDialog::durationSeconds() const
{
    return secondsOfDurationText(m_duration->text());
}

void FindLyricsDialog::say(const QString& text)
{
    m_status->setText(text);
}

void FindLyricsDialog::searchClick()
{
    if (m_request)
        m_request->cancel();
    const QString title = online::cleanSignatureField(m_title->text());
    if (title.isEmpty()) {
        say(tr("Type a title to search for."));
        return;
    }
    if (!m_services.client()) {
        say(m_services.problem());
        return;
    }
    say(tr("Asking %1...").arg(m_services.serverName()));
    m_request = m_services.client()->search(title, online::cleanSignatureField(m_artist->text()));
    connect(m_request, &online::ServerRequest::finished, this, &FindLyricsDialog::answered);
}

void FindLyricsDialog::answered(const online::ServerAnswer& answer)
{
    QString error = answer.error;
    std::optional<QList<online::LrclibRecord>> records;
    if (answer.status == online::ServerAnswer::Status::NotFound)
        records.emplace();
    else if (answer.status == online::ServerAnswer::Status::Ok)
        records = online::parseRecords(answer.body, &error);
    if (!records) {
        say(tr("The search failed: %1").arg(error));
        return;
    }
    m_records = online::rankedForShowing(*records, durationSeconds());
    showRecords();
    say(m_records.isEmpty() ? tr("Nothing was found.") : tr("%n record(s) found.", nullptr, int(m_records.size())));
    if (!m_records.isEmpty())
        m_results->selectRow(0);
}

void FindLyricsDialog::showRecords()
{
    m_results->setRowCount(int(m_records.size()));
    for (int row = 0; row < m_records.size(); ++row) {
        const online::LrclibRecord& r = m_records[row];
        const QStringList cells {online::cleanSignatureField(r.trackName), online::cleanSignatureField(r.artistName),
                                 online::cleanSignatureField(r.albumName), online::durationText(r.durationSeconds),
                                 online::kindName(online::kindOf(r))};
        for (int column = 0; column < cells.size(); ++column)
            m_results->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    m_results->resizeColumnsToContents();
    chosen();
}

const online::LrclibRecord* FindLyricsDialog::current() const
{
    const QList<QTableWidgetItem*> items = m_results->selectedItems();
    const int row = items.isEmpty() ? -1 : items.first()->row();
    return row >= 0 && row < m_records.size() ? &m_records[row] : nullptr;
}

void FindLyricsDialog::chosen()
{
    const online::LrclibRecord* record = current();
    m_preview->setPlainText(record ? online::previewOf(*record) : QString());
    const auto outcome = record ? online::outcomeOf(*record) : online::LookupResult::Outcome::NotFound;
    m_use->setEnabled(outcome != online::LookupResult::Outcome::NotFound);
    m_makeTimed->setEnabled(outcome == online::LookupResult::Outcome::Plain);
}

void FindLyricsDialog::useClick()
{
    const online::LrclibRecord* record = current();
    if (!record)
        return;
    if (m_mediaPath.isEmpty()) {
        say(tr("Open a song first: the lyric is written beside it."));
        return;
    }
    const online::LrclibRecord chosenRecord = *record;
    const LyricUse use = useRecord(m_prompts, this, m_player, m_mediaPath, chosenRecord);
    say(use.said);
    if (!use.written.written.isEmpty())
        Q_EMIT lyricWritten(m_mediaPath);
}

void FindLyricsDialog::makeTimedClick()
{
    const online::LrclibRecord* record = current();
    if (!record)
        return;
    if (m_mediaPath.isEmpty()) {
        say(tr("Open a song first: the Lyric Maker times a lyric for a song."));
        return;
    }
    QString why;
    const QString source = writeMakerSource(m_prompts, this, m_mediaPath, *record, &why);
    if (source.isEmpty()) {
        say(why.isEmpty() ? tr("Nothing was written.") : tr("Nothing was written: %1").arg(why));
        return;
    }
    say(tr("%1 written; the Lyric Maker times it.").arg(fileNamePart(source)));
    Q_EMIT lyricWritten(m_mediaPath);
    Q_EMIT makeTimedLyricRequested(m_mediaPath, source);
}

} // namespace cantorel
