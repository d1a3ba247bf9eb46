#include "screensaver/ReceiverProtocol.h"

#include "base/ProgramDirectory.h"

#include <QStringDecoder>
#include <QtEndian>

namespace cantorel::screensaver {

QString receiverSocketPrefix()
{
    return QStringLiteral("receiver-");
}

QString receiverFolder(QString* problem)
{
    return runtimeDirectory(problem);
}

QString receiverSocketPath(qint32 id)
{
    return receiverFolder() + u'/' + receiverSocketPrefix() + QString::number(id);
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
