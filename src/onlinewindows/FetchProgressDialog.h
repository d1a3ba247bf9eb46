#pragma once
// The playlist's "Fetch missing lyrics" as it goes (object name
// "FetchProgress", a window of its own that never holds the others up):
// songs done of all, and how many were found (synced), plain only,
// instrumental, not found, failed, or had a lyric already; "Cancel" ends
// the run at once and becomes "Close" when it is over. The look-ups are
// online::BatchFetcher's, four at a time.
//
// User-interface thread only.
#include "online/BatchFetcher.h"

#include <QWidget>

#include <memory>

class QLabel;
class QProgressBar;
class QPushButton;

namespace cantorel {

class OnlineServices;

class FetchProgressDialog : public QWidget {
    Q_OBJECT
public:
    // `services` must outlive the window.
    explicit FetchProgressDialog(OnlineServices& services, QWidget* parent = nullptr);
    ~FetchProgressDialog() override;

    // Shows the window and fetches the lyrics `mediaPaths` lack (a run going
    // on is cancelled first).
    void start(const QStringList& mediaPaths);
    bool running() const;
    const online::BatchCounts& counts() const;

public Q_SLOTS:
    void cancelClick();

Q_SIGNALS:
    // A song's lyric files may have changed.
    void songDone(const QString& mediaPath);
    void finished(const online::BatchCounts& counts, bool cancelled);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void showCounts(const online::BatchCounts& counts);
    void ended(const online::BatchCounts& counts, bool cancelled);

    OnlineServices& m_services;
    std::unique_ptr<online::BatchFetcher> m_fetcher;
    QLabel* m_done = nullptr;
    QProgressBar* m_bar = nullptr;
    QLabel* m_counts = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace cantorel
