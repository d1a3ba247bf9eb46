#include "onlinewindows/FetchProgressDialog.h"

#include "onlinewindows/OnlineServices.h"
#include "platform/FormTable.h"
#include "platform/Twips.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace cantorel {

namespace {

using namespace form;

// clang-format off

const Control kControls[] = {
    // name      kind          caption
    {"done",     Kind::Label},
    {"bar",      Kind::Made},
    {"counts",   Kind::Label},
    {"cancel",   Kind::Button, "Cancel", nullptr, 1200, 0, Default},
};

const Place kLayout[] = {
    column(nullptr, "form"),
    put("form",     "done"),
    put("form",     "bar"),
    put("form",     "counts"),
    row("form",     "foot"),
    stretch("foot"), put("foot", "cancel"),
};

// clang-format on

QWidget* makeBar(const Control&, const QString&, QWidget* form)
{
    return new QProgressBar(form);
}

} // namespace

FetchProgressDialog::FetchProgressDialog(OnlineServices& services, QWidget* parent)
    : QWidget(parent, Qt::Window), m_services(services)
{
    setObjectName(QStringLiteral("FetchProgress"));
    setWindowTitle(tr("Fetch missing lyrics"));
    FormBuilder ui(this);
    ui.make(kControls, makeBar);
    ui.layOut(kLayout);
    m_done = ui.get<QLabel>("done");
    m_bar = ui.get<QProgressBar>("bar");
    m_counts = ui.get<QLabel>("counts");
    m_cancel = ui.get<QPushButton>("cancel");
    ui.connectClicks(this, {{"cancel", &FetchProgressDialog::cancelClick}});
    resize(twipsToPixels(5400, this), sizeHint().height());
}

FetchProgressDialog::~FetchProgressDialog() = default;

bool FetchProgressDialog::running() const
{
    return m_fetcher && m_fetcher->running();
}

const online::BatchCounts& FetchProgressDialog::counts() const
{
    static const online::BatchCounts none;
    return m_fetcher ? m_fetcher->counts() : none;
}

void FetchProgressDialog::start(const QStringList& mediaPaths)
{
    m_fetcher.reset();
    show();
    raise();
    if (!m_services.lookup()) {
        m_done->setText(m_services.problem());
        m_cancel->setText(tr("Close"));
        return;
    }
    m_fetcher = std::make_unique<online::BatchFetcher>(*m_services.lookup(), online::BatchFetcher::Options {});
    connect(m_fetcher.get(), &online::BatchFetcher::progress, this, &FetchProgressDialog::showCounts);
    connect(m_fetcher.get(), &online::BatchFetcher::songDone, this,
            [this](const online::SongReport& r) { Q_EMIT songDone(r.mediaPath); });
    connect(m_fetcher.get(), &online::BatchFetcher::finished, this, &FetchProgressDialog::ended);
    m_cancel->setText(tr("Cancel"));
    online::BatchCounts none;
    none.total = int(mediaPaths.size());
    showCounts(none);
    m_fetcher->start(mediaPaths);
}

void FetchProgressDialog::showCounts(const online::BatchCounts& c)
{
    m_done->setText(tr("Songs looked at: %1 of %2").arg(c.done).arg(c.total));
    m_bar->setRange(0, qMax(1, c.total));
    m_bar->setValue(c.done);
    m_counts->setText(tr("Found: %1\nPlain only: %2\nInstrumental: %3\nNot found: %4\nFailed: %5\n"
                         "Had a lyric already: %6")
                          .arg(c.synced)
                          .arg(c.plain)
                          .arg(c.instrumental)
                          .arg(c.notFound)
                          .arg(c.failed)
                          .arg(c.hasLyric));
}

void FetchProgressDialog::ended(const online::BatchCounts& counts, bool cancelled)
{
    showCounts(counts);
    if (cancelled)
        m_done->setText(tr("Cancelled after %1 of %2 songs.").arg(counts.done).arg(counts.total));
    m_cancel->setText(tr("Close"));
    Q_EMIT finished(counts, cancelled);
}

void FetchProgressDialog::cancelClick()
{
    if (running())
        m_fetcher->cancel();
    else
        hide();
}

void FetchProgressDialog::closeEvent(QCloseEvent* event)
{
    // Closing the window is a cancel: nothing goes on unseen.
    if (running())
        m_fetcher->cancel();
    QWidget::closeEvent(event);
}

} // namespace cantorel
