#pragma once
// "Share on LRCLIB…" (object name "ShareOnLrclib"): exactly what would be
// sent to the lyric server (the title, artist and album, which the user may
// correct, the duration, the line count with the first lines, the synced
// and the plain text), and "Share", which asks the server for a challenge,
// solves it on a thread of its own with a progress bar ("Cancel" stops it),
// publishes, and shows what the server said (online/LyricSharing.h).
//
// User-interface thread only.
#include "lyrics/TimedLyric.h"
#include "online/LyricSharing.h"

#include <QWidget>

#include <memory>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace cantorel {

class OnlineServices;

class ShareDialog : public QWidget {
    Q_OBJECT
public:
    // `services` must outlive the window.
    explicit ShareDialog(OnlineServices& services, QWidget* parent = nullptr);
    ~ShareDialog() override;

    // Shows `lyric` of the song at `mediaPath` (`lengthMs` long) as it would
    // be sent; a share going on is cancelled.
    void showFor(const QString& mediaPath, qint64 lengthMs, const lyrics::TimedLyric& lyric);
    // What "Share" would send now.
    online::SharePayload payload() const;

public Q_SLOTS:
    void shareClick();
    void cancelClick();

private:
    void buildUi();
    void fieldsChanged();
    void stage(online::LyricSharing::Stage stage);
    void ended(bool published, const QString& said);
    void setSharing(bool sharing);

    OnlineServices& m_services;
    std::unique_ptr<online::LyricSharing> m_sharing;
    lyrics::TimedLyric m_lyric;
    qint64 m_lengthMs = 0;

    QLineEdit* m_title = nullptr;
    QLineEdit* m_artist = nullptr;
    QLineEdit* m_album = nullptr;
    QLineEdit* m_duration = nullptr;
    QLabel* m_lines = nullptr;
    QPlainTextEdit* m_synced = nullptr;
    QPlainTextEdit* m_plain = nullptr;
    QProgressBar* m_progress = nullptr;
    QLabel* m_status = nullptr;
    QPushButton* m_share = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace cantorel
