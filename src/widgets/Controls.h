#pragma once
// Small makers for the controls the windows share, named so that tests (and
// the other windows) find them by object name.
#include <QMimeData>
#include <QStringList>

class QLineEdit;
class QPushButton;
class QWidget;

namespace cantorel {

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, const QString& tip = QString());

// A position or length read-out: read-only, centred, never takes the focus.
QLineEdit* makeReadout(QWidget* parent, const char* name, const QString& tip);

// The preview box of an options window, which shows a chosen font and
// colours on the text "Preview": read-only, centred, never takes the focus.
QLineEdit* makePreview(QWidget* parent, const char* name);

// The local files of a drop, in drop order; empty for a drop of anything
// else (dragged text).
QStringList droppedFiles(const QMimeData* data);

} // namespace cantorel
