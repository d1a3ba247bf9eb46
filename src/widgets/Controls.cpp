#include "widgets/Controls.h"

#include "base/FileNames.h"
#include "platform/Twips.h"

#include <QLineEdit>
#include <QPushButton>
#include <QUrl>

namespace cantorel {

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, const QString& tip)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    if (!tip.isEmpty())
        b->setToolTip(tip);
    return b;
}

QLineEdit* makeReadout(QWidget* parent, const char* name, const QString& tip)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setReadOnly(true);
    e->setAlignment(Qt::AlignCenter);
    e->setToolTip(tip);
    e->setFocusPolicy(Qt::NoFocus);
    e->setFixedWidth(twipsToPixels(900, parent));
    return e;
}

QLineEdit* makePreview(QWidget* parent, const char* name)
{
    auto* e = new QLineEdit(QStringLiteral("Preview"), parent);
    e->setObjectName(QLatin1String(name));
    e->setReadOnly(true);
    e->setAlignment(Qt::AlignCenter);
    e->setFocusPolicy(Qt::NoFocus);
    return e;
}

QStringList droppedFiles(const QMimeData* data)
{
    QStringList paths;
    if (!data)
        return paths;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            paths << localFilePath(url); // keeps a name that is not UTF-8
    }
    return paths;
}

} // namespace cantorel
