#pragma once
// The hand-over file "hand.txt" in the runtime folder (runtimeDirectory(),
// base/ProgramDirectory.h), through which the main program finds the
// screen saver's two receivers: two records of one 32-bit integer each
// (plain decimal, a leading "-" when negative), each ended by CR LF. Line 1
// names the normal-line receiver, line 2 the translated-line receiver (see
// ReceiverProtocol.h).
//
// The file is written under a temporary name and renamed over the old one,
// so a reader sees either no file, the old file or the whole new one. A
// symbolic link at its name is replaced, never written through.
#include <QString>
#include <optional>

namespace cantorel::screensaver {

struct HandOver {
    qint32 lyricReceiver = 0;
    qint32 translatedReceiver = 0;
    bool operator==(const HandOver&) const = default;
};

// runtimeDirectory() + "/hand.txt"; "" with *problem set when there is no
// usable runtime folder.
QString handOverPath(QString* problem = nullptr);

// Writes both records; false with a reason in *error when the file could not
// be written (the old file, if any, is then left as it was).
bool writeHandOver(const QString& path, const HandOver& handOver, QString* error = nullptr);

// The two identifiers of a complete file: two lines, each ended by a line
// break, each holding one 32-bit integer. nullopt when the file is missing,
// unreadable, incomplete or holds anything else.
std::optional<HandOver> readHandOver(const QString& path);

} // namespace cantorel::screensaver
