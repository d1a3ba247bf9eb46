#pragma once
// How the main program hands lines to the screen saver's two receivers.
//
// Each receiver is a local socket at <runtime folder>/cantorel/receiver-<id>
// (runtimeDirectory(), base/ProgramDirectory.h), where <id> is a 32-bit
// integer (it may be negative) that the screen saver publishes in
// "hand.txt". A client sends each text as a 4-byte big-endian
// byte count followed by that many bytes of UTF-8; any number of messages may
// follow each other on one connection. A message of more than
// kMaxMessageBytes, or one whose bytes are not valid UTF-8, is malformed: the
// receiver closes that connection and keeps its text.
#include <QByteArray>
#include <QString>

namespace cantorel::screensaver {

inline constexpr qsizetype kMaxMessageBytes = qsizetype(64) * 1024;

// The folder of the receivers' sockets: runtimeDirectory(), read anew on
// each call (and made when missing). "" with *problem set when there is none
// that can be used.
QString receiverFolder(QString* problem = nullptr);

// "<receiver folder>/receiver-<id>". Meaningful only while receiverFolder()
// names a folder.
QString receiverSocketPath(qint32 id);

// The common start of every receiver's socket file name.
QString receiverSocketPrefix();

// One framed message. A text whose UTF-8 form is longer than
// kMaxMessageBytes is cut at the last whole character that fits.
QByteArray encodeTextMessage(const QString& text);

// Reads framed messages from bytes as they arrive.
class MessageReader {
public:
    enum class Status { NeedMore, Message, Malformed };

    void append(const QByteArray& bytes) { m_buffer.append(bytes); }
    // Takes the next whole message from the buffer into *text. Malformed is
    // final: the connection must be dropped.
    Status next(QString* text);
    // True while part of a message has arrived and the rest has not.
    bool midMessage() const { return !m_buffer.isEmpty() && !m_broken; }

private:
    QByteArray m_buffer;
    bool m_broken = false;
};

} // namespace cantorel::screensaver
