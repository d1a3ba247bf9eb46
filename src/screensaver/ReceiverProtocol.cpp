#include "screensaver/ReceiverProtocol.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QtEndian>

namespace cantorel::screensaver {

QString receiverSocketPrefix()
{
    return QStringLiteral("cantorel-receiver-");
}

QString receiverFolder(QString* problem)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    QString why;
    if (folder.isEmpty())
        why = QStringLiteral("There is no runtime folder for the lyric receivers' sockets: "
                             "XDG_RUNTIME_DIR is not set or names no usable folder, and no "
                             "private folder could be made in %1")
                  .arg(QDir::tempPath());
    else if (const QFileInfo info(folder); !info.isDir() || !info.isWritable())
        why = QStringLiteral("The runtime folder %1 is not a writable folder").arg(folder);
    if (problem)
        *problem = why;
    return why.isEmpty() ? folder : QString();
}

QString receiverSocketPath(qint32 id)
{
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + u'/'
        + receiverSocketPrefix() + QString::number(id);
}

QByteArray encodeTextMessage(const QString& text)
{
    QByteArray payload = text.toUtf8();
    if (payload.size() > kMaxMessageBytes) {
        qsizetype cut = kMaxMessageBytes;
        // Back off over continuation bytes so no character is split.
        while (cut > 0 && (quint8(payload[cut]) & 0xC0) == 0x80)
            --cut;
        payload.truncate(cut);
    }
    QByteArray message(4, '\0');
    qToBigEndian<quint32>(quint32(payload.size()), message.data());
    message.append(payload);
    return message;
}

MessageReader::Status MessageReader::next(QString* text)
{
    if (m_broken)
        return Status::Malformed;
    if (m_buffer.size() < 4)
        return Status::NeedMore;
    const quint32 length = qFromBigEndian<quint32>(m_buffer.constData());
    if (length > quint32(kMaxMessageBytes)) {
        m_broken = true;
        m_buffer.clear();
        return Status::Malformed;
    }
    if (m_buffer.size() < 4 + qsizetype(length))
        return Status::NeedMore;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = decoder.decode(QByteArrayView(m_buffer.constData() + 4, length));
    m_buffer.remove(0, 4 + qsizetype(length));
    if (decoder.hasError()) {
        m_broken = true;
        m_buffer.clear();
        return Status::Malformed;
    }
    *text = std::move(decoded);
    return Status::Message;
}

} // namespace cantorel::screensaver
